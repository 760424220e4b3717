// The panel: what hovering each control does to the groups and the text.
#include "texts.h"
#include "panel/panel.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

using Calls = std::vector<std::string>;

struct FakePanel : IPanelOps
{
    Calls calls;
    // A group's buttons, as the window would show them.
    void ShowCommandGroup(bool b) override { Group("commands", g_commandGroup, 3, b); }
    void ShowDriverGroup(bool b) override { Group("drivers", g_driverGroup, 4, b); }
    void ShowPanel() override { calls.push_back("show panel"); }
    void SetPanelText(const char* t) override { calls.push_back(std::string("text ") + t); }
    void UpdateParent() override { calls.push_back("update"); }
    void Group(const char* name, const int* ids, int n, bool b)
    {
        std::string s = std::string(b ? "show " : "hide ") + name;
        for (int i = 0; i < n; ++i)
            s += " " + std::to_string(ids[i]);
        calls.push_back(s);
    }
};

TEST(Panel, EachControlsGroupsThenTextThenUpdate)
{
    const std::string hideCmd = "hide commands 1000 1008 1009", hideDrv = "hide drivers 1015 1017 1016 1018";
    const struct { int nID; Calls calls; } rows[] = {
        { 1002, { hideCmd, "show drivers 1015 1017 1016 1018", "show panel", "text " + T("panel.1002"), "update" } },
        { 1003, { hideDrv, "show commands 1000 1008 1009", "show panel", "text " + T("panel.1003"), "update" } },
        { 1005, { hideDrv, hideCmd, "show panel", "text " + T("panel.1005"), "update" } },
        { 1, { hideDrv, hideCmd, "show panel", "text " + T("panel.1"), "update" } },
        { 2, { "update" } },  // the exit button
        { 1007, { "update" } },
        { 0, { "update" } },
        { -1, { "update" } },
    };
    for (const auto& r : rows) {
        FakePanel p;
        PanelUpdate(p, r.nID);
        EXPECT_EQ(r.calls, p.calls) << r.nID;
    }
}

} // namespace
