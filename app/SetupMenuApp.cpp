#include "SetupMenuApp.h"
#include "SetupMenuDlg.h"
#include "startup.h"

BEGIN_MESSAGE_MAP(CSetupMenuApp, CWinApp)
    ON_COMMAND(ID_HELP, CWinApp::OnHelp)  // void OnHelp()
END_MESSAGE_MAP()

// No name: the title, and so every AfxMessageBox caption, is the exe's base name.
CSetupMenuApp::CSetupMenuApp() {}

CSetupMenuApp theApp;

// One menu at a time: AutoPlay starts one, a double-click on the drive
// another. Without a "Global" prefix the name lives in the user's own
// session (Windows 95 to NT 4 have only one), so two users' menus never meet.
static const char s_szOneMenu[] = "VELTA VT-480QX SetupMenu";

namespace {
// The disc's files as the current folder holds them; a folder of the same
// name is not the file.
class CDiscFiles : public IDiscFiles
{
public:
    virtual bool Exists(const char* pszPath)
    {
        DWORD dwAttr = AfxGetFileAttributes(pszPath);
        return dwAttr != INVALID_FILE_ATTRIBUTES && !(dwAttr & FILE_ATTRIBUTE_DIRECTORY);
    }
};
} // namespace

// Another start holds the name: bring its menu to the front and return
// true, this start then ends. It may still be starting (no window yet) or
// ending (its window hidden, the name given up in a moment): wait a few
// seconds for either. If the name comes free, this start is the menu.
static bool ShowOtherMenu(HANDLE hOneMenu)
{
    for (int i = 0; i < 100; ++i) {
        HWND hWnd = AfxFindWindow("#32770", g_szMenuCaption);
        if (hWnd != NULL && ::IsWindowVisible(hWnd)) {
            if (::IsIconic(hWnd))
                ::ShowWindow(hWnd, SW_RESTORE);
            // Its open box, if it shows one.
            ::SetForegroundWindow(::GetLastActivePopup(hWnd));
            return true;
        }
        DWORD dwWait = ::WaitForSingleObject(hOneMenu, 50);
        if (dwWait == WAIT_OBJECT_0 || dwWait == WAIT_ABANDONED)
            return false;
    }
    // Held, with no menu to show: better two menus than none.
    return false;
}

BOOL CSetupMenuApp::InitInstance()
{
    ::SetLastError(0);  // a new mutex need not clear an older error
    HANDLE hOneMenu = ::CreateMutexA(NULL, TRUE, s_szOneMenu);
    if (hOneMenu != NULL && ::GetLastError() == ERROR_ALREADY_EXISTS && ShowOtherMenu(hOneMenu)) {
        ::CloseHandle(hOneMenu);
        return FALSE;
    }

    // Every file the menu opens, runs or copies is relative to the current
    // folder. AutoRun and Explorer start it in the disc's root; a command
    // prompt, the Run box or a shortcut without "Start in" may not.
    AfxEnterExeFolder();
    Enable3dControls();
    // Every button would fail without a word: say why first. The menu still
    // opens, for its web-site link.
    CDiscFiles discFiles;
    if (StartedAlone(discFiles))
        AfxMessageBox(g_szStartedAloneText, MB_ICONEXCLAMATION);

    CSetupMenuDlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();

    // The dialog was the program: end without a message loop. A start
    // waiting for the name may go on at once.
    m_pMainWnd = NULL;
    if (hOneMenu != NULL) {
        ::ReleaseMutex(hOneMenu);
        ::CloseHandle(hOneMenu);
    }
    return FALSE;
}
