// A DLL planted beside the menu under a system DLL's name (SHELL32.DLL,
// WINSPOOL.DRV): it records "<name> loaded" in VELTA_STANDIN_LOG when any
// process loads it. The menu must never load it.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID)
{
    if (dwReason != DLL_PROCESS_ATTACH)
        return TRUE;
    char szPath[MAX_PATH], szLog[MAX_PATH], szLine[MAX_PATH + 16];
    DWORD n = GetModuleFileNameA(hInstance, szPath, sizeof szPath);
    if (n == 0 || n >= sizeof szPath
        || GetEnvironmentVariableA("VELTA_STANDIN_LOG", szLog, sizeof szLog) - 1 >= sizeof szLog - 1)
        return TRUE;
    HANDLE h = CreateFileA(szLog, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                           OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (h != INVALID_HANDLE_VALUE) {
        lstrcpyA(szLine, szPath);
        lstrcatA(szLine, " loaded\r\n");
        DWORD cb;
        SetFilePointer(h, 0, NULL, FILE_END);
        WriteFile(h, szLine, lstrlenA(szLine), &cb, NULL);
        CloseHandle(h);
    }
    return TRUE;
}
