// startup: process start to the dialog's first paint, for two programs in
// turn, under the same conditions.
//   startup.exe RUNS A.exe B.exe      prints "A.exe MS" and "B.exe MS" lines
// The clock runs from just before CreateProcess to the moment the new
// process first waits for input (WaitForInputIdle): its dialog has been
// created, shown and painted and its modal loop has nothing left to do.
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>

static DWORD s_pid;
static HWND s_hFound;

static BOOL CALLBACK FindDialog(HWND h, LPARAM)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    if (pid == s_pid && IsWindowVisible(h)) {
        s_hFound = h;
        return FALSE;
    }
    return TRUE;
}

static double RunOnce(const char* pszExe)
{
    LARGE_INTEGER f, t0, t1;
    QueryPerformanceFrequency(&f);
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    char szCmd[MAX_PATH];
    lstrcpynA(szCmd, pszExe, sizeof szCmd);
    QueryPerformanceCounter(&t0);
    if (!CreateProcessA(NULL, szCmd, NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi))
        return -1;
    DWORD w = WaitForInputIdle(pi.hProcess, 20000);
    QueryPerformanceCounter(&t1);
    s_pid = pi.dwProcessId;
    s_hFound = NULL;
    EnumWindows(FindDialog, 0);
    double ms = (w == 0 && s_hFound) ? (t1.QuadPart - t0.QuadPart) * 1000.0 / f.QuadPart : -1;
    if (s_hFound)
        PostMessageA(s_hFound, WM_COMMAND, IDCANCEL, 0);
    if (WaitForSingleObject(pi.hProcess, 5000) != WAIT_OBJECT_0)
        TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return ms;
}

int main(int argc, char** argv)
{
    if (argc < 3) {
        fprintf(stderr, "usage: startup RUNS A.exe [B.exe ...]\n");
        return 2;
    }
    int nRuns = atoi(argv[1]);
    // One untimed start each, so that both find the same warm caches.
    for (int a = 2; a < argc; ++a)
        RunOnce(argv[a]);
    for (int i = 0; i < nRuns; ++i)
        for (int a = 2; a < argc; ++a)
            printf("%s %.1f\n", argv[a], RunOnce(argv[a]));
    return 0;
}
