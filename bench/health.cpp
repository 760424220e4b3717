// health: the running menu's state for the soak: whether it answers, how
// many windows its process has, and its memory. Output, one fact a line:
//   alive 0|1
//   windows N
//   memory PRIVATE WORKINGSET
#include <windows.h>
#include <psapi.h>
#include <stdio.h>

static DWORD s_nPid;
static int s_nWindows;

static BOOL CALLBACK CountChild(HWND, LPARAM)
{
    ++s_nWindows;
    return TRUE;
}

// The process's windows, children included: the USER objects we can count.
static BOOL CALLBACK CountWindows(HWND h, LPARAM)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    if (pid == s_nPid) {
        ++s_nWindows;
        EnumChildWindows(h, CountChild, 0);
    }
    return TRUE;
}

int wmain()
{
    HWND hMenu = FindWindowW(L"#32770", L"VELTA · 票据打印专家");
    if (hMenu == NULL)
        return 1;
    DWORD_PTR r;
    BOOL bAlive = SendMessageTimeoutW(hMenu, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &r) != 0;
    GetWindowThreadProcessId(hMenu, &s_nPid);
    EnumWindows(CountWindows, 0);
    printf("alive %d\nwindows %d\n", bAlive ? 1 : 0, s_nWindows);
    HANDLE hProc = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, s_nPid);
    PROCESS_MEMORY_COUNTERS pmc = {};
    pmc.cb = sizeof pmc;
    if (hProc && K32GetProcessMemoryInfo(hProc, &pmc, sizeof pmc))
        printf("memory %lu %lu\n", (unsigned long)pmc.PagefileUsage, (unsigned long)pmc.WorkingSetSize);
    if (hProc)
        CloseHandle(hProc);
    return 0;
}
