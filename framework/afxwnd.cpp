#include "afxwnd.h"
#include "afxdd.h"
#include "afxgdi.h"

static const char s_szWndProp[] = "AfxWnd";

// The message being handled, for Default(); saved and restored around
// nested dispatch (a handler that sends a message to another window).
static MSG s_lastMsg;
static int s_nDispatchDepth = 0;

CWnd::CWnd() : m_hWnd(NULL), m_pfnSuper(NULL) {}

CWnd::~CWnd()
{
    // The window outlives its wrapper only for temporaries and detached
    // objects; never destroy a window behind the owner's back.
    if (m_hWnd != NULL && FromHandlePermanent(m_hWnd) == this) {
        if (m_pfnSuper != NULL)
            AfxSetWindowProc(m_hWnd, m_pfnSuper);
        Detach();
    }
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd)
{
    return hWnd ? (CWnd*)::GetPropA(hWnd, s_szWndProp) : NULL;
}

CWnd* CWnd::FromHandle(HWND hWnd)
{
    if (hWnd == NULL)
        return NULL;
    CWnd* pWnd = FromHandlePermanent(hWnd);
    if (pWnd == NULL) {
        pWnd = new CWnd;
        pWnd->m_hWnd = hWnd;
        AfxAddTempObject(pWnd);
    }
    return pWnd;
}

void CWnd::Attach(HWND hWnd)
{
    m_hWnd = hWnd;
    ::SetPropA(hWnd, s_szWndProp, (HANDLE)this);
}

void CWnd::Detach()
{
    ::RemovePropA(m_hWnd, s_szWndProp);
    m_hWnd = NULL;
    m_pfnSuper = NULL;
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (hWnd == NULL || m_hWnd != NULL || FromHandlePermanent(hWnd) != NULL)
        return FALSE;
    Attach(hWnd);
    m_pfnSuper = AfxSetWindowProc(hWnd, AfxWndProc);
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    return SubclassWindow(::GetDlgItem(pParent->m_hWnd, nID));
}

CWnd* CWnd::GetParent() const
{
    return FromHandle(::GetParent(m_hWnd));
}

CWnd* CWnd::GetDlgItem(int nID) const
{
    return FromHandle(::GetDlgItem(m_hWnd, nID));
}

void CWnd::GetWindowText(CString& rString) const
{
    int nLen = AfxGetWindowTextLength(m_hWnd);
    LPSTR p = rString.GetBuffer(nLen);
    if (p == NULL)
        return;
    AfxGetWindowText(m_hWnd, p, nLen + 1);
    rString.ReleaseBuffer();
}

CFont* CWnd::GetFont() const
{
    return CFont::FromHandle((HFONT)::SendMessageA(m_hWnd, WM_GETFONT, 0, 0));
}

CMenu* CWnd::GetSystemMenu(BOOL bRevert) const
{
    return CMenu::FromHandle(::GetSystemMenu(m_hWnd, bRevert));
}

BOOL CWnd::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    DoDataExchange(&dx);
    return TRUE;
}

void CWnd::DoDataExchange(CDataExchange*) {}

LRESULT CWnd::Default()
{
    const MSG& m = s_lastMsg;
    if (m_pfnSuper != NULL)
        return AfxCallWindowProc(m_pfnSuper, m_hWnd, m.message, m.wParam, m.lParam);
    return AfxDefWindowProc(m_hWnd, m.message, m.wParam, m.lParam);
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = 0;
    if (!OnWndMsg(message, wParam, lParam, &lResult))
        lResult = Default();
    return lResult;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_COMMAND) {
        if (!OnCommand(wParam, lParam))
            return FALSE;
        *pResult = 0;
        return TRUE;
    }
    if (message == WM_DRAWITEM && lParam != 0) {
        CWnd* pChild = FromHandlePermanent(((LPDRAWITEMSTRUCT)lParam)->hwndItem);
        if (pChild != NULL && pChild->OnChildNotify(message, wParam, lParam, pResult))
            return TRUE;
    }
    const AFX_MSGMAP_ENTRY* e = FindMessageEntry(message, 0, 0);
    if (e == NULL)
        return FALSE;
    *pResult = CallMessageHandler(e, wParam, lParam);
    return TRUE;
}

