#include "afxwide.h"

#include <shellapi.h>
#include <stdlib.h>
#include <string.h>

// Each W function the seam calls, once: the module it is looked up in when
// the menu starts, and its name, whose declaration in <windows.h> gives the
// type it is called with. SetWindowLongPtrW is SetWindowLongW's name on
// 32-bit Windows, which the expansion takes.
#define AFX_WIDE_FUNCTIONS(X)                                                                          \
    X(USER32, DialogBoxParamW) X(USER32, SetWindowLongPtrW) X(USER32, CallWindowProcW)                 \
    X(USER32, DefWindowProcW) X(USER32, FindWindowW) X(USER32, SetWindowTextW)                         \
    X(USER32, GetWindowTextLengthW) X(USER32, GetWindowTextW) X(USER32, MessageBoxW)                   \
    X(USER32, AppendMenuW) X(USER32, LoadStringW) X(USER32, DrawTextW)                                 \
    X(GDI32, GetObjectW) X(GDI32, CreateFontIndirectW)                                                 \
    X(KERNEL32, GetModuleFileNameW) X(KERNEL32, SetCurrentDirectoryW) X(KERNEL32, GetSystemDirectoryW) \
    X(KERNEL32, GetFileAttributesW) X(KERNEL32, CreateProcessW)

#define AFX_WIDE_MODULES(M) M(USER32) M(GDI32) M(KERNEL32)
#define AFX_WIDE_STRING(x) AFX_WIDE_STRING_(x)
#define AFX_WIDE_STRING_(x) #x

namespace {

// The program's texts are in this code page on every system.
const UINT CP_MENU = 936;

OSVERSIONINFOA s_osvi;
BOOL s_bVersion = FALSE;
BOOL s_bWide = FALSE;

// The functions, typed: s_w.fn.MessageBoxW(...) takes what MessageBoxW
// takes. The lookup fills them through at[], in the list's order.
struct WIDE_FUNCTIONS
{
#define AFX_WIDE_MEMBER(module, fn) decltype(&::fn) fn;
    AFX_WIDE_FUNCTIONS(AFX_WIDE_MEMBER)
#undef AFX_WIDE_MEMBER
};
union
{
    WIDE_FUNCTIONS fn;
    FARPROC at[sizeof(WIDE_FUNCTIONS) / sizeof(FARPROC)];
} s_w;
// Their names, NUL-ended one after another, and their modules.
enum
{
#define AFX_WIDE_MODULE_INDEX(module) module,
    AFX_WIDE_MODULES(AFX_WIDE_MODULE_INDEX)
};
const char* const s_pszModules[] = {
#define AFX_WIDE_MODULE_NAME(module) #module,
    AFX_WIDE_MODULES(AFX_WIDE_MODULE_NAME)
};
const char s_szNames[] =
#define AFX_WIDE_NAME(module, fn) AFX_WIDE_STRING(fn) "\0"
    AFX_WIDE_FUNCTIONS(AFX_WIDE_NAME);
const unsigned char s_abModules[] = {
#define AFX_WIDE_MODULE_OF(module, fn) module,
    AFX_WIDE_FUNCTIONS(AFX_WIDE_MODULE_OF)
};

// The one way a text of the menu's becomes UTF-16: on the heap, a null text
// staying null; or an empty buffer of cch units for a W function to fill.
// No character of code page 936 takes more than one UTF-16 unit.
class CWideText
{
public:
    explicit CWideText(LPCSTR psz, int cch = -1) : m_psz(NULL), m_cch(0)
    {
        if (psz == NULL)
            return;
        if (cch < 0)
            cch = (int)strlen(psz);
        if (!Allocate(cch))
            return;
        m_cch = cch ? ::MultiByteToWideChar(CP_MENU, 0, psz, cch, m_psz, cch) : 0;
        m_psz[m_cch] = L'\0';
    }
    explicit CWideText(int cchBuffer) : m_psz(NULL), m_cch(0) { Allocate(cchBuffer); }
    ~CWideText() { free(m_psz); }
    operator LPWSTR() const { return m_psz; }

