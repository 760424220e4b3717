#include "HoverButton.h"
#include "hover_state.h"
#include "../app/SetupMenuDlg.h"
#include "../panel/panel.h"

bool CHoverButton::s_bHoverDrawn = false;
bool CHoverButton::s_bFocusCues = false;

BEGIN_MESSAGE_MAP(CHoverButton, CButton)
    ON_WM_MOUSEMOVE()
    ON_WM_SETCURSOR()
    ON_WM_TIMER()
    ON_WM_CREATE()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDOWN()
    ON_WM_ERASEBKGND()
    ON_WM_CAPTURECHANGED()
    ON_WM_SETFOCUS()
    ON_WM_KEYDOWN()
    ON_MESSAGE(WM_SETFONT, OnSetFont)
END_MESSAGE_MAP()

CHoverButton::CHoverButton() : m_bPressed(false), m_bHover(false)
{
    m_hHandCursor = ::LoadCursorA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDC_HANDCURSOR));
}

// m_font deletes its font itself; the cursor is shared and left alone.
CHoverButton::~CHoverButton() {}

void CHoverButton::Apply(unsigned effects)
{
    if (effects & HFX_START_TIMER)
        SetTimer(HOVER_TIMER_ID, HOVER_TIMER_MS, NULL);
    if (effects & HFX_STOP_TIMER)
        KillTimer(HOVER_TIMER_ID);
    if (effects & HFX_REPAINT)
        InvalidateRect(NULL, TRUE);
    if (effects & HFX_PANEL)
        UpdatePanel();
    if (effects & HFX_DEFAULT)
        Default();
}

void CHoverButton::OnMouseMove(UINT, CPoint)
{
    Apply(HoverMouseMove());
}

BOOL CHoverButton::OnSetCursor(CWnd*, UINT, UINT)
{
    if (HoverSetCursor(m_bHover) & HFX_HAND_CURSOR) {
        ::SetCursor(m_hHandCursor);
        return TRUE;
    }
    return (BOOL)Default();
}

void CHoverButton::OnTimer(UINT)
{
    POINT pt = { 0, 0 };
    bool bPoint = ::GetCursorPos(&pt) != FALSE;
    RECT rc;
    GetWindowRect(&rc);
    HOVER_PT hpt = { pt.x, pt.y };
    HOVER_RC hrc = { rc.left, rc.top, rc.right, rc.bottom };
    Apply(HoverTick(m_bHover, m_bPressed, s_bHoverDrawn, bPoint ? &hpt : nullptr, hrc));
}

void CHoverButton::OnLButtonDown(UINT, CPoint)
{
    Apply(HoverLButtonDown(m_bPressed));
}

void CHoverButton::OnLButtonUp(UINT, CPoint)
{
    Apply(HoverLButtonUp(m_bHover, m_bPressed));
}

void CHoverButton::OnCaptureChanged(CWnd*)
{
    Apply(HoverCaptureChanged(m_bHover, m_bPressed));
}

// The dialog manager takes Tab and the arrows for itself: the focus
// arriving while one is down is all this button sees of them.
void CHoverButton::OnSetFocus(CWnd*)
{
    for (UINT vk = VK_TAB; vk <= VK_DOWN && !s_bFocusCues; ++vk)
        if (HoverKeyShowsFocus(vk) && ::GetKeyState(vk) < 0)
            s_bFocusCues = true;
    Default();
}

// Space presses the button; it reaches the button itself.
void CHoverButton::OnKeyDown(UINT nChar, UINT, UINT)
{
    if (!s_bFocusCues && HoverKeyShowsFocus(nChar)) {
        s_bFocusCues = true;
        InvalidateRect(NULL, TRUE);
    }
    Default();
}

int CHoverButton::OnCreate(LPCREATESTRUCT)
{
    if ((int)Default() == -1)
        return -1;
    MakeFont(false);
    return 0;
}

void CHoverButton::MakeFont(bool bHeavy)
{
    // A control created a moment ago has no font yet: use the default GUI font.
    HFONT hFont = (HFONT)SendMessage(WM_GETFONT);
    if (hFont == NULL)
        hFont = (HFONT)::GetStockObject(DEFAULT_GUI_FONT);
    m_font.Attach(AfxCreateFontLike(hFont, bHeavy ? FW_HEAVY : 0, 1));
}

// A new font for the control, as the dialog manager gives every control at
// a change of scale: the next hovered draw makes the hover font from it.
LRESULT CHoverButton::OnSetFont(WPARAM, LPARAM)
{
    m_font.DeleteObject();
    return Default();
}

COLORREF CHoverButton::LinkColour()
{
    // Windows 95 without its accessibility options has no such setting: no
    // answer is no high contrast.
    HIGHCONTRASTA hc;
    ZeroMemory(&hc, sizeof hc);
    hc.cbSize = sizeof hc;
    bool bHighContrast = ::SystemParametersInfoA(SPI_GETHIGHCONTRAST, sizeof hc, &hc, 0) &&
                         (hc.dwFlags & HCF_HIGHCONTRASTON) != 0;
    return HoverLinkColour(HoverBackground(::GetSysColor(COLOR_BTNFACE)), ::GetSysColor(COLOR_BTNTEXT),
                           bHighContrast);
}

