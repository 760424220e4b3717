#include "afxgdi.h"
#include "afxwnd.h"

BOOL CGdiObject::Attach(HGDIOBJ hObject)
{
    if (hObject == NULL)
        return FALSE;
    m_hObject = hObject;
    return TRUE;
}

HGDIOBJ CGdiObject::Detach()
{
    HGDIOBJ h = m_hObject;
    m_hObject = NULL;
    return h;
}

BOOL CGdiObject::DeleteObject()
{
    if (m_hObject == NULL)
        return FALSE;
    return ::DeleteObject(Detach());
}

CFont* CFont::FromHandle(HFONT hFont)
{
    if (hFont == NULL)
        return NULL;
    // A borrowed handle: the temporary must not delete it.
    struct CTempFont : CFont { ~CTempFont() { Detach(); } };
    CFont* p = new CTempFont;
    p->m_hObject = hFont;
    AfxAddTempObject(p);
    return p;
}

CDC* CDC::FromHandle(HDC hDC)
{
    if (hDC == NULL)
        return NULL;
    CDC* p = new CDC;
    p->m_hDC = hDC;
    AfxAddTempObject(p);
    return p;
}

CFont* CDC::SelectObject(CFont* pFont)
{
    HGDIOBJ hOld = ::SelectObject(m_hDC, pFont ? pFont->GetSafeHandle() : NULL);
    return CFont::FromHandle((HFONT)hOld);
}

void CDC::FillSolidRect(LPCRECT lpRect, COLORREF clr)
{
    ::SetBkColor(m_hDC, clr);
    ::ExtTextOutA(m_hDC, 0, 0, ETO_OPAQUE, lpRect, NULL, 0, NULL);
}

void CDC::Draw3dRect(LPCRECT lpRect, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    // One-pixel edges: top and left stop one short of the far corners,
    // which belong to the bottom-right colour.
    const LONG l = lpRect->left, t = lpRect->top, r = lpRect->right, b = lpRect->bottom;
    const RECT rcTop = { l, t, r - 1, t + 1 };
    const RECT rcLeft = { l, t, l + 1, b - 1 };
    const RECT rcRight = { r - 1, t, r, b };
    const RECT rcBottom = { l, b - 1, r, b };
    FillSolidRect(&rcTop, clrTopLeft);
    FillSolidRect(&rcLeft, clrTopLeft);
    FillSolidRect(&rcRight, clrBottomRight);
    FillSolidRect(&rcBottom, clrBottomRight);
}

CPaintDC::CPaintDC(CWnd* pWnd) : m_hWnd(pWnd->m_hWnd)
{
    m_hDC = ::BeginPaint(m_hWnd, &m_ps);
}

CPaintDC::~CPaintDC()
{
    ::EndPaint(m_hWnd, &m_ps);
}

CMenu* CMenu::FromHandle(HMENU hMenu)
{
    if (hMenu == NULL)
        return NULL;
    CMenu* p = new CMenu;
    p->m_hMenu = hMenu;
    AfxAddTempObject(p);
    return p;
}
