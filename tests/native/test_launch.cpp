// The launch table: what each button hands to the shell.
#include "texts.h"
#include "launch/launch.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

struct FakeShell : IShellOpen
{
    std::vector<std::string> opened;
    void Open(bool owner, const char* verb, const char* file, const char* params, const char* dir,
              int show) override
    {
        opened.push_back(std::string(owner ? "active " : "none ") + verb + " " + file + (params ? " params" : "") +
                         (dir ? " dir" : "") + " " + std::to_string(show));
    }
};

TEST(Launch, EachButtonOpensItsTargetWithItsOwner)
{
    const struct { int nID; const char* pszTarget; } rows[] = {  // 0: the web site
        { 1005, "cd.test" }, { 1000, "cd.vttm" }, { 1008, "cd.epson" }, { 1009, "cd.star" },
        { 1017, "cd.readme" }, { 0, "web" }, { 1002, nullptr }, { 1003, nullptr },
        { 1015, nullptr }, { 1, nullptr }, { 2, nullptr },
    };
    for (const auto& r : rows) {
        FakeShell shell;
        if (r.nID == 0)
            LaunchWebSite(shell);
        else
            EXPECT_EQ(r.pszTarget != nullptr, LaunchForButton(shell, r.nID)) << r.nID;
        std::vector<std::string> want;
        if (r.pszTarget)
            want.push_back((r.nID ? "active open " : "none open ") + T(r.pszTarget) + " 1");
        EXPECT_EQ(want, shell.opened) << r.nID;
    }
}

} // namespace