BOOL CHoverButton::OnEraseBkgnd(CDC* pDC)
{
    CRect rc;
    GetClientRect(&rc);
    pDC->FillSolidRect(rc, HoverBackground(::GetSysColor(COLOR_BTNFACE)));
    return (BOOL)Default();
}

void CHoverButton::DrawItem(LPDRAWITEMSTRUCT lpDIS)
{
    // Every draw is whole, on the face an erase leaves (the default erase
    // of an owner-drawn button paints the face over the tint): a change of
    // focus or of the pushed state comes without an erase, and so does the
    // repaint Windows 2000 and later send when Alt shows the keyboard cues.
    // Drawn over what is there, the label would go over itself (darker
    // where it is smoothed), and the focus rectangle, drawn by XOR, would
    // go away.
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    CRect rc(lpDIS->rcItem);
    pDC->FillSolidRect(rc, ::GetSysColor(COLOR_BTNFACE));
    pDC->SetBkMode(TRANSPARENT);
    CString strText;
    GetWindowText(strText);

    HOVER_STEP steps[HOVER_MAX_STEPS];
    int n = HoverLook((lpDIS->itemState & ODS_DISABLED) != 0, (lpDIS->itemState & ODS_SELECTED) != 0,
                      m_bHover, s_bFocusCues && (lpDIS->itemState & ODS_FOCUS) != 0, steps);
    CFont* pOldFont = NULL;
    for (int i = 0; i < n; ++i) {
        const HOVER_STEP& s = steps[i];
        switch (s.op) {
        case HOVER_OP_SHIFT:
            rc.left += s.a;
            rc.top += s.a;
            break;
        case HOVER_OP_TEXT_COLOR:
            pDC->SetTextColor(s.a == HOVER_CLR_BLUE ? LinkColour() : ::GetSysColor(s.a));
            break;
        case HOVER_OP_DRAW_TEXT:
            pDC->DrawText(strText, strText.GetLength(), rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
            break;
        case HOVER_OP_FRAME:
            pDC->Draw3dRect(rc, ::GetSysColor(s.a), ::GetSysColor(s.b));
            break;
        case HOVER_OP_HOVER_FONT:
            if (m_font.GetSafeHandle() == NULL)
                MakeFont(true);
            // With no font made, selecting none changes nothing.
            if (m_font.GetSafeHandle() != NULL)
                pOldFont = pDC->SelectObject(&m_font);
            break;
        case HOVER_OP_RESTORE_FONT:
            if (pOldFont != NULL)
                pDC->SelectObject(pOldFont);
            break;
        case HOVER_OP_FOCUS_RECT: {
            CRect rcFocus(lpDIS->rcItem);
            rcFocus.DeflateRect(s.a, s.a);
            pDC->DrawFocusRect(rcFocus);
            break;
        }
        }
    }
}

// ---- The panel ----

void CHoverButton::ShowCommandGroup(BOOL bShow)
{
    CWnd* pParent = GetParent();
    for (int nID : g_commandGroup)
        if (CWnd* pCtrl = pParent->GetDlgItem(nID))
            pCtrl->ShowWindow(bShow ? SW_SHOW : SW_HIDE);
}

void CHoverButton::ShowDriverGroup(BOOL bShow)
{
    CWnd* pParent = GetParent();
    for (int nID : g_driverGroup)
        if (CWnd* pCtrl = pParent->GetDlgItem(nID))
            pCtrl->ShowWindow(bShow ? SW_SHOW : SW_HIDE);
}

namespace {

class CPanelOps : public IPanelOps
{
public:
    CPanelOps(CHoverButton* pButton, CSetupMenuDlg* pDlg) : m_pButton(pButton), m_pDlg(pDlg) {}
    virtual void ShowCommandGroup(bool bShow) { m_pButton->ShowCommandGroup(bShow); }
    virtual void ShowDriverGroup(bool bShow) { m_pButton->ShowDriverGroup(bShow); }
    virtual void ShowPanel()
    {
        if (CWnd* pPanel = m_pDlg->GetDlgItem(IDC_PANEL_TEXT))
            pPanel->ShowWindow(SW_SHOW);
    }
    virtual void SetPanelText(const char* pszText) { m_pDlg->m_strPanelText = pszText; }
    virtual void UpdateParent() { m_pDlg->UpdateData(FALSE); }

private:
    CHoverButton* m_pButton;
    CSetupMenuDlg* m_pDlg;
};

} // namespace

void CHoverButton::UpdatePanel()
{
    // The buttons live only in the menu dialog, which is attached; a parent
    // without a permanent object is no CSetupMenuDlg, and is left alone.
    CWnd* pParent = CWnd::FromHandlePermanent(::GetParent(m_hWnd));
    if (pParent == NULL)
        return;
    CPanelOps ops(this, static_cast<CSetupMenuDlg*>(pParent));
    PanelUpdate(ops, GetDlgCtrlID());
}
