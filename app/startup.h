// startup.h: the menu's start-up rules, apart from the window system.
//
//   InitMenuState     decides the Windows family, hides both groups and
//                     puts the welcome text in the panel
//   AddAboutMenuItem  appends the About item to the system menu
//   MinimizedIconPos  where the minimised dialog draws its icon
//   StartedAlone      whether none of the disc's files is beside the menu
#pragma once

// What start-up does to the dialog; the dialog implements it.
class IStartupOps
{
public:
    virtual ~IStartupOps() {}
    // GetVersionExA with a zeroed 148-byte record; the platform id on success.
    virtual bool QueryVersion(unsigned long* pdwPlatformId) = 0;
    virtual void AppMessageBox(const char* pszText) = 0;  // AfxMessageBox, style 0
    virtual void HideControl(int nID) = 0;
    virtual void SetPanelText(const char* pszText) = 0;   // member, then UpdateData(FALSE)
};

// 0 for Win32s (0) and Windows 9x (1); 1 for NT (2) and anything unknown.
int NtPlatformFlag(unsigned long dwPlatformId);

// Steps 4 to 8 of the dialog's initialisation; returns the family flag.
// A failed version query leaves the flag at 1 and skips the rest.
int InitMenuState(IStartupOps& ops);

class ISystemMenuOps
{
public:
    virtual ~ISystemMenuOps() {}
    virtual bool HasSystemMenu() = 0;
    // String 101; the text lives until the next call.
    virtual const char* LoadAboutText() = 0;
    virtual void AppendSeparator() = 0;
    virtual void AppendItem(unsigned nID, const char* pszText) = 0;
};

void AddAboutMenuItem(ISystemMenuOps& ops);

struct ICON_POS { int x; int y; };
ICON_POS MinimizedIconPos(int nClientWidth, int nClientHeight, int nIconWidth, int nIconHeight);

class IDiscFiles
{
public:
    virtual ~IDiscFiles() {}
    // Whether the file at the disc-relative path is in the current folder.
    virtual bool Exists(const char* pszPath) = 0;
};

// True when not one of the disc's files is there: the menu was copied out
// alone, or Explorer ran it from inside a ZIP (it extracts that one file to
// a folder of its own). Some missing is a maker's choice, and says nothing.
bool StartedAlone(IDiscFiles& files);

// The menu dialog's caption, as its template has it: how a second start
// finds the menu that is open.
extern const char g_szMenuCaption[];
extern const char g_szWelcomeText[];
extern const char g_szNoVersionText[];
extern const char g_szStartedAloneText[];
extern const int g_groupControls[7];
