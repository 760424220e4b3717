#include "launch.h"
#include "../app/cd_paths.h"
#include "../res/resource.h"

#include <string.h>

const char g_szWebAddress[] = "http://www.velta.com.cn/";

// The address is copied into an 80-byte buffer before it is opened.
static_assert(sizeof g_szWebAddress <= 80, "the web address must fit 79 characters");

const LAUNCH_ROW g_launchTable[5] = {
    { IDC_BTN_TESTPROG,  g_szTestProgram },
    { IDC_DOC_OWNCMDS,   g_szDocOwnCmds },
    { IDC_DOC_EPSONCMDS, g_szDocEpsonCmds },
    { IDC_DOC_STARCMDS,  g_szDocStarCmds },
    { IDC_DRV_README,    g_szReadme },
};

void OpenCdFile(IShellOpen& shell, const char* pszPath)
{
    shell.Open(true, "open", pszPath, nullptr, nullptr, LAUNCH_SW_SHOWNORMAL);
}

bool LaunchForButton(IShellOpen& shell, int nID)
{
    for (const LAUNCH_ROW& row : g_launchTable) {
        if (row.nID == nID) {
            OpenCdFile(shell, row.pszTarget);
            return true;
        }
    }
    return false;
}

void LaunchWebSite(IShellOpen& shell)
{
    char szUrl[80];
    strcpy(szUrl, g_szWebAddress);
    shell.Open(false, "open", szUrl, nullptr, nullptr, LAUNCH_SW_SHOWNORMAL);
}