    LPWSTR m_psz;
    int m_cch;

private:
    bool Allocate(int cch) { return (m_psz = (LPWSTR)malloc((cch + 1) * sizeof(WCHAR))) != NULL; }
    CWideText(const CWideText&);
    CWideText& operator=(const CWideText&);
};

// UTF-16 into a 936 buffer of cb bytes (cb > 0), NUL-ended; the bytes.
int Narrow(LPCWSTR pw, int cw, LPSTR psz, int cb)
{
    int n = pw && cw > 0 ? ::WideCharToMultiByte(CP_MENU, 0, pw, cw, psz, cb - 1, NULL, NULL) : 0;
    psz[n] = '\0';
    return n;
}

} // namespace

void AfxInitWide()
{
    ZeroMemory(&s_osvi, sizeof s_osvi);
    s_osvi.dwOSVersionInfoSize = sizeof s_osvi;  // 148: the ANSI record
    s_bVersion = ::GetVersionExA(&s_osvi);
    if (!s_bVersion || s_osvi.dwPlatformId != VER_PLATFORM_WIN32_NT)
        return;
    // Every NT has them all; without one, the A functions do the work.
    const char* pszName = s_szNames;
    for (size_t i = 0; i < sizeof s_abModules; ++i, pszName += strlen(pszName) + 1)
        if ((s_w.at[i] = ::GetProcAddress(::GetModuleHandleA(s_pszModules[s_abModules[i]]), pszName)) == NULL)
            return;
    s_bWide = TRUE;
}

BOOL AfxGetVersionInfo(OSVERSIONINFOA* pInfo)
{
    *pInfo = s_osvi;
    return s_bVersion;
}

INT_PTR AfxDialogBoxParam(HINSTANCE hInstance, UINT nIDTemplate, HWND hWndOwner, DLGPROC pfnDlgProc,
                          LPARAM lParam)
{
    if (s_bWide)
        return s_w.fn.DialogBoxParamW(hInstance, MAKEINTRESOURCEW(nIDTemplate), hWndOwner, pfnDlgProc, lParam);
    return ::DialogBoxParamA(hInstance, MAKEINTRESOURCEA(nIDTemplate), hWndOwner, pfnDlgProc, lParam);
}

// A Unicode window subclassed through the A function gets its texts
// through the ANSI code page, its own included.
WNDPROC AfxSetWindowProc(HWND hWnd, WNDPROC pfnProc)
{
    if (s_bWide)
        return (WNDPROC)s_w.fn.SetWindowLongPtrW(hWnd, GWLP_WNDPROC, (LONG_PTR)pfnProc);
    return (WNDPROC)::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, (LONG_PTR)pfnProc);
}

LRESULT AfxCallWindowProc(WNDPROC pfnProc, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (s_bWide)
        return s_w.fn.CallWindowProcW(pfnProc, hWnd, message, wParam, lParam);
    return ::CallWindowProcA(pfnProc, hWnd, message, wParam, lParam);
}

LRESULT AfxDefWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (s_bWide)
        return s_w.fn.DefWindowProcW(hWnd, message, wParam, lParam);
    return ::DefWindowProcA(hWnd, message, wParam, lParam);
}

HWND AfxFindWindow(LPCSTR lpszClass, LPCSTR lpszTitle)
{
    if (s_bWide)
        return s_w.fn.FindWindowW(CWideText(lpszClass), CWideText(lpszTitle));
    return ::FindWindowA(lpszClass, lpszTitle);
}

BOOL AfxSetWindowText(HWND hWnd, LPCSTR lpszText)
{
    if (s_bWide)
        return s_w.fn.SetWindowTextW(hWnd, CWideText(lpszText));
    return ::SetWindowTextA(hWnd, lpszText);
}

// A UTF-16 unit is at most two bytes of code page 936.
int AfxGetWindowTextLength(HWND hWnd)
{
    if (s_bWide)
        return 2 * s_w.fn.GetWindowTextLengthW(hWnd);
    return ::GetWindowTextLengthA(hWnd);
}

int AfxGetWindowText(HWND hWnd, LPSTR lpszBuf, int cbBuf)
{
    if (s_bWide) {
        CWideText text(cbBuf);
        return Narrow(text, text.m_psz ? s_w.fn.GetWindowTextW(hWnd, text, cbBuf) : 0, lpszBuf, cbBuf);
    }
    return ::GetWindowTextA(hWnd, lpszBuf, cbBuf);
}

