// probe: reads the running menu back for the end-to-end tests, the way a
// user sees it. Output is UTF-8, one fact a line:
//   menu HWND L T R B ENABLED    the menu dialog, found by its caption; screen rectangle
//   menus N ICONIC FRONT         how many menus are open; the first minimised, in front
//   focus ID                     the control that has the keyboard focus
//   ctl ID VISIBLE L T R B HWND  each control, screen rectangle
//   panel TEXT                   the description, newlines as \n
//   box CAPTION|TEXT             a box owned by the menu
//   window TITLE                 any other visible top-level window
// Commands:
//   probe state
//   probe answer ID              press button ID of the menu's box
//   probe close TITLE-PART       close the top-level windows whose title has it
//   probe post MSG WPARAM [LPARAM] post a message to the menu (a WM_APP+N marks a message trace)
//   probe rules                  "rules Y...": the rows, from the top, of the open popup menu
//                                that are a separator's shadow line
//   probe look ID                "look ID TOP LEFT RIGHT BOTTOM BLUE RUN DX DY": the control as
//                                drawn on the screen: the middle pixel of each edge (named
//                                when a system colour: face hi shadow text), its pure-blue
//                                pixels, their longest run along a row, and how far right
//                                and down of centre they lie (twice the offset)
//   probe pixels ID              "pixels ID HASH": the control as drawn, every pixel
//   probe contrast ID            "contrast ID RATIO": its most common colour inside the edges
//                                against the next one (the label's), WCAG, times 100
#include <windows.h>
#include <stdio.h>
#include <algorithm>
#include <cmath>
#include <map>
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
static BOOL CALLBACK CloseMatching(HWND h, LPARAM)
{
    if (h != s_hMenu && IsWindowVisible(h) && Text(h).find(s_closeTitle) != std::wstring::npos)
        PostMessageW(h, WM_CLOSE, 0, 0);
    return TRUE;
}

static std::string Colour(COLORREF c)
{
    const struct { int n; const char* psz; } names[] = {
        { COLOR_BTNFACE, "face" }, { COLOR_BTNHIGHLIGHT, "hi" }, { COLOR_BTNSHADOW, "shadow" },
        { COLOR_BTNTEXT, "text" },
    };
    for (const auto& n : names)
        if (GetSysColor(n.n) == c)
            return n.psz;
    char sz[8];
    snprintf(sz, sizeof sz, "%02X%02X%02X", GetRValue(c), GetGValue(c), GetBValue(c));
    return sz;
}

static void Look(HWND h)
{
    RECT rc, ink = { 9999, 9999, -1, -1 };  // the blue pixels' bounds
    GetWindowRect(h, &rc);
    HDC hdc = GetDC(NULL);
    int nBlue = 0, nRun = 0;
    for (int y = rc.top; y < rc.bottom; ++y) {
        for (int x = rc.left, run = 0; x < rc.right; ++x) {
            run = GetPixel(hdc, x, y) == RGB(0, 0, 255) ? run + 1 : 0;
            if (run > 0) {
                ++nBlue;
                ink = { std::min(ink.left, (LONG)x), std::min(ink.top, (LONG)y), x + 1 > ink.right ? x + 1 : ink.right, y + 1 };
            }
            nRun = run > nRun ? run : nRun;
        }
    }
    const int cx = (rc.left + rc.right) / 2, cy = (rc.top + rc.bottom) / 2;
    printf("look %d %s %s %s %s %d %d %ld %ld\n", GetDlgCtrlID(h), Colour(GetPixel(hdc, cx, rc.top)).c_str(),
           Colour(GetPixel(hdc, rc.left, cy)).c_str(), Colour(GetPixel(hdc, rc.right - 1, cy)).c_str(),
           Colour(GetPixel(hdc, cx, rc.bottom - 1)).c_str(), nBlue, nRun,
           nBlue ? (ink.left - rc.left) - (rc.right - ink.right) : 0,
           nBlue ? (ink.top - rc.top) - (rc.bottom - ink.bottom) : 0);
    ReleaseDC(NULL, hdc);
}

static int s_nMenus;
static BOOL CALLBACK CountMenus(HWND h, LPARAM)
{
    wchar_t cls[16];
    GetClassNameW(h, cls, 16);
    s_nMenus += lstrcmpW(cls, L"#32770") == 0 && Text(h) == L"VELTA · 票据打印专家" && IsWindowVisible(h);
    return TRUE;
}

