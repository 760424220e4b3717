// launch.h: the targets the menu hands to the shell.
//
// Each row opens its target with "open", no parameters, no directory and
// SW_SHOWNORMAL; the five files with the active window as owner, the web
// site with none. Nothing is checked and nothing is reported.
#pragma once

// ShellExecuteA, as the menu calls it (Open). bActiveOwner: the owner is
// GetActiveWindow(); otherwise there is none.
class IShellOpen
{
public:
    virtual ~IShellOpen() {}
    virtual void Open(bool bActiveOwner, const char* pszVerb, const char* pszFile,
                              const char* pszParameters, const char* pszDirectory,
                              int nShowCmd) = 0;
};

enum { LAUNCH_SW_SHOWNORMAL = 1 };

struct LAUNCH_ROW
{
    int nID;                // the button that triggers it
    const char* pszTarget;  // relative to the CD root
};

extern const LAUNCH_ROW g_launchTable[5];
extern const char g_szWebAddress[];

// Opens a CD file with the active window as owner.
void OpenCdFile(IShellOpen& shell, const char* pszPath);
// Opens the row of button nID; false when no row has that button.
bool LaunchForButton(IShellOpen& shell, int nID);
void LaunchWebSite(IShellOpen& shell);
