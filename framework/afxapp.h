// afxapp.h: CWinApp, the application object, and AfxMessageBox.
//
// The one CWinApp-derived global registers itself when constructed; the
// framework's WinMain initialises it and calls InitInstance.
#pragma once
#include "afxwnd.h"

#ifndef ID_HELP
#define ID_HELP 0xE146
#endif

class CWinApp : public CCmdTarget
{
public:
    explicit CWinApp(LPCSTR lpszAppName = NULL);
    virtual ~CWinApp();

    // Attributes
    HINSTANCE m_hInstance;
    LPCSTR m_pszAppName;       // message-box caption: the exe's base name by default
    LPCSTR m_pszHelpFilePath;  // the exe's path with .HLP
    CWnd* m_pMainWnd;

    // Overridables
    virtual BOOL InitInstance();
    virtual int ExitInstance();
    virtual int DoMessageBox(LPCSTR lpszPrompt, UINT nType, UINT nIDPrompt);

    // On Windows 95, 98 and NT 4 or later the system draws the 3D look
    // itself, so there is no CTL3D to load: like MFC there, it does nothing.
    BOOL Enable3dControls() { return FALSE; }

    // Sets the instance, the title and the help path from the module.
    BOOL InitApplication(HINSTANCE hInstance);

    // ID_HELP: the help file's contents.
    void OnHelp();

private:
    char m_szModulePath[MAX_PATH];
    char m_szAppName[MAX_PATH];
    char m_szHelpPath[MAX_PATH];
    LPCSTR m_lpszGivenName;
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
HINSTANCE AfxGetResourceHandle();
int AfxMessageBox(LPCSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
