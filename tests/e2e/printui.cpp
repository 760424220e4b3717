// printui.dll for the end-to-end runs, in place of Wine's, which does
// nothing for /if. Built for 32 and 64 bits, copied into the prefix's
// system folders and loaded with WINEDLLOVERRIDES=printui=n, it shows which
// one the menu's printer-install command reached. PrintUIEntryW appends
//   printui x86|x64 ran in FOLDER show N: COMMAND
// to the file VELTA_PRINTUI_LOG names (UTF-8), then holds the command open
// while the file VELTA_PRINTUI_HOLD names exists (a minute at most). Once
// its process has ended, as the menu sees it (its handle signalled), a
// second rundll32, which waits on that handle, appends
//   printui x86|x64 ended
#include <windows.h>
#include <stdlib.h>

static const wchar_t* const s_pszArch = sizeof(void*) == 8 ? L"x64" : L"x86";

static void Append(const wchar_t* pszLine)
{
    wchar_t szLog[MAX_PATH];
    if (!GetEnvironmentVariableW(L"VELTA_PRINTUI_LOG", szLog, MAX_PATH))
        return;
    HANDLE h = CreateFileW(szLog, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_ALWAYS, 0, NULL);
    if (h == INVALID_HANDLE_VALUE)
        return;
    char szUtf8[4096];
    int n = WideCharToMultiByte(CP_UTF8, 0, pszLine, -1, szUtf8, sizeof szUtf8 - 1, NULL, NULL);
    if (n > 0) {
        szUtf8[n - 1] = '\n';
        DWORD dw;
        WriteFile(h, szUtf8, n, &dw, NULL);
    }
    CloseHandle(h);
}

extern "C" __declspec(dllexport) void WINAPI PrintUIEntryW(HWND, HINSTANCE, LPCWSTR pszCmdLine, DWORD nCmdShow)
{
    wchar_t szDir[MAX_PATH], szLine[1024 + MAX_PATH];
    if (!GetCurrentDirectoryW(MAX_PATH, szDir))
        szDir[0] = L'\0';
    wsprintfW(szLine, L"printui %s ran in %s show %lu: %.1000s", s_pszArch, szDir, nCmdShow,
              pszCmdLine ? pszCmdLine : L"(none)");
    Append(szLine);
    wchar_t szHold[MAX_PATH];
    if (GetEnvironmentVariableW(L"VELTA_PRINTUI_HOLD", szHold, MAX_PATH))
        for (int i = 0; i < 1200 && GetFileAttributesW(szHold) != INVALID_FILE_ATTRIBUTES; ++i)
            Sleep(50);
    // The entry's return is not yet the end: rundll32 still runs a moment.
    HANDLE hSelf;
    wchar_t szExe[MAX_PATH];
    if (DuplicateHandle(GetCurrentProcess(), GetCurrentProcess(), GetCurrentProcess(), &hSelf, SYNCHRONIZE, TRUE, 0) &&
        GetModuleFileNameW(NULL, szExe, MAX_PATH)) {
        wsprintfW(szLine, L"\"%s\" printui.dll,EndedW %lu", szExe, (unsigned long)(ULONG_PTR)hSelf);
        STARTUPINFOW si = {};
        si.cb = sizeof si;
        si.dwFlags = STARTF_USESHOWWINDOW;
        si.wShowWindow = SW_HIDE;
        PROCESS_INFORMATION pi;
        if (CreateProcessW(szExe, szLine, NULL, NULL, TRUE, 0, NULL, NULL, &si, &pi)) {
            CloseHandle(pi.hThread);
            CloseHandle(pi.hProcess);
        }
    }
}

extern "C" __declspec(dllexport) void WINAPI EndedW(HWND, HINSTANCE, LPCWSTR pszCmdLine, DWORD)
{
    WaitForSingleObject((HANDLE)(ULONG_PTR)wcstoul(pszCmdLine, NULL, 10), INFINITE);
    wchar_t szLine[32];
    wsprintfW(szLine, L"printui %s ended", s_pszArch);
    Append(szLine);
}
