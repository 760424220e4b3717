#include "install.h"
#include "../app/cd_paths.h"
#include "../launch/launch.h"

#include <string.h>

const DRIVER_RECIPE g_escRecipe = {
    g_szDriverEsc9x,
    "\\Tm300s.drv",
    "EPSON TM-U210B Partial cut",
    "Tm300s.drv\0TMPROCES.dll\0Iconlib.dll\0Unidrv.dll\0Unidrv.hlp\0Tmctrla.ini\0",
    "VELTA VT-480QX",
};

const DRIVER_RECIPE g_starRecipe = {
    g_szDriverStar9x,
    "\\Sp500.drv",
    "Star SP542 (NF_Fcut)",
    "Sp500.drv\0Iconlib.dll\0Unidrv.dll\0Unidrv.hlp\0",
    "VELTA VT-480QX(STAR)",
};

const char g_szDriverEnvironment[] = "Windows 4.0";

const char g_szCopyFailed[] = "Driver Path can not copy!";
const char g_szDriverFailed[] = "打印机驱动安装失败,请检查驱动文件是否齐全!";
const char g_szInstalled[] = "恭喜,安装480QX打印机成功!";
const char g_szAlreadyInstalled[] = "VELTA-480QX打印机已经安装!";
const char g_szPrinterFailed[] = "安装打印机失败,驱动是否安装正确?";
const char g_szInstallErrorCaption[] = "安装480QX错误";
const char g_szInstallCaption[] = "安装480QX";

const char g_szPromptCaption[] = "驱动安装";
const char g_szPromptEpson9x[] =
    "EPSON打印驱动程序\n\n仿真EPSON驱动程序打印，请选择EPSON TM-U210B Receipt安装。是否继续?";
const char g_szPromptEpsonNt[] =
    "EPSON打印驱动程序\n\n仿真EPSON驱动程序打印，请选择EPSON TM-U210 Receipt安装。是否继续?";
const char g_szPromptStarNt[] =
    "STAR打印驱动程序\n\n仿真STAR驱动程序打印，请选择Star SP542 Line Mode Printer安装。是否继续?";
const char g_szCommandFailed[] = "480QX安装打印机失败";
const char g_szCommandFailedCaption[] = "480QX安装错误";

const char g_szPrintUiCommand[] =
    "rundll32 printui.dll,PrintUIEntry /if /b \"VELTA VT-480QX\"  "
    "/f Driver\\WIN2000\\ESC模式\\OEMSETUP.INF /r \"lpt1:\" "
    "/m \"EPSON TM-U210B Partial cut\" /l Driver\\WIN2000\\ESC模式";

static_assert(sizeof g_szPrintUiCommand - 1 == 166, "the install command is 166 bytes in code page 936");

// The destination: the spooler's driver directory for Windows 9x and the
// driver's file name. Left without a directory it would be the root of the
// current drive, the read-only CD. False when the directory is unknown or
// the whole path would not fit; never a truncated path.
static bool BuildDestPath(IInstallOps& ops, const DRIVER_RECIPE& recipe, char (&szDest)[INSTALL_MAX_PATH])
{
    memset(szDest, 0, sizeof szDest);
    char szDir[INSTALL_MAX_PATH];
    memset(szDir, 0, sizeof szDir);
    if (!ops.GetDriverDirectory(szDir, sizeof szDir))
        return false;
    szDir[sizeof szDir - 1] = '\0';
    size_t nDir = strlen(szDir), nSuffix = strlen(recipe.pszDestSuffix);
    if (nDir + nSuffix + 1 > sizeof szDest)
        return false;
    memcpy(szDest, szDir, nDir);
    memcpy(szDest + nDir, recipe.pszDestSuffix, nSuffix + 1);
    return true;
}

