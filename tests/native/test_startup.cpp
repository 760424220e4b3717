// Start-up: the Windows family and the starting state, the About item,
// the minimised icon.
#include "texts.h"
#include "app/startup.h"
#include "app/cd_paths.h"

#include <gtest/gtest.h>
#include <set>
#include <vector>

namespace {

using Calls = std::vector<std::string>;

struct FakeStartup : IStartupOps, ISystemMenuOps
{
    bool bOk = true, bHasMenu = true;
    unsigned long dwPlatformId = 0;
    const char* pszAbout = "About";
    Calls calls;

    bool QueryVersion(unsigned long* p) override
    {
        calls.push_back("version");
        *p = bOk ? dwPlatformId : 1;  // after a failure, a 9x id that must not count
        return bOk;
    }
    void AppMessageBox(const char* t) override { calls.push_back(std::string("box:") + t); }
    void HideControl(int id) override { calls.push_back("hide:" + std::to_string(id)); }
    void SetPanelText(const char* t) override { calls.push_back(std::string("panel:") + t); }
    bool HasSystemMenu() override { return bHasMenu; }
    const char* LoadAboutText() override { calls.push_back("load"); return pszAbout; }
    void AppendSeparator() override { calls.push_back("separator"); }
    void AppendItem(unsigned id, const char* t) override { calls.push_back("item:" + std::to_string(id) + ":" + t); }
};

TEST(Startup, FamilyGroupsAndWelcomeByPlatform)
{
    const Calls started = { "version", "hide:1000", "hide:1008", "hide:1009", "hide:1015",
                            "hide:1017", "hide:1016", "hide:1018", "panel:" + T("welcome") };
    const struct { bool bOk; unsigned long dwPlatformId; int nFlag; Calls calls; } rows[] = {
        { true, 0, 0, started },  // Win32s
        { true, 1, 0, started },  // 9x
        { true, 2, 1, started },  // NT
        { true, 3, 1, started },
        { true, 0xFFFFFFFF, 1, started },
        { false, 0, 1, { "version", "box:" + T("noversion") } },
    };
    for (const auto& r : rows) {
        FakeStartup ops;
        ops.bOk = r.bOk;
        ops.dwPlatformId = r.dwPlatformId;
        EXPECT_EQ(r.nFlag, InitMenuState(ops)) << r.dwPlatformId;
        EXPECT_EQ(r.calls, ops.calls) << r.dwPlatformId;
    }
}

TEST(Startup, AboutItemEndsTheSystemMenu)
{
    const struct { bool bHasMenu; const char* pszText; Calls calls; } rows[] = {
        { true, "About", { "load", "separator", "item:16:About" } },
        { false, "About", {} },
        { true, "", { "load" } },
        { true, nullptr, { "load" } },
    };
    for (const auto& r : rows) {
        FakeStartup ops;
        ops.bHasMenu = r.bHasMenu;
        ops.pszAbout = r.pszText;
        AddAboutMenuItem(ops);
        EXPECT_EQ(r.calls, ops.calls);
    }
}

TEST(Startup, MinimisedIconCentredRoundingUp)
{
    const struct { int cx, cy, x, y; } rows[] = {
        { 35, 35, 2, 2 }, { 36, 100, 2, 34 }, { 32, 32, 0, 0 }, { 20, 31, -5, 0 },
    };
    for (const auto& r : rows) {
        ICON_POS p = MinimizedIconPos(r.cx, r.cy, 32, 32);
        EXPECT_EQ(r.x, p.x) << r.cx;
        EXPECT_EQ(r.y, p.y) << r.cy;
    }
}

struct FakeDisc : IDiscFiles
{
    std::set<std::string> present;
    bool Exists(const char* pszPath) override { return present.count(pszPath) != 0; }
};

// Started alone: not one of the disc's files beside it, and only then.
TEST(Startup, AloneOnlyWithNoneOfTheDiscsFiles)
{
    FakeDisc none;
    EXPECT_TRUE(StartedAlone(none));
    FakeDisc disc;
    disc.present.insert(std::begin(g_cdFiles), std::end(g_cdFiles));
    EXPECT_FALSE(StartedAlone(disc));
    // A maker may leave any one out, or ship any one alone.
    for (const char* pszPath : g_cdFiles) {
        FakeDisc fewer = disc, one;
        fewer.present.erase(pszPath);
        one.present.insert(pszPath);
        EXPECT_FALSE(StartedAlone(fewer)) << pszPath;
        EXPECT_FALSE(StartedAlone(one)) << pszPath;
    }
    EXPECT_EQ(T("alone"), g_szStartedAloneText);
}

} // namespace