LRESULT CWnd::CallMessageHandler(const AFX_MSGMAP_ENTRY* e, WPARAM wParam, LPARAM lParam)
{
    // Each entry's pointer was cast from exactly the type it is cast back to.
    switch (e->nSig) {
    case AfxSig_vv:
        (this->*reinterpret_cast<void (CWnd::*)()>(e->pfn))();
        return 0;
    case AfxSig_vwp:
        (this->*reinterpret_cast<void (CWnd::*)(UINT, CPoint)>(e->pfn))((UINT)wParam, CPoint(lParam));
        return 0;
    case AfxSig_bWww:
        return (this->*reinterpret_cast<BOOL (CWnd::*)(CWnd*, UINT, UINT)>(e->pfn))(
            FromHandle((HWND)wParam), LOWORD(lParam), HIWORD(lParam));
    case AfxSig_vw:
        (this->*reinterpret_cast<void (CWnd::*)(UINT)>(e->pfn))((UINT)wParam);
        return 0;
    case AfxSig_is:
        return (this->*reinterpret_cast<int (CWnd::*)(LPCREATESTRUCT)>(e->pfn))((LPCREATESTRUCT)lParam);
    case AfxSig_bD:
        return (this->*reinterpret_cast<BOOL (CWnd::*)(CDC*)>(e->pfn))(CDC::FromHandle((HDC)wParam));
    case AfxSig_vwl:
        (this->*reinterpret_cast<void (CWnd::*)(UINT, LPARAM)>(e->pfn))((UINT)wParam, lParam);
        return 0;
    case AfxSig_hv:
        return (LRESULT)(this->*reinterpret_cast<HCURSOR (CWnd::*)()>(e->pfn))();
    case AfxSig_vW:
        (this->*reinterpret_cast<void (CWnd::*)(CWnd*)>(e->pfn))(FromHandle((HWND)wParam));
        return 0;
    case AfxSig_vW2:
        (this->*reinterpret_cast<void (CWnd::*)(CWnd*)>(e->pfn))(FromHandle((HWND)lParam));
        return 0;
    case AfxSig_vwww:
        (this->*reinterpret_cast<void (CWnd::*)(UINT, UINT, UINT)>(e->pfn))(
            (UINT)wParam, LOWORD(lParam), HIWORD(lParam));
        return 0;
    case AfxSig_lwl:
        return (this->*reinterpret_cast<LRESULT (CWnd::*)(WPARAM, LPARAM)>(e->pfn))(wParam, lParam);
    }
    return 0;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM)
{
    return OnCmdMsg(LOWORD(wParam), HIWORD(wParam));
}

BOOL CWnd::OnChildNotify(UINT, WPARAM, LPARAM, LRESULT*)
{
    return FALSE;
}

void CWnd::OnMouseMove(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnLButtonUp(UINT, CPoint) { Default(); }
BOOL CWnd::OnSetCursor(CWnd*, UINT, UINT) { return (BOOL)Default(); }
void CWnd::OnTimer(UINT) { Default(); }
int CWnd::OnCreate(LPCREATESTRUCT) { return (int)Default(); }
BOOL CWnd::OnEraseBkgnd(CDC*) { return (BOOL)Default(); }
void CWnd::OnSysCommand(UINT, LPARAM) { Default(); }
void CWnd::OnPaint() { Default(); }
HCURSOR CWnd::OnQueryDragIcon() { return (HCURSOR)Default(); }
void CWnd::OnCaptureChanged(CWnd*) { Default(); }
void CWnd::OnSetFocus(CWnd*) { Default(); }
void CWnd::OnKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnDestroy() { Default(); }

LRESULT AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    MSG saved = s_lastMsg;
    s_lastMsg.hwnd = hWnd;
    s_lastMsg.message = message;
    s_lastMsg.wParam = wParam;
    s_lastMsg.lParam = lParam;
    ++s_nDispatchDepth;

    LRESULT lResult = pWnd->WindowProc(message, wParam, lParam);
    if (message == WM_NCDESTROY && pWnd->m_hWnd == hWnd)
        pWnd->Detach();

    --s_nDispatchDepth;
    s_lastMsg = saved;
    if (s_nDispatchDepth == 0)
        AfxFreeTempObjects();
    return lResult;
}

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (pWnd == NULL)
        return AfxDefWindowProc(hWnd, message, wParam, lParam);
    return AfxCallWndProc(pWnd, hWnd, message, wParam, lParam);
}

void CButton::DrawItem(LPDRAWITEMSTRUCT) {}

BOOL CButton::OnChildNotify(UINT message, WPARAM, LPARAM lParam, LRESULT* pResult)
{
    if (message != WM_DRAWITEM)
        return FALSE;
    DrawItem((LPDRAWITEMSTRUCT)lParam);
    *pResult = TRUE;
    return TRUE;
}

namespace {
// Looked up by name: Windows before 10 1607 has neither.
FARPROC UserFunction(const char* pszName)
{
    return ::GetProcAddress(::GetModuleHandleA("USER32"), pszName);
}
} // namespace

UINT AfxGetDpiForWindow(HWND hWnd)
{
    typedef UINT(WINAPI * PFN)(HWND);
    PFN pfn = (PFN)UserFunction("GetDpiForWindow");
    UINT nDpi = pfn ? pfn(hWnd) : 0;
    if (nDpi == 0) {
        HDC hdc = ::GetDC(NULL);
        nDpi = ::GetDeviceCaps(hdc, LOGPIXELSY);
        ::ReleaseDC(NULL, hdc);
    }
    return nDpi;
}

int AfxGetSystemMetricsForDpi(int nIndex, UINT nDpi)
{
    typedef int(WINAPI * PFN)(int, UINT);
    PFN pfn = (PFN)UserFunction("GetSystemMetricsForDpi");
    return pfn ? pfn(nIndex, nDpi) : ::GetSystemMetrics(nIndex);
}