int AfxShowMessageBox(HWND hWndOwner, LPCSTR lpszText, LPCSTR lpszCaption, UINT nType)
{
    if (s_bWide)
        return s_w.fn.MessageBoxW(hWndOwner, CWideText(lpszText), CWideText(lpszCaption), nType);
    return ::MessageBoxA(hWndOwner, lpszText, lpszCaption, nType);
}

BOOL AfxAppendMenu(HMENU hMenu, UINT nFlags, UINT_PTR nIDNewItem, LPCSTR lpszNewItem)
{
    if (s_bWide)
        return s_w.fn.AppendMenuW(hMenu, nFlags, nIDNewItem, CWideText(lpszNewItem));
    return ::AppendMenuA(hMenu, nFlags, nIDNewItem, lpszNewItem);
}

int AfxLoadString(HINSTANCE hInstance, UINT nID, LPSTR lpszBuf, int cbBuf)
{
    if (s_bWide) {
        CWideText text(cbBuf);
        return Narrow(text, text.m_psz ? s_w.fn.LoadStringW(hInstance, nID, text, cbBuf) : 0, lpszBuf, cbBuf);
    }
    return ::LoadStringA(hInstance, nID, lpszBuf, cbBuf);
}

int AfxDrawText(HDC hDC, LPCSTR lpszText, int nCount, LPRECT lpRect, UINT nFormat)
{
    if (s_bWide) {
        CWideText text(lpszText, nCount);
        return s_w.fn.DrawTextW(hDC, text, text.m_cch, lpRect, nFormat);
    }
    return ::DrawTextA(hDC, lpszText, nCount, lpRect, nFormat);
}

namespace {

template <class LOGFONTX, class GET, class CREATE>
HFONT FontLike(HFONT hFont, LONG lfWeight, BYTE lfUnderline, GET pfnGet, CREATE pfnCreate)
{
    LOGFONTX lf;
    if (pfnGet(hFont, sizeof lf, &lf) == 0)
        return NULL;
    if (lfWeight != 0)
        lf.lfWeight = lfWeight;
    lf.lfUnderline = lfUnderline;
    return pfnCreate(&lf);
}

} // namespace

// Read through the A function, the face name 宋体 becomes ?? where the
// ANSI code page is not 936, and the copy comes out in another face.
HFONT AfxCreateFontLike(HFONT hFont, LONG lfWeight, BYTE lfUnderline)
{
    if (s_bWide)
        return FontLike<LOGFONTW>(hFont, lfWeight, lfUnderline, s_w.fn.GetObjectW, s_w.fn.CreateFontIndirectW);
    return FontLike<LOGFONTA>(hFont, lfWeight, lfUnderline, ::GetObjectA, ::CreateFontIndirectA);
}

HMODULE AfxLoadSystemLibraryUsingFullPath(LPCSTR lpszName)
{
    // By bare name the exe's folder is searched first, and the current
    // folder before PATH: a DLL of that name beside a copied menu would run.
    char szPath[MAX_PATH];
    UINT n = ::GetSystemDirectoryA(szPath, sizeof szPath);
    size_t cchName = strlen(lpszName);
    if (n == 0 || n + 1 + cchName >= sizeof szPath)
        return NULL;
    szPath[n++] = '\\';  // a doubled one after a root folder does no harm
    memcpy(szPath + n, lpszName, cchName + 1);
    // The DLL's own imports are looked up from its folder too.
    return ::LoadLibraryExA(szPath, NULL, LOAD_WITH_ALTERED_SEARCH_PATH);
}