// The spooler of Windows 9x copies nothing: every file the driver is said
// to depend on must be in the driver directory before it is added, or the
// printer is registered and never prints. One the directory has (the
// system's own Unidrv.dll, an earlier install's) is left as it is; one it
// lacks comes from beside the driver on the disc. A file in neither place
// ends the install with the driver-failure box, before anything is
// registered; a copy that fails, with the copy-failure box.
static bool CopyDependentFiles(IInstallOps& ops, const DRIVER_RECIPE& recipe, const char* pszDest)
{
    // The driver has the same name on the disc and in the directory.
    const size_t nName = strlen(recipe.pszDestSuffix + 1);
    const size_t nFromDir = strlen(recipe.pszSourceFile) - nName, nToDir = strlen(pszDest) - nName;
    for (const char* pszFile = recipe.pzzDependentFiles; *pszFile; pszFile += strlen(pszFile) + 1) {
        char szFrom[INSTALL_MAX_PATH], szTo[INSTALL_MAX_PATH];
        const size_t n = strlen(pszFile) + 1;
        if (nFromDir + n > sizeof szFrom || nToDir + n > sizeof szTo) {
            ops.AppMessage(g_szCopyFailed, INSTALL_MB_OK);
            return false;
        }
        memcpy(szTo, pszDest, nToDir);
        memcpy(szTo + nToDir, pszFile, n);
        if (ops.FileExists(szTo))
            continue;
        memcpy(szFrom, recipe.pszSourceFile, nFromDir);
        memcpy(szFrom + nFromDir, pszFile, n);
        if (!ops.FileExists(szFrom)) {
            ops.DialogMessage(g_szDriverFailed, g_szInstallErrorCaption, INSTALL_MB_ICONHAND);
            return false;
        }
        if (!ops.CopyFileTo(szFrom, szTo, false)) {
            ops.AppMessage(g_szCopyFailed, INSTALL_MB_OK);
            return false;
        }
    }
    return true;
}

void InstallPrinterDirect(IInstallOps& ops, const DRIVER_RECIPE& recipe)
{
    char szDest[INSTALL_MAX_PATH];
    if (!BuildDestPath(ops, recipe, szDest) || !ops.CopyFileTo(recipe.pszSourceFile, szDest, false)) {
        ops.AppMessage(g_szCopyFailed, INSTALL_MB_OK);
        return;
    }
    if (!CopyDependentFiles(ops, recipe, szDest))
        return;

    DRIVER_INFO_3_REC di;
    memset(&di, 0, sizeof di);
    di.cVersion = 2;
    di.pName = const_cast<char*>(recipe.pszDriverName);
    di.pEnvironment = const_cast<char*>(g_szDriverEnvironment);
    di.pDriverPath = szDest;
    di.pDataFile = szDest;
    di.pConfigFile = szDest;
    di.pHelpFile = nullptr;
    di.pDependentFiles = const_cast<char*>(recipe.pzzDependentFiles);
    di.pMonitorName = nullptr;
    di.pDefaultDataType = const_cast<char*>("RAW");
    if (!ops.AddDriver(3, &di)) {
        ops.DialogMessage(g_szDriverFailed, g_szInstallErrorCaption, INSTALL_MB_ICONHAND);
        return;
    }

    PRINTER_INFO_2_REC pi;
    memset(&pi, 0, sizeof pi);
    pi.pPrinterName = const_cast<char*>(recipe.pszPrinterName);
    pi.pPortName = const_cast<char*>("LPT1:");
    pi.pDriverName = const_cast<char*>(recipe.pszDriverName);
    pi.pPrintProcessor = const_cast<char*>("WinPrint");
    pi.pDatatype = const_cast<char*>("RAW");
    pi.Attributes = INSTALL_PRINTER_ATTRIBUTE_LOCAL;
    void* hPrinter = ops.AddPrinterRecord(2, &pi);
    if (hPrinter != nullptr) {
        ops.ClosePrinterHandle(hPrinter);
        ops.DialogMessage(g_szInstalled, g_szInstallCaption, INSTALL_MB_OK);
        return;
    }
    if (ops.LastError() == INSTALL_ERROR_PRINTER_ALREADY_EXISTS)
        ops.AppMessage(g_szAlreadyInstalled, INSTALL_MB_OK);
    else
        ops.DialogMessage(g_szPrinterFailed, g_szInstallErrorCaption, INSTALL_MB_ICONHAND);
}

// Every answer but No goes ahead, a failed box (0) included.
static bool Confirmed(IInstallOps& ops, const char* pszPrompt)
{
    return ops.DialogMessage(pszPrompt, g_szPromptCaption, INSTALL_MB_YESNO_EXCLAMATION) != INSTALL_IDNO;
}

