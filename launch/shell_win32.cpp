#include "shell_win32.h"

#include "../framework/afxapp.h"

// SHELL32 is loaded on the first open, not at start-up: the menu needs it
// only when a button is clicked, and loading it (and what it pulls in)
// is most of what the menu's start would otherwise cost beyond its dialog.
typedef HINSTANCE (WINAPI* PFN_SHELLEXECUTEA)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);

static PFN_SHELLEXECUTEA ShellExecuteProc()
{
    static PFN_SHELLEXECUTEA s_pfn = NULL;
    if (s_pfn == NULL) {
        if (HMODULE hShell = AfxLoadSystemLibraryUsingFullPath("SHELL32.DLL"))
            s_pfn = (PFN_SHELLEXECUTEA)(void*)::GetProcAddress(hShell, "ShellExecuteA");
    }
    return s_pfn;
}

void CShellExecute::Open(bool bActiveOwner, const char* pszVerb, const char* pszFile,
                         const char* pszParameters, const char* pszDirectory, int nShowCmd)
{
    HWND hWndOwner = bActiveOwner ? ::GetActiveWindow() : NULL;
    // Without the shell the open fails silently, as any failed open does.
    if (PFN_SHELLEXECUTEA pfn = ShellExecuteProc())
        pfn(hWndOwner, pszVerb, pszFile, pszParameters, pszDirectory, nShowCmd);
}