BOOL AfxEnterExeFolder()
{
    if (s_bWide) {
        WCHAR szPath[MAX_PATH];
        DWORD n = s_w.fn.GetModuleFileNameW(NULL, szPath, MAX_PATH);
        if (n == 0 || n >= MAX_PATH)
            return FALSE;
        while (n > 0 && szPath[n - 1] != L'\\')
            --n;
        if (n == 0)
            return FALSE;
        szPath[n] = L'\0';  // the backslash stays: "D:\" is the root, "D:" is not
        return s_w.fn.SetCurrentDirectoryW(szPath);
    }
    char szPath[MAX_PATH];
    DWORD n = ::GetModuleFileNameA(NULL, szPath, sizeof szPath);
    if (n == 0 || n >= sizeof szPath)
        return FALSE;
    // Walked by character: in code page 936 a second byte may be a backslash.
    LPSTR pszEnd = NULL;
    for (LPSTR p = szPath; *p; p = ::CharNextA(p))
        if (*p == '\\')
            pszEnd = p + 1;
    if (pszEnd == NULL)
        return FALSE;
    *pszEnd = '\0';
    return ::SetCurrentDirectoryA(szPath);
}

DWORD AfxGetFileAttributes(LPCSTR lpszPath)
{
    if (s_bWide)
        return s_w.fn.GetFileAttributesW(CWideText(lpszPath));
    return ::GetFileAttributesA(lpszPath);
}

UINT AfxGetSystemDirectory(LPSTR lpszBuf, UINT cbBuf)
{
    if (s_bWide) {
        WCHAR szDir[MAX_PATH];
        UINT n = s_w.fn.GetSystemDirectoryW(szDir, MAX_PATH);
        BOOL bLost = FALSE;
        if (n == 0 || n >= MAX_PATH || cbBuf == 0)
            return 0;
        int cb = ::WideCharToMultiByte(CP_MENU, 0, szDir, n, lpszBuf, cbBuf - 1, NULL, &bLost);
        lpszBuf[cb] = '\0';
        return bLost ? 0 : cb;
    }
    UINT n = ::GetSystemDirectoryA(lpszBuf, cbBuf);
    return n < cbBuf ? n : 0;
}

UINT AfxWinExec(LPCSTR lpszCmdLine, UINT nCmdShow, HANDLE* phProcess)
{
    *phProcess = NULL;
    if (s_bWide) {
        // WinExec's own way, with the command line in UTF-16 and a handle to
        // keep: the program is found from the line itself, and it is shown
        // as asked.
        STARTUPINFOW si;
        ZeroMemory(&si, sizeof si);
        si.cb = sizeof si;
        si.dwFlags = STARTF_USESHOWWINDOW;
        si.wShowWindow = (WORD)nCmdShow;
        PROCESS_INFORMATION pi;
        CWideText cmd(lpszCmdLine);  // CreateProcessW may write into it
        if (!s_w.fn.CreateProcessW(NULL, cmd, NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi)) {
            DWORD dwError = ::GetLastError();
            return dwError > 0 && dwError < 32 ? (UINT)dwError : 0;
        }
        ::CloseHandle(pi.hThread);
        *phProcess = pi.hProcess;
        return 33;
    }
    // Windows 9x installs through the spooler and starts no command: no
    // handle to keep there.
    return ::WinExec(lpszCmdLine, nCmdShow);
}

HINSTANCE AfxShellExecute(HWND hWnd, LPCSTR lpszVerb, LPCSTR lpszFile, LPCSTR lpszParameters,
                          LPCSTR lpszDirectory, int nShowCmd)
{
    // Loaded on the first open, not at start-up: the menu needs it only when
    // a button is clicked, and loading it (and what it pulls in) is most of
    // what the menu's start would otherwise cost beyond its dialog.
    static FARPROC s_pfnShellExecute = NULL;
    if (s_pfnShellExecute == NULL) {
        if (HMODULE hShell = AfxLoadSystemLibraryUsingFullPath("SHELL32.DLL"))
            s_pfnShellExecute = ::GetProcAddress(hShell, s_bWide ? "ShellExecuteW" : "ShellExecuteA");
        if (s_pfnShellExecute == NULL)
            return NULL;
    }
    void* pfn = reinterpret_cast<void*>(s_pfnShellExecute);
    if (s_bWide)
        return reinterpret_cast<decltype(&::ShellExecuteW)>(pfn)(hWnd, CWideText(lpszVerb), CWideText(lpszFile),
                                                               CWideText(lpszParameters),
                                                               CWideText(lpszDirectory), nShowCmd);
    return reinterpret_cast<decltype(&::ShellExecuteA)>(pfn)(hWnd, lpszVerb, lpszFile, lpszParameters,
                                                           lpszDirectory, nShowCmd);
}
