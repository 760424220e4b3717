// probe: reads the running menu back for the end-to-end tests, the way a
// user sees it. Output is UTF-8, one fact a line:
//   menu HWND L T R B ENABLED    the menu dialog, visible, found by its caption; screen rectangle
//   client L T R B               its client area on the screen
//   unicode 0|1                  whether the menu's window is a Unicode one
//   menus N ICONIC FRONT         how many menus are open; the first minimised, in front
//   focus ID                     the control that has the keyboard focus
//   ctl ID VISIBLE L T R B HWND  each control, screen rectangle
//   text ID TEXT                 each control's text, as accessibility tools read it
//   fit ID NEED WIDTH            each shown text's need across, measured here in the dialog's
//                                font, 宋体 9 pt at the screen's scale (or at VELTA_PROBE_DPI,
//                                after "rescale"), a link's in its heavy one, and its control's
//                                width. Wine tells no other process a window's font.
//   logo L T R B                 the logo's static, screen rectangle
//   panel TEXT                   the description, newlines as \n
//   box CAPTION|TEXT             a box owned by the menu; with no menu open, any message box
//   window TITLE                 any other visible top-level window
//   popup L T R B                an open popup menu's screen rectangle
//   colours FACE HI SHADOW TEXT  the button colours, each R,G,B
// Commands:
//   probe state
//   probe answer ID              press button ID of the menu's box, or of the box shown before it
//   probe close TITLE-PART       close the top-level windows whose title has it
//   probe post MSG WPARAM [LPARAM] post a message to the menu (a WM_APP+N marks a message trace)
//   probe send ID MSG WPARAM     send a message to the menu's control ID and wait for it
//   probe ending MS              for MS ms, be a menu that has just ended: its window there,
//                                hidden, and its one-menu name held; prints "ending" once so,
//                                or "held" at once if a menu holds the name
//   probe start DLL EXE          starts EXE suspended, hooks its main thread with DLL's CbtProc
//                                (WH_CBT: dlgmgr.dll, the dialog manager's stand-in), lets it
//                                run, and waits until it has ended
//   probe rescale FROM TO        what Windows sends at a change of scale from FROM to TO dpi:
//                                WM_GETDPISCALEDSIZE, then WM_DPICHANGED with the window's
//                                rectangle 8 pixels down and right, its size the answer or the
//                                window's scaled by TO / FROM; prints "suggested L T R B"
//   probe icons                  "icons BIG SMALL": the sizes of the menu's icons, as the
//                                stand-in reads them inside the menu
#include <windows.h>
#include <stdio.h>
#include <string>

static std::string Utf8(const std::wstring& w)
{
    std::string s(w.size() * 3, '\0'), out;
    s.resize(WideCharToMultiByte(CP_UTF8, 0, w.c_str(), (int)w.size(), &s[0], (int)s.size(), NULL, NULL));
    for (char c : s)
        out += c == '\n' ? "\\n" : c == '\r' ? "" : std::string(1, c);
    return out;
}

static std::wstring Text(HWND h)
{
    wchar_t buf[2048];
    int n = GetWindowTextW(h, buf, 2048);
    return std::wstring(buf, n > 0 ? n : 0);
}

static HWND s_hMenu, s_hLoneBox;
static HDC s_hdc;

// A font here like the controls': the dialog's 宋体 9 pt, as the dialog
// manager makes it at this scale. Heavy: a link's hover font.
static HFONT LikeControls(bool bHeavy)
{
    LOGFONTW lf = {};
    const wchar_t* pszDpi = _wgetenv(L"VELTA_PROBE_DPI");
    lf.lfHeight = -MulDiv(9, pszDpi ? _wtoi(pszDpi) : GetDeviceCaps(s_hdc, LOGPIXELSY), 72);
    lf.lfCharSet = DEFAULT_CHARSET;
    lstrcpyW(lf.lfFaceName, L"宋体");
    if (bHeavy)
        lf.lfWeight = FW_HEAVY, lf.lfUnderline = 1;
    return CreateFontIndirectW(&lf);
}

