#include "panel.h"
#include "../res/resource.h"

const int g_commandGroup[3] = { IDC_DOC_OWNCMDS, IDC_DOC_EPSONCMDS, IDC_DOC_STARCMDS };
const int g_driverGroup[4] = { IDC_DRV_STANDARD, IDC_DRV_README, IDC_DRV_EPSONEMU, IDC_DRV_STAREMU };

namespace {

enum GroupChange { NONE, HIDE_COMMANDS, SHOW_COMMANDS, HIDE_DRIVERS, SHOW_DRIVERS };

struct PANEL_ROW
{
    int nID;
    GroupChange first, second;
    const char* pszText;
};

// IDOK and IDCANCEL are 1 and 2; the exit button has no row and changes nothing.
const PANEL_ROW s_rows[] = {
    { IDC_BTN_DRIVERS, HIDE_COMMANDS, SHOW_DRIVERS,
      "打印机驱动程序安装\n\n"
      "请根据您的需要，选择与应用环境适合的驱动程\n\n"
      "序，点击相应按钮进行安装。若您是初次安装，\n\n"
      "请务必先行阅读“安装必读”文件，以免操作不\n\n"
      "当，引起错误。若使用过程中遇到任何问题，请\n\n"
      "致电VELTA公司客服中心。" },
    { IDC_BTN_COMMANDS, HIDE_DRIVERS, SHOW_COMMANDS,
      "打印机常用指令\n\n"
      "请根据您的需要，从以下可选按钮中选择与\n\n"
      "您所购买产品最贴近的一项，浏览和查找您\n\n"
      "所需要的编程信息。此文档适合对象为编程\n\n"
      "开发人员，若使用过程中遇到任何问题，请\n\n"
      "致电VELTA公司客服中心。" },
    { IDC_BTN_TESTPROG, HIDE_DRIVERS, HIDE_COMMANDS,
      "VT系列打印机测试程序\n\n"
      "此测试程序可检测打印机的常用功能命令有效性\n\n"
      "简便易用。若您在使用VT系列打印机过程中出现\n\n"
      "功能性问题（如不能打印或不能打开钱箱等），\n\n"
      "可点击此按钮打开测试程序对打印机进行测试。" },
    { 1 /* IDOK */, HIDE_DRIVERS, HIDE_COMMANDS,
      "VELTA电子技术有限公司网站\n\n"
      "点击按钮进入VELTA网站\n\n"
      "您将了解更多的产品信息和相关资讯，也可以随\n\n"
      "意下载各种技术资料和应用程序，并且可以登陆\n\n"
      "微打论坛，在线与VELTA多位高级工程师实现双向\n\n"
      "互动，获取最及时快捷的技术支持。" },
};

const PANEL_ROW* FindRow(int nID)
{
    for (const PANEL_ROW& row : s_rows)
        if (row.nID == nID)
            return &row;
    return nullptr;
}

void Apply(IPanelOps& ops, GroupChange change)
{
    switch (change) {
    case HIDE_COMMANDS: ops.ShowCommandGroup(false); break;
    case SHOW_COMMANDS: ops.ShowCommandGroup(true); break;
    case HIDE_DRIVERS: ops.ShowDriverGroup(false); break;
    case SHOW_DRIVERS: ops.ShowDriverGroup(true); break;
    case NONE: break;
    }
}

} // namespace

const char* PanelText(int nID)
{
    const PANEL_ROW* row = FindRow(nID);
    return row ? row->pszText : nullptr;
}

const char* PanelTextAt(int i)
{
    return i >= 0 && i < (int)(sizeof s_rows / sizeof s_rows[0]) ? s_rows[i].pszText : nullptr;
}

void PanelUpdate(IPanelOps& ops, int nID)
{
    if (const PANEL_ROW* row = FindRow(nID)) {
        Apply(ops, row->first);
        Apply(ops, row->second);
        ops.ShowPanel();
        ops.SetPanelText(row->pszText);
    }
    ops.UpdateParent();
}
