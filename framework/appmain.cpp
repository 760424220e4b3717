// The program entry: initialise the one application object and run it.
// Kept in its own file so that test programs, which have their own main,
// do not pull it in.
#include "afxapp.h"

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == NULL || !pApp->InitApplication(hInstance))
        return -1;
    // The program runs its modal dialog inside InitInstance and returns
    // FALSE; the framework has no message loop of its own to enter.
    pApp->InitInstance();
    return pApp->ExitInstance();
}
