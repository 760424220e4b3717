// The main menu as a real dialog from the real template: its controls,
// its starting state, its system menu, its keys and its click routing.
#include "dialog_driver.h"
#include "app/SetupMenuDlg.h"
#include "launch/launch.h"

#include <gtest/gtest.h>
#include <cstdlib>
#include <cstring>

namespace {

struct Request
{
    bool bActiveOwner;
    std::string strFile;
};

struct FakeShell : IShellOpen
{
    std::vector<Request> requests;
    void Open(bool bActiveOwner, const char* pszVerb, const char* pszFile, const char*,
              const char*, int nShow) override
    {
        EXPECT_STREQ("open", pszVerb);
        EXPECT_EQ(SW_SHOWNORMAL, nShow);
        requests.push_back({ bActiveOwner, pszFile });
    }
};

class CTestMenuDlg : public CSetupMenuDlg
{
public:
    FakeShell m_shell;

protected:
    IShellOpen& Shell() override { return m_shell; }
};

std::vector<HWND> Children(HWND hDlg)
{
    std::vector<HWND> v;
    for (HWND h = ::GetWindow(hDlg, GW_CHILD); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT))
        v.push_back(h);
    return v;
}

const int kTemplateOrder[19] = {
    IDOK, IDCANCEL, IDC_BTN_DRIVERS, -1, IDC_BTN_COMMANDS, IDC_BTN_TESTPROG, IDC_PANEL_TEXT, -1,
    IDC_DOC_OWNCMDS, IDC_DOC_EPSONCMDS, IDC_DRV_STANDARD, IDC_DRV_README, -1, -1, -1, -1,
    IDC_DRV_EPSONEMU, IDC_DRV_STAREMU, IDC_DOC_STARCMDS,
};

const int kGroupButtons[7] = {
    IDC_DOC_OWNCMDS, IDC_DOC_EPSONCMDS, IDC_DOC_STARCMDS,
    IDC_DRV_STANDARD, IDC_DRV_README, IDC_DRV_EPSONEMU, IDC_DRV_STAREMU,
};

const wchar_t kWelcome[] =
    L"      非常感谢您购买了VT-480QX打印机\n\n本光盘是非卖品，随机附带赠送给直接用户。未\n\n"
    L"经VELTA公司许可，光盘内任何资料不得进行擅自\n\n的复制和转载，不得用于其它商业用途！违者必\n\n"
    L"究！在使用中若您遇到任何问题，请致电VELTA公\n\n司客服中心。\n\n";

bool IsGroupButton(int nID)
{
    for (int id : kGroupButtons)
        if (id == nID)
            return true;
    return false;
}

TEST(MenuDialog, HasItsNineteenControlsInTemplateOrder)
{
    CTestMenuDlg dlg;
    std::vector<int> ids;
    std::vector<std::string> classes;
    DriveResult r = RunDialog(dlg, { [&](HWND h) {
        for (HWND c : Children(h)) {
            ids.push_back((short)::GetDlgCtrlID(c));
            char sz[32] = "";
            ::GetClassNameA(c, sz, sizeof sz);
            classes.push_back(sz);
        }
        return true;
    } });
    ASSERT_TRUE(r.bFinished) << r.strStuckAt;
    EXPECT_EQ(std::vector<int>(std::begin(kTemplateOrder), std::end(kTemplateOrder)), ids);
    ASSERT_EQ(19u, classes.size());
    for (size_t i = 0; i < classes.size(); ++i) {
        bool bStatic = kTemplateOrder[i] == IDC_PANEL_TEXT || (kTemplateOrder[i] == -1 && i != 3);
        EXPECT_STRCASEEQ(bStatic ? "Static" : "Button", classes[i].c_str()) << i;
    }
}

