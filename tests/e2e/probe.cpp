// probe: reads the running menu back for the end-to-end tests, the way a
// user sees it. Output is UTF-8, one fact a line:
//   menu HWND                    the menu dialog, found by its caption
//   ctl ID VISIBLE L T R B       each control, screen rectangle
//   panel TEXT                   the description, newlines as \n
//   box CAPTION|TEXT             a box owned by the menu
//   window TITLE                 any other visible top-level window
// Commands:
//   probe state
//   probe answer ID              press button ID of the menu's box
//   probe close TITLE-PART       close the top-level windows whose title has it
#include <windows.h>
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

static BOOL CALLBACK FindMenu(HWND h, LPARAM)
{
    wchar_t cls[64];
    GetClassNameW(h, cls, 64);
    if (lstrcmpW(cls, L"#32770") == 0 && Text(h) == L"VELTA · 票据打印专家") {
        s_hMenu = h;
        return FALSE;
    }
    return TRUE;
}

static BOOL CALLBACK PrintControl(HWND h, LPARAM)
{
    RECT rc;
    GetWindowRect(h, &rc);
    printf("ctl %d %d %ld %ld %ld %ld\n", (short)GetDlgCtrlID(h), IsWindowVisible(h) ? 1 : 0,
           rc.left, rc.top, rc.right, rc.bottom);
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
            printf("menu %p\n", (void*)s_hMenu);
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
    fprintf(stderr, "usage: probe state | answer ID | close TITLE\n");
    return 2;
}
