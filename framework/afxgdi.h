// afxgdi.h: CGdiObject, CFont, CDC, CPaintDC and CMenu.
//
// CGdiObject owns its handle and deletes it; wrappers handed out by
// FromHandle are temporaries that only borrow theirs.
#pragma once
#include "afx.h"
#include "afxwide.h"

class CWnd;

class CGdiObject : public CObject
{
public:
    CGdiObject() : m_hObject(NULL) {}
    virtual ~CGdiObject() { DeleteObject(); }

    HGDIOBJ m_hObject;
    HGDIOBJ GetSafeHandle() const { return m_hObject; }

    BOOL Attach(HGDIOBJ hObject);
    HGDIOBJ Detach();
    BOOL DeleteObject();
};

class CFont : public CGdiObject
{
public:
    static CFont* FromHandle(HFONT hFont);
    operator HFONT() const { return (HFONT)m_hObject; }
};

class CDC : public CObject
{
public:
    CDC() : m_hDC(NULL) {}

    HDC m_hDC;
    HDC GetSafeHdc() const { return m_hDC; }
    static CDC* FromHandle(HDC hDC);

    int SetBkMode(int nBkMode) { return ::SetBkMode(m_hDC, nBkMode); }
    COLORREF SetTextColor(COLORREF crColor) { return ::SetTextColor(m_hDC, crColor); }
    int DrawText(LPCSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat)
        { return AfxDrawText(m_hDC, lpszString, nCount, lpRect, nFormat); }
    BOOL DrawIcon(int x, int y, HICON hIcon) { return ::DrawIcon(m_hDC, x, y, hIcon); }
    // The font it replaces, as a temporary; NULL when nothing was replaced.
    CFont* SelectObject(CFont* pFont);
    // Both fill through ExtTextOut, as MFC does, so no brush is made.
    void FillSolidRect(LPCRECT lpRect, COLORREF clr);
    void Draw3dRect(LPCRECT lpRect, COLORREF clrTopLeft, COLORREF clrBottomRight);
    void DrawFocusRect(LPCRECT lpRect) { ::DrawFocusRect(m_hDC, lpRect); }
};

class CPaintDC : public CDC
{
public:
    explicit CPaintDC(CWnd* pWnd);
    virtual ~CPaintDC();

    PAINTSTRUCT m_ps;

private:
    HWND m_hWnd;
};

class CMenu : public CObject
{
public:
    CMenu() : m_hMenu(NULL) {}

    HMENU m_hMenu;
    static CMenu* FromHandle(HMENU hMenu);
    BOOL AppendMenu(UINT nFlags, UINT_PTR nIDNewItem = 0, LPCSTR lpszNewItem = NULL)
        { return AfxAppendMenu(m_hMenu, nFlags, nIDNewItem, lpszNewItem); }
};
