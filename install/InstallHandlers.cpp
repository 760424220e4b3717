// The driver group's install buttons of the main menu.
#include "../app/SetupMenuDlg.h"
#include "install.h"
#include "install_win32.h"

IInstallOps& CSetupMenuDlg::InstallOps()
{
    static CWin32InstallOps s_ops;
    s_ops.SetOwner(this);
    return s_ops;
}

void CSetupMenuDlg::OnDrvStandard()
{
    DrvStandard(g_bNtPlatform, InstallOps());
}

void CSetupMenuDlg::OnDrvEpsonEmu()
{
    DrvEpsonEmu(g_bNtPlatform, InstallOps(), Shell());
}

void CSetupMenuDlg::OnDrvStarEmu()
{
    DrvStarEmu(g_bNtPlatform, InstallOps(), Shell());
}
