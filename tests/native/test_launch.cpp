// The launch table: one open request per trigger, with its row's values.
#include "launch/launch.h"
#include "app/cd_paths.h"
#include "res/resource.h"

#include <gtest/gtest.h>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Request
{
    bool bActiveOwner;
    std::string verb, file;
    bool bNoParams, bNoDir;
    int nShow;
};

struct FakeShell : IShellOpen
{
    std::vector<Request> requests;
    void Open(bool owner, const char* verb, const char* file, const char* params,
              const char* dir, int show) override
    {
        requests.push_back({ owner, verb, file, params == nullptr, dir == nullptr, show });
    }
};

struct Row { int nID; const char* pszTarget; };

TEST(LaunchTable, EachButtonOpensItsFileOnceWithTheActiveWindow)
{
    const Row rows[] = {
        { IDC_BTN_TESTPROG, "Test\\news.exe" },
        { IDC_DOC_OWNCMDS, "Command\\VTtm.doc" },
        { IDC_DOC_EPSONCMDS, "Command\\EPSON.doc" },
        { IDC_DOC_STARCMDS, "Command\\STAR.doc" },
        { IDC_DRV_README, "Driver\\Readme.txt" },
    };
    for (const Row& row : rows) {
        FakeShell shell;
        EXPECT_TRUE(LaunchForButton(shell, row.nID));
        ASSERT_EQ(1u, shell.requests.size()) << row.nID;
        const Request& r = shell.requests[0];
        EXPECT_TRUE(r.bActiveOwner);
        EXPECT_EQ("open", r.verb);
        EXPECT_EQ(row.pszTarget, r.file);
        EXPECT_TRUE(r.bNoParams);
        EXPECT_TRUE(r.bNoDir);
        EXPECT_EQ(1, r.nShow);
    }
}

TEST(LaunchTable, ButtonsWithoutARowOpenNothing)
{
    for (int id : { IDC_BTN_DRIVERS, IDC_BTN_COMMANDS, IDC_DRV_STANDARD, 1, 2, 0 }) {
        FakeShell shell;
        EXPECT_FALSE(LaunchForButton(shell, id));
        EXPECT_TRUE(shell.requests.empty()) << id;
    }
}

TEST(LaunchTable, WebSiteHasNoOwnerAndAWebAddress)
{
    FakeShell shell;
    LaunchWebSite(shell);
    ASSERT_EQ(1u, shell.requests.size());
    const Request& r = shell.requests[0];
    EXPECT_FALSE(r.bActiveOwner);
    EXPECT_EQ("open", r.verb);
    EXPECT_EQ(g_szWebAddress, r.file);
    EXPECT_EQ(0u, r.file.rfind("http://", 0));
    EXPECT_LE(std::strlen(g_szWebAddress), 79u);
    EXPECT_TRUE(r.bNoParams);
    EXPECT_TRUE(r.bNoDir);
    EXPECT_EQ(1, r.nShow);
}

TEST(LaunchTable, EveryTargetIsOnTheCdList)
{
    for (const LAUNCH_ROW& row : g_launchTable) {
        bool bFound = false;
        for (const char* p : g_cdFiles)
            bFound = bFound || std::strcmp(p, row.pszTarget) == 0;
        EXPECT_TRUE(bFound) << row.pszTarget;
    }
}

TEST(CdPaths, AllRelativeWithBackslashes)
{
    for (const char* p : g_cdFiles) {
        EXPECT_NE('\\', p[0]) << p;
        EXPECT_EQ(nullptr, std::strchr(p, ':')) << p;
        EXPECT_EQ(nullptr, std::strchr(p, '/')) << p;
    }
}

} // namespace
