// HoverButton.h: CHoverButton, the owner-drawn hyperlink-style button of
// the menu. Hover is polled: each mouse movement starts a 10 ms timer whose
// ticks compare the pointer with the window rectangle; a shared flag keeps
// the ticks from repainting except when the look changes. Each movement
// also drives the description panel of the parent CSetupMenuDlg.
#pragma once
#include "../framework/afxwin.h"

class CHoverButton : public CButton
{
public:
    CHoverButton();
    virtual ~CHoverButton();

    // Attributes
    CFont m_font;           // the hover font, made once and kept
    HCURSOR m_hHandCursor;  // shared resource cursor: never destroyed
    bool m_bPressed;
    bool m_bHover;
    static bool s_bHoverDrawn;  // one for all hover buttons
    // The keyboard has moved the focus or pressed a button: from then on
    // the focused button shows the focus. Kept here, not taken from the
    // system: Windows 95, 98 and NT 4 have no keyboard-cue state, and Wine
    // asks for the cue from the start.
    static bool s_bFocusCues;

    // Operations: the parent's button groups
    void ShowCommandGroup(BOOL bShow);
    void ShowDriverGroup(BOOL bShow);

    // What hovering this button shows in the panel; a click on a category
    // shows the same, for those who use the keyboard.
    void UpdatePanel();

    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);

protected:
    void Apply(unsigned effects);
    // The hover font from the control's font: heavy for a hovered draw,
    // as read for a button the class creates itself.
    void MakeFont(bool bHeavy);
    // The hovered label's colour, read afresh at every draw.
    static COLORREF LinkColour();

    void OnMouseMove(UINT nFlags, CPoint point);
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    void OnTimer(UINT nIDEvent);
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnCaptureChanged(CWnd* pWnd);
    void OnSetFocus(CWnd* pOldWnd);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    BOOL OnEraseBkgnd(CDC* pDC);
    LRESULT OnSetFont(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()
};
