// The panel: each hovered button's group changes in order, its text, and
// the dialog update that every button's movement runs.
#include "panel/panel.h"
#include "res/resource.h"
#include "cp936.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

struct FakePanel : IPanelOps
{
    std::vector<std::string> calls;
    void ShowCommandGroup(bool b) override { calls.push_back(b ? "show commands" : "hide commands"); }
    void ShowDriverGroup(bool b) override { calls.push_back(b ? "show drivers" : "hide drivers"); }
    void ShowPanel() override { calls.push_back("show panel"); }
    void SetPanelText(const char* t) override { calls.push_back(std::string("text:") + t); }
    void UpdateParent() override { calls.push_back("update"); }
};

std::vector<std::string> Hover(int nID)
{
    FakePanel p;
    PanelUpdate(p, nID);
    return p.calls;
}

TEST(Panel, EachCategoryHidesBeforeItShows)
{
    const std::string drv = std::string("text:") + PanelText(IDC_BTN_DRIVERS);
    const std::string cmd = std::string("text:") + PanelText(IDC_BTN_COMMANDS);
    EXPECT_EQ((std::vector<std::string>{ "hide commands", "show drivers", "show panel", drv, "update" }),
              Hover(IDC_BTN_DRIVERS));
    EXPECT_EQ((std::vector<std::string>{ "hide drivers", "show commands", "show panel", cmd, "update" }),
              Hover(IDC_BTN_COMMANDS));
    for (int id : { IDC_BTN_TESTPROG, 1 })
        EXPECT_EQ((std::vector<std::string>{ "hide drivers", "hide commands", "show panel",
                                             std::string("text:") + PanelText(id), "update" }),
                  Hover(id));
}

TEST(Panel, ExitButtonAndOthersOnlyUpdate)
{
    for (int id : { 2, IDC_PANEL_TEXT, 0, -1 })
        EXPECT_EQ(std::vector<std::string>{ "update" }, Hover(id)) << id;
    EXPECT_EQ(nullptr, PanelText(2));
}

TEST(Panel, GroupsAreTheDialogsButtonsInOrder)
{
    EXPECT_EQ((std::vector<int>{ 1000, 1008, 1009 }), std::vector<int>(std::begin(g_commandGroup), std::end(g_commandGroup)));
    EXPECT_EQ((std::vector<int>{ 1015, 1017, 1016, 1018 }), std::vector<int>(std::begin(g_driverGroup), std::end(g_driverGroup)));
}

TEST(Panel, TextsAreTheCodePage936Bytes)
{
    struct { int nID; const char* pszUtf8; } texts[] = {
        { IDC_BTN_DRIVERS,
          u8"打印机驱动程序安装\n\n请根据您的需要，选择与应用环境适合的驱动程\n\n序，点击相应按钮进行安装。若您是初次安装，\n\n"
          u8"请务必先行阅读“安装必读”文件，以免操作不\n\n当，引起错误。若使用过程中遇到任何问题，请\n\n致电VELTA公司客服中心。" },
        { IDC_BTN_COMMANDS,
          u8"打印机常用指令\n\n请根据您的需要，从以下可选按钮中选择与\n\n您所购买产品最贴近的一项，浏览和查找您\n\n"
          u8"所需要的编程信息。此文档适合对象为编程\n\n开发人员，若使用过程中遇到任何问题，请\n\n致电VELTA公司客服中心。" },
        { IDC_BTN_TESTPROG,
          u8"VT系列打印机测试程序\n\n此测试程序可检测打印机的常用功能命令有效性\n\n简便易用。若您在使用VT系列打印机过程中出现\n\n"
          u8"功能性问题（如不能打印或不能打开钱箱等），\n\n可点击此按钮打开测试程序对打印机进行测试。" },
        { 1,
          u8"VELTA电子技术有限公司网站\n\n点击按钮进入VELTA网站\n\n您将了解更多的产品信息和相关资讯，也可以随\n\n"
          u8"意下载各种技术资料和应用程序，并且可以登陆\n\n微打论坛，在线与VELTA多位高级工程师实现双向\n\n互动，获取最及时快捷的技术支持。" },
    };
    for (auto& t : texts)
        EXPECT_EQ(Cp936(t.pszUtf8), std::string(PanelText(t.nID))) << t.nID;
}

} // namespace
