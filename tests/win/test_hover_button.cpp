// The hover buttons in the real menu: the panel and groups they drive, the
// hover font, what a tick repaints, and the look under the real pointer.
// (Their polling cost is measured on the shipped exe by bench/run.sh.)
#include "dialog_driver.h"
#include "app/SetupMenuDlg.h"
#include "launch/launch.h"
#include "panel/panel.h"

#include <gtest/gtest.h>
#include <map>
#include <set>

namespace {

struct NullShell : IShellOpen
{
    int nOpened = 0;
    void Open(bool, const char*, const char*, const char*, const char*, int) override { ++nOpened; }
};

class CTestMenuDlg : public CSetupMenuDlg
{
public:
    NullShell m_shell;
    CHoverButton* Button(int nID)
    {
        switch (nID) {
        case IDC_BTN_DRIVERS: return &m_btnDrivers;
        case IDC_BTN_TESTPROG: return &m_btnTestProg;
        case IDC_BTN_COMMANDS: return &m_btnCommands;
        case IDCANCEL: return &m_btnExit;
        case IDOK: return &m_btnWebsite;
        }
        return NULL;
    }

protected:
    IShellOpen& Shell() override { return m_shell; }
};

const int kHoverButtons[5] = { IDC_BTN_DRIVERS, IDC_BTN_COMMANDS, IDC_BTN_TESTPROG, IDOK, IDCANCEL };

bool Visible(HWND hDlg, int nID) { return ::IsWindowVisible(::GetDlgItem(hDlg, nID)) != FALSE; }

// Which group shows: "drivers", "commands", "none" or "both".
std::string Groups(HWND hDlg)
{
    int nCmd = 0, nDrv = 0;
    for (int id : g_commandGroup) nCmd += Visible(hDlg, id);
    for (int id : g_driverGroup) nDrv += Visible(hDlg, id);
    if (nCmd == 3 && nDrv == 0) return "commands";
    if (nDrv == 4 && nCmd == 0) return "drivers";
    if (nCmd == 0 && nDrv == 0) return "none";
    return "mixed " + std::to_string(nCmd) + "/" + std::to_string(nDrv);
}

POINT Centre(HWND hWnd)
{
    RECT rc;
    ::GetWindowRect(hWnd, &rc);
    POINT pt = { (rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2 };
    return pt;
}

void MoveOver(HWND hBtn)
{
    ::SendMessageA(hBtn, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
}

TEST(HoverPanel, CategoriesSwitchGroupsAndTexts)
{
    CTestMenuDlg dlg;
    DriveResult r = RunDialog(dlg, { [&](HWND h) {
        HWND hPanel = ::GetDlgItem(h, IDC_PANEL_TEXT);
        MoveOver(::GetDlgItem(h, IDC_BTN_DRIVERS));
        EXPECT_EQ("drivers", Groups(h));
        EXPECT_EQ(std::string(PanelText(IDC_BTN_DRIVERS)), WindowTextA(hPanel));
        EXPECT_EQ(L"打印机驱动程序安装", WindowTextW(hPanel).substr(0, 9));

        MoveOver(::GetDlgItem(h, IDC_BTN_COMMANDS));
        EXPECT_EQ("commands", Groups(h));
        EXPECT_EQ(std::string(PanelText(IDC_BTN_COMMANDS)), WindowTextA(hPanel));

        MoveOver(::GetDlgItem(h, IDCANCEL));  // the exit button changes nothing
        EXPECT_EQ("commands", Groups(h));
        EXPECT_EQ(std::string(PanelText(IDC_BTN_COMMANDS)), WindowTextA(hPanel));

        MoveOver(::GetDlgItem(h, IDC_BTN_TESTPROG));
        EXPECT_EQ("none", Groups(h));
        EXPECT_EQ(std::string(PanelText(IDC_BTN_TESTPROG)), WindowTextA(hPanel));

        MoveOver(::GetDlgItem(h, IDC_BTN_DRIVERS));
        MoveOver(::GetDlgItem(h, IDOK));  // the web-site link hides both
        EXPECT_EQ("none", Groups(h));
        EXPECT_EQ(std::string(PanelText(IDOK)), WindowTextA(hPanel));
        EXPECT_EQ(std::string(PanelText(IDOK)), std::string(dlg.m_strPanelText));
        return true;
    } });
    EXPECT_TRUE(r.bFinished) << r.strStuckAt;
    EXPECT_EQ(0, dlg.m_shell.nOpened);
}

TEST(HoverButton, TickRepaintsOnlyItsOwnWindowAndAnyTimerIdTicks)
{
    CTestMenuDlg dlg;
    DriveResult r = RunDialog(dlg, { [&](HWND h) {
        ::UpdateWindow(h);  // nothing left to paint
        HWND hBtn = ::GetDlgItem(h, IDC_BTN_COMMANDS);
        POINT pt = Centre(hBtn);
        ::SetCursorPos(pt.x, pt.y);
        MoveOver(hBtn);
        ::UpdateWindow(h);  // the panel's repaint, not the tick's
        ::SendMessageA(hBtn, WM_TIMER, 7, 0);  // not timer 1: still a tick
        EXPECT_TRUE(dlg.m_btnCommands.m_bHover);
        for (int id : kHoverButtons) {
            RECT rc;
            BOOL bDirty = ::GetUpdateRect(::GetDlgItem(h, id), &rc, FALSE);
            EXPECT_EQ(id == IDC_BTN_COMMANDS, bDirty != FALSE) << id;
        }
        // Hovered now: the hand cursor answers the cursor request.
        EXPECT_EQ(TRUE, ::SendMessageA(hBtn, WM_SETCURSOR, (WPARAM)hBtn, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
        EXPECT_EQ(dlg.m_btnCommands.m_hHandCursor, ::GetCursor());
        EXPECT_NE((HCURSOR)NULL, dlg.m_btnCommands.m_hHandCursor);
        return true;
    } });
    EXPECT_TRUE(r.bFinished) << r.strStuckAt;
}

TEST(HoverButton, HoverFontIsMadeOncePerButtonHeavyAndUnderlined)
{
    CTestMenuDlg dlg;
    std::map<int, std::set<HGDIOBJ>> fonts;  // per button, every handle seen
    DriveResult r = RunDialog(dlg, { [&](HWND h) {
        RECT rcDlg;
        ::GetWindowRect(h, &rcDlg);
        // 1,000 hover cycles over the five buttons, each drawn hovered and normal.
        for (int cycle = 0; cycle < 1000; ++cycle) {
            int id = kHoverButtons[cycle % 5];
            HWND hBtn = ::GetDlgItem(h, id);
            POINT pt = Centre(hBtn);
            ::SetCursorPos(pt.x, pt.y);
            MoveOver(hBtn);
            ::SendMessageA(hBtn, WM_TIMER, 1, 0);
            ::UpdateWindow(hBtn);
            ::SetCursorPos(rcDlg.right - 20, rcDlg.bottom - 20);
            ::SendMessageA(hBtn, WM_TIMER, 1, 0);
            ::UpdateWindow(hBtn);
            fonts[id].insert(dlg.Button(id)->m_font.GetSafeHandle());
        }
        return true;
    } }, 60000);
    EXPECT_TRUE(r.bFinished) << r.strStuckAt;
    // A button may start without a font (the shared flag can be left set
    // by an earlier run, so its first tick does not repaint), but once made
    // the font is never made again.
    size_t nFonts = 0;
    for (int id : kHoverButtons) {
        fonts[id].erase(NULL);
        EXPECT_EQ(1u, fonts[id].size()) << id;
        nFonts += fonts[id].size();
    }
    EXPECT_EQ(5u, nFonts);
    std::printf("hover fonts made over 1000 hover cycles: %u\n", (unsigned)nFonts);
    // Destroying the dialog does not free them; the buttons do, with the object.
    LOGFONTA lf;
    ASSERT_NE(0, ::GetObjectA(dlg.m_btnDrivers.m_font.GetSafeHandle(), sizeof lf, &lf));
    EXPECT_EQ(900, lf.lfWeight);
    EXPECT_EQ(1, lf.lfUnderline);
}

} // namespace

namespace {

// The real pointer, moved by xdotool on the X display (Wine starts Unix
// programs from CreateProcess); done when Windows sees the pointer there.
bool XdotoolMove(int x, int y)
{
    char szCmd[96];
    std::snprintf(szCmd, sizeof szCmd, "/usr/bin/xdotool mousemove %d %d", x, y);
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    // For a Unix program Wine fills pi with no real handles: closing them
    // would close some other handle of ours, so they are left alone.
    return ::CreateProcessA(NULL, szCmd, NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi) != FALSE;
}

bool CursorAt(int x, int y)
{
    POINT pt;
    ::GetCursorPos(&pt);
    return pt.x == x && pt.y == y;
}

// True when the button's window shows any pure-blue pixel (the hovered text).
bool ShowsBlue(HWND hBtn)
{
    RECT rc;
    ::GetClientRect(hBtn, &rc);
    HDC hdc = ::GetDC(hBtn);
    bool bBlue = false;
    for (int y = 0; y < rc.bottom && !bBlue; ++y)
        for (int x = 0; x < rc.right && !bBlue; ++x)
            bBlue = ::GetPixel(hdc, x, y) == RGB(0, 0, 255);
    ::ReleaseDC(hBtn, hdc);
    return bBlue;
}

COLORREF PixelAt(HWND hBtn, int x, int y)
{
    HDC hdc = ::GetDC(hBtn);
    COLORREF c = ::GetPixel(hdc, x, y);
    ::ReleaseDC(hBtn, hdc);
    return c;
}

TEST(HoverPointer, RealPointerOverEachCategoryShowsItsTextGroupAndLook)
{
    struct Case { int nID; const char* pszGroups; };
    const Case cases[] = {
        { IDC_BTN_DRIVERS, "drivers" }, { IDC_BTN_COMMANDS, "commands" },
        { IDC_BTN_TESTPROG, "none" }, { IDOK, "none" },
    };
    CTestMenuDlg dlg;
    std::vector<Step> steps;
    POINT target = {};
    HWND hBtn = NULL;
    for (const Case& c : cases) {
        steps.push_back([&, c](HWND h) {
            hBtn = ::GetDlgItem(h, c.nID);
            target = Centre(hBtn);
            EXPECT_TRUE(XdotoolMove(target.x, target.y));
            return true;
        });
        steps.push_back([&](HWND) { return CursorAt(target.x, target.y); });
        // A second, small move: the first jump may land before X reports
        // motion inside the window.
        steps.push_back([&](HWND) { target.x += 1; XdotoolMove(target.x, target.y); return true; });
        steps.push_back([&, c](HWND h) {
            return dlg.Button(c.nID)->m_bHover &&
                   WindowTextA(::GetDlgItem(h, IDC_PANEL_TEXT)) == PanelText(c.nID);
        });
        steps.push_back([&](HWND) { ::UpdateWindow(hBtn); return ShowsBlue(hBtn); });
        steps.push_back([&, c](HWND h) {
            EXPECT_EQ(c.pszGroups, Groups(h)) << c.nID;
            // Raised frame: highlight at the top left, shadow at the bottom right.
            RECT rc;
            ::GetClientRect(hBtn, &rc);
            EXPECT_EQ(::GetSysColor(COLOR_BTNHIGHLIGHT), PixelAt(hBtn, 0, 0)) << c.nID;
            EXPECT_EQ(::GetSysColor(COLOR_BTNSHADOW), PixelAt(hBtn, rc.right - 1, rc.bottom - 1)) << c.nID;
            target.y += 1;
            XdotoolMove(target.x, target.y);  // a cursor request while hovered
            return true;
        });
        steps.push_back([&, c](HWND) { return ::GetCursor() == dlg.Button(c.nID)->m_hHandCursor; });
        // Leave into empty dialog space: the look goes, the choice stays.
        steps.push_back([&](HWND h) {
            RECT rc;
            ::GetWindowRect(h, &rc);
            target.x = rc.right - 30;
            target.y = rc.bottom - 30;
            XdotoolMove(target.x, target.y);
            return true;
        });
        steps.push_back([&, c](HWND) { return !dlg.Button(c.nID)->m_bHover; });
        steps.push_back([&](HWND) { ::UpdateWindow(hBtn); return !ShowsBlue(hBtn); });
        steps.push_back([&, c](HWND h) {
            EXPECT_EQ(c.pszGroups, Groups(h)) << c.nID;
            EXPECT_EQ(std::string(PanelText(c.nID)), WindowTextA(::GetDlgItem(h, IDC_PANEL_TEXT)));
            return true;
        });
    }
    DriveResult r = RunDialog(dlg, steps, 30000);
    EXPECT_TRUE(r.bFinished) << r.strStuckAt;
}

} // namespace
