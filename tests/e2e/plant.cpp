// A DLL planted beside the menu under a system DLL's name (SHELL32.DLL,
// WINSPOOL.DRV): it records "<path> loaded" in VELTA_STANDIN_LOG when any
// process loads it. The menu must never load it.
#include "cd/standin_log.h"

BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID)
{
    char szPath[MAX_PATH];
    DWORD n = GetModuleFileNameA(hInstance, szPath, sizeof szPath);
    if (dwReason == DLL_PROCESS_ATTACH && n > 0 && n < sizeof szPath)
        AppendStandinLog(szPath, " loaded");
    return TRUE;
}
