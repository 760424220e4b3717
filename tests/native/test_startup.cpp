// Start-up: the Windows family, the starting state, the About item and
// the minimised icon.
#include "app/startup.h"
#include "res/resource.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

struct FakeStartup : IStartupOps
{
    bool bQueryOk = true;
    unsigned long dwPlatformId = 1;
    std::vector<std::string> calls;

    bool QueryVersion(unsigned long* p) override
    {
        calls.push_back("version");
        if (bQueryOk)
            *p = dwPlatformId;
        return bQueryOk;
    }
    void AppMessageBox(const char* t) override { calls.push_back(std::string("box:") + t); }
    void HideControl(int id) override { calls.push_back("hide:" + std::to_string(id)); }
    void SetPanelText(const char* t) override { calls.push_back(std::string("panel:") + t); }
};

TEST(WindowsFamily, Win32sAnd9xAreNotNt)
{
    EXPECT_EQ(0, NtPlatformFlag(0));
    EXPECT_EQ(0, NtPlatformFlag(1));
}

TEST(WindowsFamily, NtAndAnythingUnknownAreNt)
{
    for (unsigned long id : { 2ul, 3ul, 4ul, 0xFFFFFFFFul })
        EXPECT_EQ(1, NtPlatformFlag(id)) << id;
}

TEST(InitMenuState, HidesBothGroupsInOrderThenShowsWelcome)
{
    FakeStartup ops;
    ops.dwPlatformId = 1;
    EXPECT_EQ(0, InitMenuState(ops));
    std::vector<std::string> want = {
        "version", "hide:1000", "hide:1008", "hide:1009",
        "hide:1015", "hide:1017", "hide:1016", "hide:1018",
        std::string("panel:") + g_szWelcomeText,
    };
    EXPECT_EQ(want, ops.calls);
}

TEST(InitMenuState, NtPlatformGivesOne)
{
    FakeStartup ops;
    ops.dwPlatformId = 2;
    EXPECT_EQ(1, InitMenuState(ops));
    EXPECT_EQ(9u, ops.calls.size());
}

TEST(InitMenuState, FailedQueryReportsAndSkipsTheRest)
{
    FakeStartup ops;
    ops.bQueryOk = false;
    EXPECT_EQ(1, InitMenuState(ops));
    std::vector<std::string> want = { "version", "box:Can not obtain operating system information!" };
    EXPECT_EQ(want, ops.calls);
}

TEST(InitMenuState, HidesOnlyTheSevenGroupButtons)
{
    std::vector<int> groups(std::begin(g_groupControls), std::end(g_groupControls));
    std::vector<int> want = { IDC_DOC_OWNCMDS, IDC_DOC_EPSONCMDS, IDC_DOC_STARCMDS,
                              IDC_DRV_STANDARD, IDC_DRV_README, IDC_DRV_EPSONEMU, IDC_DRV_STAREMU };
    EXPECT_EQ(want, groups);
}

struct FakeMenu : ISystemMenuOps
{
    bool bHasMenu = true;
    const char* pszText = "About";
    std::vector<std::string> calls;

    bool HasSystemMenu() override { return bHasMenu; }
    const char* LoadAboutText() override { calls.push_back("load"); return pszText; }
    void AppendSeparator() override { calls.push_back("separator"); }
    void AppendItem(unsigned id, const char* t) override
    {
        calls.push_back("item:" + std::to_string(id) + ":" + t);
    }
};

TEST(AboutMenuItem, SeparatorThenItemWithCommand0x10)
{
    FakeMenu m;
    AddAboutMenuItem(m);
    std::vector<std::string> want = { "load", "separator", "item:16:About" };
    EXPECT_EQ(want, m.calls);
}

TEST(AboutMenuItem, NoMenuNoLoadNoAppend)
{
    FakeMenu m;
    m.bHasMenu = false;
    AddAboutMenuItem(m);
    EXPECT_TRUE(m.calls.empty());
}

TEST(AboutMenuItem, EmptyOrMissingStringAddsNothing)
{
    for (const char* text : { "", (const char*)nullptr }) {
        FakeMenu m;
        m.pszText = text;
        AddAboutMenuItem(m);
        std::vector<std::string> want = { "load" };
        EXPECT_EQ(want, m.calls);
    }
}

TEST(MinimizedIcon, CentredWithRoundingUp)
{
    ICON_POS p = MinimizedIconPos(35, 35, 32, 32);
    EXPECT_EQ(2, p.x);
    EXPECT_EQ(2, p.y);
    p = MinimizedIconPos(36, 100, 32, 32);
    EXPECT_EQ(2, p.x);   // (36 - 32 + 1) / 2
    EXPECT_EQ(34, p.y);  // (100 - 32 + 1) / 2
}

TEST(MinimizedIcon, SmallerClientTruncatesTowardsZero)
{
    ICON_POS p = MinimizedIconPos(20, 31, 32, 32);
    EXPECT_EQ(-5, p.x);  // -11 / 2
    EXPECT_EQ(0, p.y);   // 0 / 2
}

} // namespace
