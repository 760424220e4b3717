#include "startup.h"
#include "cd_paths.h"
#include "../res/resource.h"

const char g_szMenuCaption[] = "VELTA · 票据打印专家";

const char g_szWelcomeText[] =
    "      非常感谢您购买了VT-480QX打印机\n\n"
    "本光盘是非卖品，随机附带赠送给直接用户。未\n\n"
    "经VELTA公司许可，光盘内任何资料不得进行擅自\n\n"
    "的复制和转载，不得用于其它商业用途！违者必\n\n"
    "究！在使用中若您遇到任何问题，请致电VELTA公\n\n"
    "司客服中心。\n\n";

const char g_szNoVersionText[] = "Can not obtain operating system information!";

const char g_szStartedAloneText[] =
    "找不到驱动光盘的其它文件，本程序无法安装驱动程序，也无法打开文档和测试程序。\n\n"
    "如果您是在压缩文件（ZIP）中直接打开的本程序，请先将压缩文件中的全部文件解压到"
    "同一个文件夹，再运行该文件夹中的SetupMenu.exe。";

// Both groups, in the order they are hidden.
const int g_groupControls[7] = {
    IDC_DOC_OWNCMDS, IDC_DOC_EPSONCMDS, IDC_DOC_STARCMDS,
    IDC_DRV_STANDARD, IDC_DRV_README, IDC_DRV_EPSONEMU, IDC_DRV_STAREMU,
};

int NtPlatformFlag(unsigned long dwPlatformId)
{
    return (dwPlatformId == 0 || dwPlatformId == 1) ? 0 : 1;
}

int InitMenuState(IStartupOps& ops)
{
    unsigned long dwPlatformId = 0;
    if (!ops.QueryVersion(&dwPlatformId)) {
        ops.AppMessageBox(g_szNoVersionText);
        return 1;
    }
    int bNt = NtPlatformFlag(dwPlatformId);
    for (int nID : g_groupControls)
        ops.HideControl(nID);
    ops.SetPanelText(g_szWelcomeText);
    return bNt;
}

void AddAboutMenuItem(ISystemMenuOps& ops)
{
    if (!ops.HasSystemMenu())
        return;
    const char* pszText = ops.LoadAboutText();
    if (pszText == nullptr || *pszText == '\0')
        return;
    ops.AppendSeparator();
    ops.AppendItem(IDM_ABOUTBOX, pszText);
}

ICON_POS MinimizedIconPos(int nClientWidth, int nClientHeight, int nIconWidth, int nIconHeight)
{
    ICON_POS pos;
    pos.x = (nClientWidth - nIconWidth + 1) / 2;
    pos.y = (nClientHeight - nIconHeight + 1) / 2;
    return pos;
}

bool StartedAlone(IDiscFiles& files)
{
    for (const char* pszPath : g_cdFiles)
        if (files.Exists(pszPath))
            return false;
    return true;
}
