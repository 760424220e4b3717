#include "SetupMenuApp.h"
#include "SetupMenuDlg.h"

BEGIN_MESSAGE_MAP(CSetupMenuApp, CWinApp)
    ON_COMMAND(ID_HELP, CWinApp::OnHelp)  // void OnHelp()
END_MESSAGE_MAP()

// No name: the title, and so every AfxMessageBox caption, is the exe's base name.
CSetupMenuApp::CSetupMenuApp() {}

CSetupMenuApp theApp;

BOOL CSetupMenuApp::InitInstance()
{
    Enable3dControls();

    CSetupMenuDlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();

    // The dialog was the program: end without a message loop.
    m_pMainWnd = NULL;
    return FALSE;
}