TEST(MenuDialog, StartsWithBothGroupsHiddenAndTheWelcomeText)
{
    CTestMenuDlg dlg;
    DriveResult r = RunDialog(dlg, { [&](HWND h) {
        for (HWND c : Children(h)) {
            int id = (short)::GetDlgCtrlID(c);
            EXPECT_EQ(!IsGroupButton(id), ::IsWindowVisible(c) != FALSE) << "control " << id;
        }
        HWND hPanel = ::GetDlgItem(h, IDC_PANEL_TEXT);
        EXPECT_EQ(Cp936(kWelcome), WindowTextA(hPanel));
        EXPECT_EQ(std::wstring(kWelcome), WindowTextW(hPanel));
        EXPECT_EQ(Cp936(kWelcome), std::string(dlg.m_strPanelText));
        EXPECT_EQ(L"VELTA · 票据打印专家", WindowTextW(h));
        return true;
    } });
    EXPECT_TRUE(r.bFinished) << r.strStuckAt;
}

TEST(MenuDialog, TheFiveHoverButtonsAreAttached)
{
    CTestMenuDlg dlg;
    DriveResult r = RunDialog(dlg, { [&](HWND h) {
        const std::pair<int, CHoverButton*> bound[] = {
            { IDC_BTN_DRIVERS, &dlg.m_btnDrivers }, { IDC_BTN_TESTPROG, &dlg.m_btnTestProg },
            { IDC_BTN_COMMANDS, &dlg.m_btnCommands }, { IDCANCEL, &dlg.m_btnExit },
            { IDOK, &dlg.m_btnWebsite },
        };
        for (const auto& b : bound) {
            EXPECT_EQ(::GetDlgItem(h, b.first), b.second->m_hWnd) << b.first;
            EXPECT_EQ(b.second, CWnd::FromHandlePermanent(b.second->m_hWnd)) << b.first;
        }
        return true;
    } });
    EXPECT_TRUE(r.bFinished) << r.strStuckAt;
    // Destroying the dialog detaches them, so the object can run again.
    EXPECT_EQ(NULL, dlg.m_btnWebsite.m_hWnd);
}

