// panel.h: what hovering each button shows in the description panel and
// which button group it reveals, apart from the window system.
#pragma once

// The panel side of the hover button; the button implements it.
class IPanelOps
{
public:
    virtual ~IPanelOps() {}
    virtual void ShowCommandGroup(bool bShow) = 0;
    virtual void ShowDriverGroup(bool bShow) = 0;
    virtual void ShowPanel() = 0;                       // control 1007, SW_SHOW
    virtual void SetPanelText(const char* pszText) = 0; // the dialog's m_strPanelText
    virtual void UpdateParent() = 0;                    // the dialog's UpdateData(FALSE)
};

// Group changes in order, hiding before showing; then the text, if the
// button has one; then the dialog's update, for every button.
void PanelUpdate(IPanelOps& ops, int nID);

extern const int g_commandGroup[3];
extern const int g_driverGroup[4];

// The description of button nID, or nullptr.
const char* PanelText(int nID);
// The Ith description of all, or nullptr past the last.
const char* PanelTextAt(int i);
