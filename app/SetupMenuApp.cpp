#include "SetupMenuApp.h"
#include "SetupMenuDlg.h"

BEGIN_MESSAGE_MAP(CSetupMenuApp, CWinApp)
    ON_COMMAND(ID_HELP, CWinApp::OnHelp)  // void OnHelp()
END_MESSAGE_MAP()

// No name: the title, and so every AfxMessageBox caption, is the exe's base name.
CSetupMenuApp::CSetupMenuApp() {}

CSetupMenuApp theApp;

// Every file the menu opens, runs or copies is relative to the current
// folder. AutoRun and Explorer start it in the disc's root; a command
// prompt, the Run box or a shortcut without "Start in" may not.
static void EnterOwnFolder()
{
    char szPath[MAX_PATH];
    DWORD n = ::GetModuleFileNameA(NULL, szPath, sizeof szPath);
    if (n == 0 || n >= sizeof szPath)
        return;
    // Walked by character: in code page 936 a second byte may be a backslash.
    LPSTR pszEnd = NULL;
    for (LPSTR p = szPath; *p; p = ::CharNextA(p))
        if (*p == '\\')
            pszEnd = p + 1;
    if (pszEnd == NULL)
        return;
    *pszEnd = '\0';  // the backslash stays: "D:\" is the root, "D:" is not
    ::SetCurrentDirectoryA(szPath);
}

BOOL CSetupMenuApp::InitInstance()
{
    EnterOwnFolder();
    Enable3dControls();

    CSetupMenuDlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();

    // The dialog was the program: end without a message loop.
    m_pMainWnd = NULL;
    return FALSE;
}
