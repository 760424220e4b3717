#include "shell_win32.h"

#include "../framework/afxapp.h"

void CShellExecute::Open(bool bActiveOwner, const char* pszVerb, const char* pszFile,
                         const char* pszParameters, const char* pszDirectory, int nShowCmd)
{
    HWND hWndOwner = bActiveOwner ? ::GetActiveWindow() : NULL;
    // Without the shell the open fails silently, as any failed open does.
    AfxShellExecute(hWndOwner, pszVerb, pszFile, pszParameters, pszDirectory, nShowCmd);
}