// The last backslash of a code-page-936 path, or null: a second byte of a
// double-byte character may be 0x5C.
static char* LastBackslash(char* psz)
{
    char* pszLast = nullptr;
    for (; *psz; ++psz) {
        if ((unsigned char)*psz >= 0x81 && psz[1] != '\0')
            ++psz;
        else if (*psz == '\\')
            pszLast = psz;
    }
    return pszLast;
}

// The system's rundll32.exe by its full path, after the system folder in
// pszPath: the native one. A 32-bit program on 64-bit Windows is led from
// System32 to SysWOW64, whose 32-bit printui installs the driver for a
// 32-bit spooler the system does not have. Sysnative, beside the system
// folder (Vista and later), is the way out; where it is missing (XP x64,
// Server 2003 x64) the redirection is turned off around the start, which
// *pbUnredirect asks for.
static void AppendPrintUiProgram(IInstallOps& ops, char* pszPath, bool* pbUnredirect)
{
    char* pszEnd = pszPath + strlen(pszPath);
    *pbUnredirect = false;
    if (ops.IsWow64()) {
        // Not under GetWindowsDirectory's folder: a Terminal Server gives
        // each user a private one of those.
        char szSystem[INSTALL_MAX_PATH];
        strcpy(szSystem, pszPath);
        if (char* pszSlash = LastBackslash(pszPath)) {
            strcpy(pszSlash, "\\Sysnative\\rundll32.exe");
            if (ops.FileExists(pszPath))
                return;
        }
        strcpy(pszPath, szSystem);
        *pbUnredirect = true;
    }
    strcpy(pszEnd, "\\rundll32.exe");
}

// The program quoted by its full path, then the rest of the command as it
// is. By its bare name Windows looks for rundll32 in the menu's folder and
// the current one before the system's, and a program of that name there
// would run.
void DrvStandard(int bNtPlatform, IInstallOps& ops)
{
    if (bNtPlatform == 0) {
        InstallPrinterDirect(ops, g_escRecipe);
        return;
    }
    // One install of the printer at a time: printui takes its time, and an
    // impatient second click would start a second one beside it.
    if (ops.CommandRunning())
        return;
    // Room for the quotes, the longest path (Sysnative's) and the rest.
    char szCmd[2 + INSTALL_MAX_PATH + 32 + sizeof g_szPrintUiCommand];
    char* pszPath = szCmd + 1;
    szCmd[0] = '"';
    unsigned uResult = 0;
    // Without the system's rundll32 the command is not started at all.
    if (ops.GetSystemFolder(pszPath, INSTALL_MAX_PATH) && (pszPath[INSTALL_MAX_PATH - 1] = '\0', *pszPath != '\0')) {
        bool bUnredirect;
        AppendPrintUiProgram(ops, pszPath, &bUnredirect);
        char* pszRest = pszPath + strlen(pszPath);
        *pszRest = '"';
        strcpy(pszRest + 1, g_szPrintUiCommand + sizeof "rundll32" - 1);
        // Off for the start alone: the menu's own loads must not meet
        // System32's 64-bit DLLs.
        void* pOld = nullptr;
        const bool bOff = bUnredirect && ops.DisableRedirection(&pOld);
        uResult = ops.Exec(szCmd, INSTALL_SW_HIDE);
        if (bOff)
            ops.RevertRedirection(pOld);
    }
    if (uResult < 32)
        ops.DialogMessage(g_szCommandFailed, g_szCommandFailedCaption, INSTALL_MB_ICONHAND);
}

void DrvEpsonEmu(int bNtPlatform, IInstallOps& ops, IShellOpen& shell)
{
    const bool b9x = bNtPlatform == 0;
    if (Confirmed(ops, b9x ? g_szPromptEpson9x : g_szPromptEpsonNt))
        OpenCdFile(shell, b9x ? g_szInstEpson9x : g_szInstEpsonNt);
}

void DrvStarEmu(int bNtPlatform, IInstallOps& ops, IShellOpen& shell)
{
    if (bNtPlatform == 0) {
        InstallPrinterDirect(ops, g_starRecipe);
        return;
    }
    if (Confirmed(ops, g_szPromptStarNt))
        OpenCdFile(shell, g_szInstStarNt);
}
