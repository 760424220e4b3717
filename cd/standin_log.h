// The record the sample CD's stand-ins keep: each appends one line to the
// file named by VELTA_STANDIN_LOG, if it is set.
#pragma once
#include <windows.h>

inline void AppendStandinLog(const char* pszName, const char* pszWhat)
{
    char szLog[MAX_PATH];
    if (GetEnvironmentVariableA("VELTA_STANDIN_LOG", szLog, sizeof szLog) - 1 >= sizeof szLog - 1)
        return;
    HANDLE h = CreateFileA(szLog, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                           OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (h == INVALID_HANDLE_VALUE)
        return;
    char szLine[MAX_PATH + 16];
    lstrcpynA(szLine, pszName, MAX_PATH);
    lstrcatA(szLine, pszWhat);
    lstrcatA(szLine, "\r\n");
    DWORD cb;
    SetFilePointer(h, 0, NULL, FILE_END);
    WriteFile(h, szLine, lstrlenA(szLine), &cb, NULL);
    CloseHandle(h);
}
