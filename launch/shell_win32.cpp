#include "shell_win32.h"

#include <windows.h>
#include <shellapi.h>

void CShellExecute::Open(bool bActiveOwner, const char* pszVerb, const char* pszFile,
                                 const char* pszParameters, const char* pszDirectory,
                                 int nShowCmd)
{
    HWND hWndOwner = bActiveOwner ? ::GetActiveWindow() : NULL;
    ::ShellExecuteA(hWndOwner, pszVerb, pszFile, pszParameters, pszDirectory, nShowCmd);
}