static RECT Extent(HFONT hFont, const std::wstring& text)
{
    HGDIOBJ hOld = SelectObject(s_hdc, hFont);
    RECT rc = { 0, 0, 0, 0 };
    DrawTextW(s_hdc, text.c_str(), (int)text.size(), &rc, DT_CALCRECT | DT_NOPREFIX);
    DeleteObject(SelectObject(s_hdc, hOld));
    return rc;
}

static BOOL CALLBACK PrintControl(HWND h, LPARAM)
{
    RECT rc;
    GetWindowRect(h, &rc);
    int nID = (short)GetDlgCtrlID(h);
    printf("ctl %d %d %ld %ld %ld %ld %p\n", nID, IsWindowVisible(h) ? 1 : 0, rc.left, rc.top, rc.right, rc.bottom, (void*)h);
    printf("text %d %s\n", nID, Utf8(Text(h)).c_str());
    wchar_t cls[16];
    GetClassNameW(h, cls, 16);
    LONG style = GetWindowLongW(h, GWL_STYLE);
    bool bButton = lstrcmpiW(cls, L"Button") == 0, bLink = bButton && (style & BS_TYPEMASK) == BS_OWNERDRAW;
    if (!bButton && (style & SS_TYPEMASK) == SS_BITMAP)
        printf("logo %ld %ld %ld %ld\n", rc.left, rc.top, rc.right, rc.bottom);
    else if (IsWindowVisible(h) && !Text(h).empty() && (style & BS_TYPEMASK) != BS_GROUPBOX)
        printf("fit %d %ld %ld\n", nID, Extent(LikeControls(bLink), Text(h)).right +
               (bLink ? 2 : bButton ? 2 * GetSystemMetrics(SM_CXEDGE) : 0), rc.right - rc.left);
    return TRUE;
}

static const wchar_t s_szCaption[] = L"VELTA · 票据打印专家";
static int s_nMenus;
static std::wstring s_closeTitle;  // probe close: every window but the menu whose title has it

// A dialog with the text 0xFFFF: a message box.
static bool IsMessageBox(HWND h)
{
    wchar_t cls[16];
    return GetClassNameW(h, cls, 16) && lstrcmpW(cls, L"#32770") == 0 && GetDlgItem(h, 0xFFFF) != NULL;
}

static BOOL CALLBACK PrintWindow(HWND h, LPARAM)
{
    wchar_t cls[16];
    GetClassNameW(h, cls, 16);
    if (!IsWindowVisible(h))
        return TRUE;
    s_nMenus += lstrcmpW(cls, L"#32770") == 0 && Text(h) == s_szCaption;
    if (h == s_hMenu)
        return TRUE;
    if (!s_closeTitle.empty() && Text(h).find(s_closeTitle) != std::wstring::npos)
        PostMessageW(h, WM_CLOSE, 0, 0);
    RECT rc;
    if (lstrcmpW(cls, L"#32768") == 0 && GetWindowRect(h, &rc))
        printf("popup %ld %ld %ld %ld\n", rc.left, rc.top, rc.right, rc.bottom);
    if (s_hMenu ? GetWindow(h, GW_OWNER) == s_hMenu : IsMessageBox(h))
        printf("box %s|%s\n", Utf8(Text(h)).c_str(), Utf8(Text(GetDlgItem(h, 0xFFFF))).c_str());
    else if (!Text(h).empty())
        printf("window %s\n", Utf8(Text(h)).c_str());
    return TRUE;
}

static BOOL CALLBACK FindLoneBox(HWND h, LPARAM)
{
    if (IsWindowVisible(h) && IsMessageBox(h))
        s_hLoneBox = h;
    return s_hLoneBox == NULL;
}

static BOOL CALLBACK FindMenu(HWND h, LPARAM)
{
    wchar_t cls[16];
    if (IsWindowVisible(h) && GetClassNameW(h, cls, 16) && lstrcmpW(cls, L"#32770") == 0 && Text(h) == s_szCaption)
        s_hMenu = h;
    return s_hMenu == NULL;
}

