#include "afxwide.h"
#include "afxapp.h"

#include <shellapi.h>
#include <stdlib.h>
#include <string.h>

namespace {

// The program's texts are in this code page on every system.
const UINT CP_MENU = 936;

OSVERSIONINFOA s_osvi;
BOOL s_bVersion = FALSE;
BOOL s_bWide = FALSE;

// The W functions, by module; an empty name ends a module's list.
enum
{
    W_DIALOGBOXPARAM, W_SETWINDOWLONG, W_CALLWINDOWPROC, W_DEFWINDOWPROC, W_FINDWINDOW, W_SETWINDOWTEXT,
    W_GETWINDOWTEXTLENGTH, W_GETWINDOWTEXT, W_MESSAGEBOX, W_APPENDMENU, W_LOADSTRING, W_DRAWTEXT,
    W_GETOBJECT, W_CREATEFONTINDIRECT,
    W_GETMODULEFILENAME, W_SETCURRENTDIRECTORY, W_GETSYSTEMDIRECTORY, W_CREATEPROCESS,
    W_COUNT
};
const char* const s_pszModules[] = { "USER32", "GDI32", "KERNEL32" };
const char s_szNames[] =
    "DialogBoxParamW\0"
#ifdef _WIN64
    "SetWindowLongPtrW\0"
#else
    "SetWindowLongW\0"
#endif
    "CallWindowProcW\0DefWindowProcW\0FindWindowW\0SetWindowTextW\0GetWindowTextLengthW\0"
    "GetWindowTextW\0MessageBoxW\0AppendMenuW\0LoadStringW\0DrawTextW\0\0"
    "GetObjectW\0CreateFontIndirectW\0\0"
    "GetModuleFileNameW\0SetCurrentDirectoryW\0GetSystemDirectoryW\0CreateProcessW\0";
FARPROC s_pfn[W_COUNT];

// The W function, typed as <windows.h> declares it.
#define WCALL(i, f) reinterpret_cast<decltype(&f)>(reinterpret_cast<void*>(s_pfn[i]))

// A 936 text as UTF-16, on the heap; a null text stays null. No character
// of code page 936 takes more than one UTF-16 unit.
class CWideText
{
public:
    explicit CWideText(LPCSTR psz, int cch = -1) : m_psz(NULL), m_cch(0)
    {
        if (psz == NULL)
            return;
        if (cch < 0)
            cch = (int)strlen(psz);
        m_psz = (LPWSTR)malloc((cch + 1) * sizeof(WCHAR));
        if (m_psz == NULL)
            return;
        m_cch = cch ? ::MultiByteToWideChar(CP_MENU, 0, psz, cch, m_psz, cch) : 0;
        m_psz[m_cch] = L'\0';
    }
    ~CWideText() { free(m_psz); }
    operator LPWSTR() const { return m_psz; }

    LPWSTR m_psz;
    int m_cch;

private:
    CWideText(const CWideText&);
    CWideText& operator=(const CWideText&);
};

// UTF-16 into a 936 buffer of cb bytes (cb > 0), NUL-ended; the bytes.
int Narrow(LPCWSTR pw, int cw, LPSTR psz, int cb)
{
    int n = cw > 0 ? ::WideCharToMultiByte(CP_MENU, 0, pw, cw, psz, cb - 1, NULL, NULL) : 0;
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
    for (int i = 0, m = 0; i < W_COUNT; ++i, pszName += strlen(pszName) + 1) {
        if (*pszName == '\0')
            ++m, ++pszName;
        if ((s_pfn[i] = ::GetProcAddress(::GetModuleHandleA(s_pszModules[m]), pszName)) == NULL)
            return;
    }
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
        return WCALL(W_DIALOGBOXPARAM, ::DialogBoxParamW)(hInstance, MAKEINTRESOURCEW(nIDTemplate), hWndOwner,
                                                           pfnDlgProc, lParam);
    return ::DialogBoxParamA(hInstance, MAKEINTRESOURCEA(nIDTemplate), hWndOwner, pfnDlgProc, lParam);
}

// A Unicode window subclassed through the A function gets its texts
// through the ANSI code page, its own included.
WNDPROC AfxSetWindowProc(HWND hWnd, WNDPROC pfnProc)
{
    if (s_bWide)
        return (WNDPROC)WCALL(W_SETWINDOWLONG, ::SetWindowLongPtrW)(hWnd, GWLP_WNDPROC, (LONG_PTR)pfnProc);
    return (WNDPROC)::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, (LONG_PTR)pfnProc);
}

LRESULT AfxCallWindowProc(WNDPROC pfnProc, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (s_bWide)
        return WCALL(W_CALLWINDOWPROC, ::CallWindowProcW)(pfnProc, hWnd, message, wParam, lParam);
    return ::CallWindowProcA(pfnProc, hWnd, message, wParam, lParam);
}

LRESULT AfxDefWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (s_bWide)
        return WCALL(W_DEFWINDOWPROC, ::DefWindowProcW)(hWnd, message, wParam, lParam);
    return ::DefWindowProcA(hWnd, message, wParam, lParam);
}

HWND AfxFindWindow(LPCSTR lpszClass, LPCSTR lpszTitle)
{
    if (s_bWide)
        return WCALL(W_FINDWINDOW, ::FindWindowW)(CWideText(lpszClass), CWideText(lpszTitle));
    return ::FindWindowA(lpszClass, lpszTitle);
}

BOOL AfxSetWindowText(HWND hWnd, LPCSTR lpszText)
{
    if (s_bWide)
        return WCALL(W_SETWINDOWTEXT, ::SetWindowTextW)(hWnd, CWideText(lpszText));
    return ::SetWindowTextA(hWnd, lpszText);
}

