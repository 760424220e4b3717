// afxwnd.h: CWnd, the window wrapper, and CButton.
//
// A CWnd holds only its HWND. Attached windows (SubclassWindow) are found
// again through a window property; the original window procedure is kept
// and Default() hands the current message to it.
#pragma once
#include "afxmsg.h"
#include "afxstr.h"
#include "afxwide.h"

class CDataExchange;
class CMenu;
class CFont;

class CWnd : public CCmdTarget
{
public:
    CWnd();
    virtual ~CWnd();

    // Attributes
    HWND m_hWnd;
    HWND GetSafeHwnd() const { return m_hWnd; }

    static CWnd* FromHandle(HWND hWnd);
    static CWnd* FromHandlePermanent(HWND hWnd);

    // Operations
    BOOL SubclassWindow(HWND hWnd);
    BOOL SubclassDlgItem(UINT nID, CWnd* pParent);

    CWnd* GetParent() const;
    CWnd* GetDlgItem(int nID) const;
    int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
    BOOL ShowWindow(int nCmdShow) { return ::ShowWindow(m_hWnd, nCmdShow); }
    BOOL IsIconic() const { return ::IsIconic(m_hWnd); }
    void GetWindowText(CString& rString) const;
    void GetClientRect(LPRECT lpRect) const { ::GetClientRect(m_hWnd, lpRect); }
    void GetWindowRect(LPRECT lpRect) const { ::GetWindowRect(m_hWnd, lpRect); }
    void InvalidateRect(LPCRECT lpRect, BOOL bErase = TRUE) { ::InvalidateRect(m_hWnd, lpRect, bErase); }
    void Invalidate(BOOL bErase = TRUE) { ::InvalidateRect(m_hWnd, NULL, bErase); }
    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer)
        { return ::SetTimer(m_hWnd, nIDEvent, nElapse, lpfnTimer); }
    BOOL KillTimer(UINT_PTR nIDEvent) { return ::KillTimer(m_hWnd, nIDEvent); }
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
        { return ::SendMessageA(m_hWnd, message, wParam, lParam); }
    HICON SetIcon(HICON hIcon, BOOL bBigIcon)
        { return (HICON)SendMessage(WM_SETICON, bBigIcon, (LPARAM)hIcon); }
    CFont* GetFont() const;
    CMenu* GetSystemMenu(BOOL bRevert) const;
    int MessageBox(LPCSTR lpszText, LPCSTR lpszCaption = NULL, UINT nType = MB_OK)
        { return AfxShowMessageBox(m_hWnd, lpszText, lpszCaption, nType); }

    // Data exchange: FALSE copies members into controls, TRUE the other way.
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

    // The original procedure's handling of the message being handled now.
    LRESULT Default();

    // Overridables
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    // A parent hands control notifications (WM_DRAWITEM) back to the control.
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual void DoDataExchange(CDataExchange* pDX);

    // Message handlers: default processing unless a class maps its own.
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    void OnTimer(UINT nIDEvent);
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnSysCommand(UINT nID, LPARAM lParam);
    void OnPaint();
    HCURSOR OnQueryDragIcon();
    void OnCaptureChanged(CWnd* pWnd);
    void OnSetFocus(CWnd* pOldWnd);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnDestroy();

protected:
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    LRESULT CallMessageHandler(const AFX_MSGMAP_ENTRY* e, WPARAM wParam, LPARAM lParam);
    void Attach(HWND hWnd);
    void Detach();

    WNDPROC m_pfnSuper;

    friend LRESULT CALLBACK AfxWndProc(HWND, UINT, WPARAM, LPARAM);
    friend LRESULT AfxCallWndProc(CWnd*, HWND, UINT, WPARAM, LPARAM);
};

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

// The window's DPI and a system metric at a DPI: Windows 10 1607's
// GetDpiForWindow and GetSystemMetricsForDpi where Windows has them, else
// the system's, which is every window's there.
UINT AfxGetDpiForWindow(HWND hWnd);
int AfxGetSystemMetricsForDpi(int nIndex, UINT nDpi);
// Runs one message through a CWnd's WindowProc with the bookkeeping that
// Default() and the temporary objects rely on.
LRESULT AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

class CButton : public CWnd
{
public:
    // Owner-draw buttons draw themselves here; the parent reflects
    // WM_DRAWITEM back to the button.
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
};