// The control's pixels, counted by colour; inset: without its outer edges.
static std::map<COLORREF, int> Pixels(HWND h, int inset, unsigned* pHash)
{
    RECT rc;
    GetWindowRect(h, &rc);
    HDC hdc = GetDC(NULL);
    std::map<COLORREF, int> n;
    unsigned hash = 2166136261u;
    for (int y = rc.top + inset; y < rc.bottom - inset; ++y)
        for (int x = rc.left + inset; x < rc.right - inset; ++x) {
            COLORREF c = GetPixel(hdc, x, y);
            ++n[c];
            hash = (hash ^ c) * 16777619u;
        }
    ReleaseDC(NULL, hdc);
    if (pHash)
        *pHash = hash;
    return n;
}

static double Luminance(COLORREF c)
{
    auto lin = [](int v) { double s = v / 255.0; return s <= 0.04045 ? s / 12.92 : pow((s + 0.055) / 1.055, 2.4); };
    return 0.2126 * lin(GetRValue(c)) + 0.7152 * lin(GetGValue(c)) + 0.0722 * lin(GetBValue(c));
}

static void Contrast(HWND h)
{
    std::map<COLORREF, int> n = Pixels(h, 2, NULL);
    COLORREF first = 0, second = 0;
    int n1 = 0, n2 = 0;
    for (const auto& [c, k] : n) {
        if (k > n1) { second = first; n2 = n1; first = c; n1 = k; }
        else if (k > n2) { second = c; n2 = k; }
    }
    double a = Luminance(first) + 0.05, b = Luminance(second) + 0.05;
    printf("contrast %d %d %06lX %06lX\n", GetDlgCtrlID(h), (int)(100 * std::max(a, b) / std::min(a, b)),
           first, second);
}

static BOOL CALLBACK Rules(HWND h, LPARAM)
{
    wchar_t cls[16];
    GetClassNameW(h, cls, 16);
    if (!IsWindowVisible(h) || lstrcmpW(cls, L"#32768") != 0)
        return TRUE;
    RECT rc;
    GetWindowRect(h, &rc);
    HDC hdc = GetDC(NULL);
    printf("rules");
    for (int y = rc.top; y < rc.bottom; ++y) {
        int n = 0;
        for (int x = rc.left + 4; x < rc.right - 4; ++x)
            n += GetPixel(hdc, x, y) == GetSysColor(COLOR_BTNSHADOW);
        if (n * 10 > (rc.right - rc.left - 8) * 9)
            printf(" %ld", y - rc.top);
    }
    printf("\n");
    ReleaseDC(NULL, hdc);
    return FALSE;
}

int wmain(int argc, wchar_t** argv)
{
    s_hMenu = FindWindowW(L"#32770", L"VELTA · 票据打印专家");
    std::wstring cmd = argc > 1 ? argv[1] : L"state";
    if (cmd == L"state") {
        if (s_hMenu) {
            RECT rc;
            GetWindowRect(s_hMenu, &rc);
            printf("menu %p %ld %ld %ld %ld %d\n", (void*)s_hMenu, rc.left, rc.top, rc.right, rc.bottom,
                   IsWindowEnabled(s_hMenu) ? 1 : 0);
            EnumChildWindows(s_hMenu, PrintControl, 0);
            printf("panel %s\n", Utf8(Text(GetDlgItem(s_hMenu, 1007))).c_str());
            GUITHREADINFO gti = {};
            gti.cbSize = sizeof gti;
            if (GetGUIThreadInfo(GetWindowThreadProcessId(s_hMenu, NULL), &gti) && gti.hwndFocus)
                printf("focus %d\n", (short)GetDlgCtrlID(gti.hwndFocus));
            EnumWindows(CountMenus, 0);
            printf("menus %d %d %d\n", s_nMenus, IsIconic(s_hMenu) ? 1 : 0, GetForegroundWindow() == s_hMenu ? 1 : 0);
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
    if (cmd == L"post" && argc > 3 && s_hMenu) {
        PostMessageW(s_hMenu, wcstoul(argv[2], NULL, 0), wcstoul(argv[3], NULL, 0),
                     argc > 4 ? wcstoul(argv[4], NULL, 0) : 0);
        return 0;
    }
    if (cmd == L"rules") {
        EnumWindows(Rules, 0);
        return 0;
    }
    if (cmd == L"pixels" && argc > 2 && s_hMenu) {
        unsigned hash;
        Pixels(GetDlgItem(s_hMenu, _wtoi(argv[2])), 0, &hash);
        printf("pixels %ls %08X\n", argv[2], hash);
        return 0;
    }
    if (cmd == L"contrast" && argc > 2 && s_hMenu) {
        Contrast(GetDlgItem(s_hMenu, _wtoi(argv[2])));
        return 0;
    }
    if (cmd == L"look" && argc > 2 && s_hMenu) {
        Look(GetDlgItem(s_hMenu, _wtoi(argv[2])));
        return 0;
    }
    fprintf(stderr, "usage: probe state | answer ID | close TITLE | post MSG WPARAM [LPARAM] | look ID | pixels ID | contrast ID\n");
    return 2;
}