TEST(MenuDialog, SystemMenuEndsWithAboutWhichOpensTheAboutBox)
{
    CTestMenuDlg dlg;
    HWND hAbout = NULL;
    DriveResult r = RunDialog(dlg, {
        [&](HWND h) {
            HMENU hMenu = ::GetSystemMenu(h, FALSE);
            int n = ::GetMenuItemCount(hMenu);
            EXPECT_GE(n, 2);
            MENUITEMINFOW mii = {};
            mii.cbSize = sizeof mii;
            mii.fMask = MIIM_FTYPE;
            ::GetMenuItemInfoW(hMenu, n - 2, TRUE, &mii);
            EXPECT_TRUE(mii.fType & MFT_SEPARATOR);
            EXPECT_EQ((UINT)IDM_ABOUTBOX, ::GetMenuItemID(hMenu, n - 1));
            wchar_t sz[64] = L"";
            ::GetMenuStringW(hMenu, n - 1, sz, 64, MF_BYPOSITION);
            EXPECT_STREQ(L"关于 Tovrana(&A)...", sz);
            ::PostMessageA(h, WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
            return true;
        },
        [&](HWND h) { return (hAbout = FindOwnedWindow(h)) != NULL; },
        [&](HWND h) {
            EXPECT_EQ(L"关于MENURIX", WindowTextW(hAbout));
            EXPECT_TRUE(::IsWindowEnabled(h) == FALSE);  // modal to the menu
            ::PostMessageA(hAbout, WM_COMMAND, IDOK, 0);
            return true;
        },
        [&](HWND h) { return !::IsWindow(hAbout) && ::IsWindowEnabled(h); },
    });
    EXPECT_TRUE(r.bFinished) << r.strStuckAt;
}

TEST(MenuDialog, CloseFromTheSystemMenuEndsIt)
{
    CTestMenuDlg dlg;
    DriveResult r = RunDialog(dlg, { [&](HWND h) {
        ::PostMessageA(h, WM_SYSCOMMAND, SC_CLOSE, 0);
        return true;
    } });
    EXPECT_EQ(IDCANCEL, r.nModalResult);
}

// Keys go through the dialog manager of the modal loop, as typed ones do.
void PostKey(HWND hDlg, UINT vk)
{
    HWND hTarget = ::GetFocus() ? ::GetFocus() : hDlg;
    ::PostMessageA(hTarget, WM_KEYDOWN, vk, 1);
    ::PostMessageA(hTarget, WM_KEYUP, vk, 0xC0000001);
}

TEST(MenuDialog, EnterOnTheWebsiteLinkOpensTheWebSiteAndStays)
{
    CTestMenuDlg dlg;
    DriveResult r = RunDialog(dlg, {
        [&](HWND h) {
            EXPECT_EQ(::GetDlgItem(h, IDOK), ::GetFocus());
            PostKey(h, VK_RETURN);
            return true;
        },
        [&](HWND) { return !dlg.m_shell.requests.empty(); },
        [&](HWND h) {
            EXPECT_TRUE(::IsWindowVisible(h));
            EXPECT_EQ(Cp936(kWelcome), WindowTextA(::GetDlgItem(h, IDC_PANEL_TEXT)));
            return true;
        },
    });
    EXPECT_TRUE(r.bFinished) << r.strStuckAt;
    ASSERT_EQ(1u, dlg.m_shell.requests.size());
    EXPECT_FALSE(dlg.m_shell.requests[0].bActiveOwner);
    EXPECT_EQ(std::string(g_szWebAddress), dlg.m_shell.requests[0].strFile);
}

TEST(MenuDialog, EscapeEndsIt)
{
    CTestMenuDlg dlg;
    DriveResult r = RunDialog(dlg, { [&](HWND h) { PostKey(h, VK_ESCAPE); return true; },
                                     [&](HWND) { return false; } });  // until it closes
    EXPECT_EQ(IDCANCEL, r.nModalResult);
    EXPECT_TRUE(dlg.m_shell.requests.empty());
    EXPECT_EQ("step 2 of 2", r.strStuckAt);
}

TEST(MenuDialog, ClicksReachTheirLaunchers)
{
    struct Click { int nID; const char* pszFile; bool bActiveOwner; };
    const Click clicks[] = {
        { IDC_BTN_TESTPROG, "Test\\news.exe", true },
        { IDC_DOC_OWNCMDS, "Command\\VTtm.doc", true },
        { IDC_DOC_EPSONCMDS, "Command\\EPSON.doc", true },
        { IDC_DOC_STARCMDS, "Command\\STAR.doc", true },
        { IDC_DRV_README, "Driver\\Readme.txt", true },
        { IDC_BTN_DRIVERS, NULL, false },
        { IDC_BTN_COMMANDS, NULL, false },
        { IDOK, g_szWebAddress, false },
    };
    CTestMenuDlg dlg;
    DriveResult r = RunDialog(dlg, { [&](HWND h) {
        for (const Click& c : clicks) {
            dlg.m_shell.requests.clear();
            ::SendMessageA(h, WM_COMMAND, MAKEWPARAM(c.nID, BN_CLICKED), (LPARAM)::GetDlgItem(h, c.nID));
            if (c.pszFile == NULL) {
                EXPECT_TRUE(dlg.m_shell.requests.empty()) << c.nID;
                continue;
            }
            EXPECT_EQ(1u, dlg.m_shell.requests.size()) << c.nID;
            if (!dlg.m_shell.requests.empty()) {
                EXPECT_EQ(c.pszFile, dlg.m_shell.requests[0].strFile);
                EXPECT_EQ(c.bActiveOwner, dlg.m_shell.requests[0].bActiveOwner);
            }
            EXPECT_TRUE(::IsWindow(h)) << c.nID;
        }
        return true;
    } });
    EXPECT_TRUE(r.bFinished) << r.strStuckAt;
}

TEST(Family, FlagMatchesThePrefixVersion)
{
    const char* pszMode = std::getenv("WINE_VERSION_MODE");
    ASSERT_NE(nullptr, pszMode) << "run through ctest, which sets the version mode";
    g_bNtPlatform = 7;
    CTestMenuDlg dlg;
    RunDialog(dlg, { [](HWND) { return true; } });
    EXPECT_EQ(std::strcmp(pszMode, "win98") == 0 ? 0 : 1, g_bNtPlatform) << pszMode;
}

} // namespace