int wmain(int argc, wchar_t** argv)
{
    // A menu that has ended is hidden a moment before its process exits: not the menu.
    EnumWindows(FindMenu, 0);
    std::wstring cmd = argc > 1 ? argv[1] : L"state";
    if (cmd == L"state") {
        if (s_hMenu) {
            RECT rc;
            GetWindowRect(s_hMenu, &rc);
            printf("menu %p %ld %ld %ld %ld %d\n", (void*)s_hMenu, rc.left, rc.top, rc.right, rc.bottom,
                   IsWindowEnabled(s_hMenu) ? 1 : 0);
            printf("unicode %d\n", IsWindowUnicode(s_hMenu) ? 1 : 0);
            POINT pt = { 0, 0 };
            GetClientRect(s_hMenu, &rc);
            ClientToScreen(s_hMenu, &pt);
            printf("client %ld %ld %ld %ld\n", pt.x, pt.y, pt.x + rc.right, pt.y + rc.bottom);
            s_hdc = GetDC(NULL);
            EnumChildWindows(s_hMenu, PrintControl, 0);
            printf("panel %s\n", Utf8(Text(GetDlgItem(s_hMenu, 1007))).c_str());
            GUITHREADINFO gti = {};
            gti.cbSize = sizeof gti;
            if (GetGUIThreadInfo(GetWindowThreadProcessId(s_hMenu, NULL), &gti) && gti.hwndFocus)
                printf("focus %d\n", (short)GetDlgCtrlID(gti.hwndFocus));
            printf("colours");
            for (int n : { COLOR_BTNFACE, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW, COLOR_BTNTEXT })
                printf(" %d,%d,%d", GetRValue(GetSysColor(n)), GetGValue(GetSysColor(n)), GetBValue(GetSysColor(n)));
            printf("\n");
        }
        EnumWindows(PrintWindow, 0);
        if (s_hMenu)
            printf("menus %d %d %d\n", s_nMenus, IsIconic(s_hMenu) ? 1 : 0, GetForegroundWindow() == s_hMenu ? 1 : 0);
        return 0;
    }
    HWND hBox = s_hMenu ? GetLastActivePopup(s_hMenu) : NULL;
    if (!s_hMenu) {
        EnumWindows(FindLoneBox, 0);
        hBox = s_hLoneBox;
    }
    if (cmd == L"answer" && argc > 2 && hBox != s_hMenu)
        return !PostMessageW(hBox, WM_COMMAND, _wtoi(argv[2]), 0);
    if (cmd == L"close" && argc > 2) {
        s_closeTitle = argv[2];
        EnumWindows(PrintWindow, 0);
        return 0;
    }
    if (cmd == L"post" && argc > 3 && s_hMenu) {
        PostMessageW(s_hMenu, wcstoul(argv[2], NULL, 0), wcstoul(argv[3], NULL, 0),
                     argc > 4 ? wcstoul(argv[4], NULL, 0) : 0);
        return 0;
    }
    if (cmd == L"send" && argc > 4 && s_hMenu) {
        SendMessageW(GetDlgItem(s_hMenu, _wtoi(argv[2])), wcstoul(argv[3], NULL, 0), wcstoul(argv[4], NULL, 0), 0);
        return 0;
    }
    if (cmd == L"rescale" && argc > 3 && s_hMenu) {
        // The suggested rectangle at one address in both processes, as the
        // message is passed on as it is or copied.
        int nFrom = _wtoi(argv[2]), nTo = _wtoi(argv[3]);
        RECT rc;
        GetWindowRect(s_hMenu, &rc);
        SIZE size = { MulDiv(rc.right - rc.left, nTo, nFrom), MulDiv(rc.bottom - rc.top, nTo, nFrom) };
        void* const pAt = (void*)0x30000000;
        DWORD dwPid;
        GetWindowThreadProcessId(s_hMenu, &dwPid);
        HANDLE hProcess = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, dwPid);
        if (!hProcess || VirtualAlloc(pAt, sizeof rc, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE) != pAt ||
            (VirtualAllocEx(hProcess, pAt, sizeof rc, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE) != pAt &&
             GetLastError() != ERROR_INVALID_ADDRESS) ||
            !WriteProcessMemory(hProcess, pAt, &size, sizeof size, NULL))
            return 1;
        // Windows' order ("WM_GETDPISCALEDSIZE message": sent to a per-monitor-v2
        // window before WM_DPICHANGED, its answer the suggested rectangle's
        // size): the window's own size at the new scale, where its dialog
        // manager has one, else the window's scaled.
        DWORD_PTR dwAnswered = 0;
        SIZE answer;
        if (SendMessageTimeoutW(s_hMenu, WM_GETDPISCALEDSIZE, nTo, (LPARAM)pAt, SMTO_ABORTIFHUNG, 5000, &dwAnswered) &&
            dwAnswered && ReadProcessMemory(hProcess, pAt, &answer, sizeof answer, NULL))
            size = answer;
        SetRect(&rc, rc.left + 8, rc.top + 8, rc.left + 8 + size.cx, rc.top + 8 + size.cy);
        if (!WriteProcessMemory(hProcess, pAt, &rc, sizeof rc, NULL))
            return 1;
        *(RECT*)pAt = rc;
        PostMessageW(s_hMenu, WM_DPICHANGED, MAKEWPARAM(nTo, nTo), (LPARAM)pAt);
        printf("suggested %ld %ld %ld %ld\n", rc.left, rc.top, rc.right, rc.bottom);
        return 0;
    }
    if (cmd == L"icons" && s_hMenu) {
        DWORD_PTR dwSizes = 0;
        SendMessageTimeoutW(s_hMenu, RegisterWindowMessageW(L"VeltaDlgMgrIcons"), 0, 0, SMTO_ABORTIFHUNG, 5000, &dwSizes);
        printf("icons %u %u\n", LOWORD(dwSizes), HIWORD(dwSizes));
        return 0;
    }
    if (cmd == L"start" && argc > 3) {
        STARTUPINFOW si = {};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi;
        HMODULE hDll = LoadLibraryW(argv[2]);
        HOOKPROC pfn = hDll ? (HOOKPROC)GetProcAddress(hDll, "CbtProc") : NULL;
        if (!pfn || !CreateProcessW(argv[3], NULL, NULL, NULL, FALSE, CREATE_SUSPENDED, NULL, NULL, &si, &pi))
            return 1;
        HHOOK hHook = SetWindowsHookExW(WH_CBT, pfn, hDll, pi.dwThreadId);
        ResumeThread(pi.hThread);
        if (!hHook)
            TerminateProcess(pi.hProcess, 1);
        WaitForSingleObject(pi.hProcess, INFINITE);
        DWORD dwCode = 1;
        GetExitCodeProcess(pi.hProcess, &dwCode);
        return hHook ? (int)dwCode : 1;
    }
    if (cmd == L"ending" && argc > 2) {
        HANDLE hName = CreateMutexW(NULL, TRUE, L"VELTA VT-480QX SetupMenu");
        if (hName && GetLastError() == ERROR_ALREADY_EXISTS) {
            printf("held\n");  // by a menu: the name is the menu's
            return 0;
        }
        HWND h = CreateWindowExW(0, L"#32770", s_szCaption, WS_POPUP, 0, 0, 100, 100, NULL, NULL, NULL, NULL);
        if (!hName || !h)
            return 1;
        printf("ending\n");
        fflush(stdout);
        Sleep(_wtoi(argv[2]));
        DestroyWindow(h);
        ReleaseMutex(hName);
        return 0;
    }
    fprintf(stderr, "usage: probe state | answer ID | close TITLE | post MSG WPARAM [LPARAM] | send ID MSG WPARAM | rescale FROM TO | icons | start DLL EXE | ending MS\n");
    return 2;
}
