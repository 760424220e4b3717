// probe: reads the running menu back for the end-to-end tests, the way a
// user sees it. Output is UTF-8, one fact a line:
//   menu HWND L T R B            the menu dialog, found by its caption; screen rectangle
//   ctl ID VISIBLE L T R B HWND  each control, screen rectangle
//   panel TEXT                   the description, newlines as \n
//   box CAPTION|TEXT             a box owned by the menu
//   window TITLE                 any other visible top-level window
// Commands:
//   probe state
//   probe answer ID              press button ID of the menu's box
//   probe close TITLE-PART       close the top-level windows whose title has it
//   probe mark N                 post WM_APP+N to the menu: a marker in a message trace
//   probe health                 "alive 0|1", "windows N" and "memory PRIVATE WORKINGSET"
//                                of the menu's process
#include <windows.h>
#include <psapi.h>
#include <stdio.h>
#include <string>

static std::string Utf8(const std::wstring& w)
{
    std::string s;
    for (wchar_t c : w) {
        if (c == L'\n') { s += "\\n"; continue; }
        if (c == L'\r') continue;
        char buf[8];
        int n = WideCharToMultiByte(CP_UTF8, 0, &c, 1, buf, sizeof buf, NULL, NULL);
        s.append(buf, n);
    }
    return s;
}

static std::wstring Text(HWND h)
{
    wchar_t buf[2048];
    int n = GetWindowTextW(h, buf, 2048);
    return std::wstring(buf, n > 0 ? n : 0);
}

static HWND s_hMenu;
static const wchar_t* s_pszCaption = L"VELTA · 票据打印专家";

static BOOL CALLBACK FindMenu(HWND h, LPARAM)
{
    wchar_t cls[64];
    GetClassNameW(h, cls, 64);
    if (lstrcmpW(cls, L"#32770") == 0 && Text(h) == s_pszCaption) {
        s_hMenu = h;
        return FALSE;
    }
    return TRUE;
}

static BOOL CALLBACK PrintControl(HWND h, LPARAM)
{
    RECT rc;
    GetWindowRect(h, &rc);
    printf("ctl %d %d %ld %ld %ld %ld %p\n", (short)GetDlgCtrlID(h), IsWindowVisible(h) ? 1 : 0,
           rc.left, rc.top, rc.right, rc.bottom, (void*)h);
    return TRUE;
}

static BOOL CALLBACK PrintWindow(HWND h, LPARAM)
{
    if (h == s_hMenu || !IsWindowVisible(h))
        return TRUE;
    if (s_hMenu && GetWindow(h, GW_OWNER) == s_hMenu)
        printf("box %s|%s\n", Utf8(Text(h)).c_str(), Utf8(Text(GetDlgItem(h, 0xFFFF))).c_str());
    else if (!Text(h).empty())
        printf("window %s\n", Utf8(Text(h)).c_str());
    return TRUE;
}

static std::wstring s_closeTitle;
static DWORD s_nPid;
static int s_nWindows;

// USER objects we can count: the process's windows, children included.
static BOOL CALLBACK CountChild(HWND, LPARAM)
{
    ++s_nWindows;
    return TRUE;
}

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

static BOOL CALLBACK CloseMatching(HWND h, LPARAM)
{
    if (h != s_hMenu && IsWindowVisible(h) && Text(h).find(s_closeTitle) != std::wstring::npos)
        PostMessageW(h, WM_CLOSE, 0, 0);
    return TRUE;
}

int wmain(int argc, wchar_t** argv)
{
    EnumWindows(FindMenu, 0);
    std::wstring cmd = argc > 1 ? argv[1] : L"state";
    if (cmd == L"state") {
        if (s_hMenu) {
            RECT rc;
            GetWindowRect(s_hMenu, &rc);
            printf("menu %p %ld %ld %ld %ld\n", (void*)s_hMenu, rc.left, rc.top, rc.right, rc.bottom);
            EnumChildWindows(s_hMenu, PrintControl, 0);
            printf("panel %s\n", Utf8(Text(GetDlgItem(s_hMenu, 1007))).c_str());
        }
        EnumWindows(PrintWindow, 0);
        return 0;
    }
    if (cmd == L"answer" && argc > 2) {
        for (HWND h = GetTopWindow(NULL); h; h = GetWindow(h, GW_HWNDNEXT)) {
            if (s_hMenu && GetWindow(h, GW_OWNER) == s_hMenu && IsWindowVisible(h)) {
                PostMessageW(h, WM_COMMAND, _wtoi(argv[2]), 0);
                return 0;
            }
        }
        return 1;
    }
    if (cmd == L"close" && argc > 2) {
        s_closeTitle = argv[2];
        EnumWindows(CloseMatching, 0);
        return 0;
    }
    if (cmd == L"mark" && argc > 2 && s_hMenu) {
        PostMessageW(s_hMenu, WM_APP + _wtoi(argv[2]), 0, 0);
        return 0;
    }
    if (cmd == L"health" && s_hMenu) {
        DWORD_PTR r;
        BOOL bAlive = SendMessageTimeoutW(s_hMenu, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &r) != 0;
        DWORD pid = 0;
        GetWindowThreadProcessId(s_hMenu, &pid);
        s_nPid = pid;
        s_nWindows = 0;
        EnumWindows(CountWindows, 0);
        printf("alive %d\nwindows %d\n", bAlive ? 1 : 0, s_nWindows);
        HANDLE hProc = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
        PROCESS_MEMORY_COUNTERS pmc = {};
        pmc.cb = sizeof pmc;
        if (hProc && K32GetProcessMemoryInfo(hProc, &pmc, sizeof pmc))
            printf("memory %lu %lu\n", (unsigned long)pmc.PagefileUsage, (unsigned long)pmc.WorkingSetSize);
        if (hProc)
            CloseHandle(hProc);
        return 0;
    }
    fprintf(stderr, "usage: probe state | answer ID | close TITLE | mark N | health\n");
    return 2;
}
