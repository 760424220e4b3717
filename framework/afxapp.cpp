#include "afxapp.h"

#include <string.h>

static CWinApp* s_pApp = NULL;

CWinApp::CWinApp(LPCSTR lpszAppName)
    : m_hInstance(NULL), m_pszAppName(NULL), m_pszHelpFilePath(NULL),
      m_pMainWnd(NULL), m_lpszGivenName(lpszAppName)
{
    m_szModulePath[0] = m_szAppName[0] = m_szHelpPath[0] = '\0';
    s_pApp = this;
}

CWinApp::~CWinApp()
{
    if (s_pApp == this)
        s_pApp = NULL;
}

BOOL CWinApp::InitApplication(HINSTANCE hInstance)
{
    m_hInstance = hInstance;
    AfxInitWide();
    DWORD n = ::GetModuleFileNameA(hInstance, m_szModulePath, sizeof m_szModulePath);
    if (n == 0 || n >= sizeof m_szModulePath)
        m_szModulePath[0] = '\0';

    // Base name without extension; CharPrev walks back safely over
    // double-byte characters, whose trail byte may equal '\\'.
    LPCSTR pszName = m_szModulePath;
    for (LPCSTR p = m_szModulePath; *p; p = ::CharNextA(p))
        if (*p == '\\' || *p == '/' || *p == ':')
            pszName = p + 1;
    lstrcpynA(m_szAppName, pszName, sizeof m_szAppName);
    LPSTR pszDot = NULL;
    for (LPSTR p = m_szAppName; *p; p = ::CharNextA(p))
        if (*p == '.')
            pszDot = p;
    if (pszDot != NULL)
        *pszDot = '\0';
    m_pszAppName = m_lpszGivenName ? m_lpszGivenName : m_szAppName;

    lstrcpynA(m_szHelpPath, m_szModulePath, sizeof m_szHelpPath);
    size_t len = strlen(m_szHelpPath);
    if (len > 4 && len - 4 + 5 <= sizeof m_szHelpPath)
        strcpy(m_szHelpPath + len - 4, ".HLP");
    m_pszHelpFilePath = m_szHelpPath;
    return TRUE;
}

BOOL CWinApp::InitInstance() { return TRUE; }
int CWinApp::ExitInstance() { return 0; }

int CWinApp::DoMessageBox(LPCSTR lpszPrompt, UINT nType, UINT)
{
    // Owned by the main window's last active popup, like MFC's boxes.
    HWND hWndOwner = NULL;
    if (m_pMainWnd != NULL && ::IsWindow(m_pMainWnd->m_hWnd))
        hWndOwner = ::GetLastActivePopup(m_pMainWnd->m_hWnd);
    return AfxShowMessageBox(hWndOwner, lpszPrompt, m_pszAppName, nType);
}

void CWinApp::OnHelp()
{
    HWND hWnd = m_pMainWnd ? m_pMainWnd->m_hWnd : NULL;
    ::WinHelpA(hWnd, m_pszHelpFilePath, HELP_FINDER, 0);
}

CWinApp* AfxGetApp() { return s_pApp; }
CWnd* AfxGetMainWnd() { return s_pApp ? s_pApp->m_pMainWnd : NULL; }
HINSTANCE AfxGetResourceHandle()
{
    return s_pApp && s_pApp->m_hInstance ? s_pApp->m_hInstance : ::GetModuleHandleA(NULL);
}

int AfxMessageBox(LPCSTR lpszText, UINT nType, UINT nIDHelp)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == NULL)
        return AfxShowMessageBox(NULL, lpszText, NULL, nType);
    return pApp->DoMessageBox(lpszText, nType, nIDHelp);
}