// A UTF-16 unit is at most two bytes of code page 936.
int AfxGetWindowTextLength(HWND hWnd)
{
    if (s_bWide)
        return 2 * WCALL(W_GETWINDOWTEXTLENGTH, ::GetWindowTextLengthW)(hWnd);
    return ::GetWindowTextLengthA(hWnd);
}

int AfxGetWindowText(HWND hWnd, LPSTR lpszBuf, int cbBuf)
{
    if (!s_bWide)
        return ::GetWindowTextA(hWnd, lpszBuf, cbBuf);
    LPWSTR pw = (LPWSTR)malloc(cbBuf * sizeof(WCHAR));
    int n = 0;
    if (pw != NULL)
        n = Narrow(pw, WCALL(W_GETWINDOWTEXT, ::GetWindowTextW)(hWnd, pw, cbBuf), lpszBuf, cbBuf);
    else
        lpszBuf[0] = '\0';
    free(pw);
    return n;
}

int AfxShowMessageBox(HWND hWndOwner, LPCSTR lpszText, LPCSTR lpszCaption, UINT nType)
{
    if (s_bWide)
        return WCALL(W_MESSAGEBOX, ::MessageBoxW)(hWndOwner, CWideText(lpszText), CWideText(lpszCaption), nType);
    return ::MessageBoxA(hWndOwner, lpszText, lpszCaption, nType);
}

BOOL AfxAppendMenu(HMENU hMenu, UINT nFlags, UINT_PTR nIDNewItem, LPCSTR lpszNewItem)
{
    if (s_bWide)
        return WCALL(W_APPENDMENU, ::AppendMenuW)(hMenu, nFlags, nIDNewItem, CWideText(lpszNewItem));
    return ::AppendMenuA(hMenu, nFlags, nIDNewItem, lpszNewItem);
}

int AfxLoadString(HINSTANCE hInstance, UINT nID, LPSTR lpszBuf, int cbBuf)
{
    if (!s_bWide)
        return ::LoadStringA(hInstance, nID, lpszBuf, cbBuf);
    WCHAR szText[256];
    return Narrow(szText, WCALL(W_LOADSTRING, ::LoadStringW)(hInstance, nID, szText, 256), lpszBuf, cbBuf);
}

int AfxDrawText(HDC hDC, LPCSTR lpszText, int nCount, LPRECT lpRect, UINT nFormat)
{
    if (!s_bWide)
        return ::DrawTextA(hDC, lpszText, nCount, lpRect, nFormat);
    CWideText text(lpszText, nCount);
    return WCALL(W_DRAWTEXT, ::DrawTextW)(hDC, text, text.m_cch, lpRect, nFormat);
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
        return FontLike<LOGFONTW>(hFont, lfWeight, lfUnderline, WCALL(W_GETOBJECT, ::GetObjectW),
                                  WCALL(W_CREATEFONTINDIRECT, ::CreateFontIndirectW));
    return FontLike<LOGFONTA>(hFont, lfWeight, lfUnderline, ::GetObjectA, ::CreateFontIndirectA);
}

BOOL AfxEnterExeFolder()
{
    if (s_bWide) {
        WCHAR szPath[MAX_PATH];
        DWORD n = WCALL(W_GETMODULEFILENAME, ::GetModuleFileNameW)(NULL, szPath, MAX_PATH);
        if (n == 0 || n >= MAX_PATH)
            return FALSE;
        while (n > 0 && szPath[n - 1] != L'\\')
            --n;
        if (n == 0)
            return FALSE;
        szPath[n] = L'\0';  // the backslash stays: "D:\" is the root, "D:" is not
        return WCALL(W_SETCURRENTDIRECTORY, ::SetCurrentDirectoryW)(szPath);
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

UINT AfxGetSystemDirectory(LPSTR lpszBuf, UINT cbBuf)
{
    if (!s_bWide) {
        UINT n = ::GetSystemDirectoryA(lpszBuf, cbBuf);
        return n < cbBuf ? n : 0;
    }
    WCHAR szDir[MAX_PATH];
    UINT n = WCALL(W_GETSYSTEMDIRECTORY, ::GetSystemDirectoryW)(szDir, MAX_PATH);
    BOOL bLost = FALSE;
    if (n == 0 || n >= MAX_PATH || cbBuf == 0)
        return 0;
    int cb = ::WideCharToMultiByte(CP_MENU, 0, szDir, n, lpszBuf, cbBuf - 1, NULL, &bLost);
    lpszBuf[cb] = '\0';
    return bLost ? 0 : cb;
}

UINT AfxWinExec(LPCSTR lpszCmdLine, UINT nCmdShow, HANDLE* phProcess)
{
    *phProcess = NULL;
    // Windows 9x installs through the spooler and starts no command: no
    // handle to keep there.
    if (!s_bWide)
        return ::WinExec(lpszCmdLine, nCmdShow);
    // WinExec's own way, with the command line in UTF-16 and a handle to
    // keep: the program is found from the line itself, and it is shown as
    // asked.
    STARTUPINFOW si;
    ZeroMemory(&si, sizeof si);
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = (WORD)nCmdShow;
    PROCESS_INFORMATION pi;
    CWideText cmd(lpszCmdLine);  // CreateProcessW may write into it
    if (!WCALL(W_CREATEPROCESS, ::CreateProcessW)(NULL, cmd, NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi)) {
        DWORD dwError = ::GetLastError();
        return dwError > 0 && dwError < 32 ? (UINT)dwError : 0;
    }
    ::CloseHandle(pi.hThread);
    *phProcess = pi.hProcess;
    return 33;
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
