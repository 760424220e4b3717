// install.h: installing the printer driver, apart from the window system.
//
//   DRIVER_RECIPE, g_escRecipe, g_starRecipe   what the two 9x installs differ in
//   InstallPrinterDirect                       copy the driver and what it depends on,
//                                              register driver, add printer
//   DrvStandard, DrvEpsonEmu, DrvStarEmu       the three install buttons per family
#pragma once

class IShellOpen;

struct DRIVER_RECIPE
{
    const char* pszSourceFile;      // on the CD, relative to its root
    const char* pszDestSuffix;      // appended to the driver directory
    const char* pszDriverName;
    const char* pzzDependentFiles;  // names, each NUL-ended, then one more NUL
    const char* pszPrinterName;
};

extern const DRIVER_RECIPE g_escRecipe;
extern const DRIVER_RECIPE g_starRecipe;

// The spooler's DRIVER_INFO_3A and PRINTER_INFO_2A, member for member; the
// Windows adapter checks at compile time that the layouts agree.
struct DRIVER_INFO_3_REC
{
    unsigned long cVersion;
    char* pName;
    char* pEnvironment;
    char* pDriverPath;
    char* pDataFile;
    char* pConfigFile;
    char* pHelpFile;
    char* pDependentFiles;
    char* pMonitorName;
    char* pDefaultDataType;
};

struct PRINTER_INFO_2_REC
{
    char* pServerName;
    char* pPrinterName;
    char* pShareName;
    char* pPortName;
    char* pDriverName;
    char* pComment;
    char* pLocation;
    void* pDevMode;
    char* pSepFile;
    char* pPrintProcessor;
    char* pDatatype;
    char* pParameters;
    void* pSecurityDescriptor;
    unsigned long Attributes;
    unsigned long Priority;
    unsigned long DefaultPriority;
    unsigned long StartTime;
    unsigned long UntilTime;
    unsigned long Status;
    unsigned long cJobs;
    unsigned long AveragePPM;
};

enum
{
    INSTALL_MAX_PATH = 260,
    INSTALL_ERROR_PRINTER_ALREADY_EXISTS = 1802,
    INSTALL_PRINTER_ATTRIBUTE_LOCAL = 0x40,
    INSTALL_MB_OK = 0,
    INSTALL_MB_ICONHAND = 16,
    INSTALL_MB_YESNO_EXCLAMATION = 52,
    INSTALL_IDNO = 7,
    INSTALL_SW_HIDE = 0,
};

// The platform calls the installation makes.
class IInstallOps
{
public:
    virtual ~IInstallOps() {}
    // GetPrinterDriverDirectoryA(NULL, "Windows 4.0", 1, ...), NUL-ended.
    virtual bool GetDriverDirectory(char* pszBuf, unsigned cbBuf) = 0;
    // GetSystemDirectory, NUL-ended; false if it fails or does not fit.
    virtual bool GetSystemFolder(char* pszBuf, unsigned cbBuf) = 0;
    // CopyFileA; unless bFailIfExists, also over a read-only file, and the
    // copy it leaves is writable whatever the source's attributes.
    virtual bool CopyFileTo(const char* pszExisting, const char* pszNew, bool bFailIfExists) = 0;
    // A file (not a folder) is there.
    virtual bool FileExists(const char* pszPath) = 0;
    virtual bool AddDriver(unsigned long dwLevel, DRIVER_INFO_3_REC* pInfo) = 0;
    virtual void* AddPrinterRecord(unsigned long dwLevel, PRINTER_INFO_2_REC* pInfo) = 0;
    virtual void ClosePrinterHandle(void* hPrinter) = 0;
    virtual unsigned long LastError() = 0;
    // Owned by the main dialog, with a caption of its own.
    virtual int DialogMessage(const char* pszText, const char* pszCaption, unsigned uStyle) = 0;
    // AfxMessageBox: the application title as caption.
    virtual int AppMessage(const char* pszText, unsigned uStyle) = 0;
    // WinExec, or its like: above 31 once the command has started. The
    // started process is kept for CommandRunning.
    virtual unsigned Exec(const char* pszCmdLine, unsigned uCmdShow) = 0;
    // The process the last Exec started has not ended yet (asked without
    // waiting); false when there is none.
    virtual bool CommandRunning() = 0;
    // IsWow64Process, looked up by name: a 32-bit menu on 64-bit Windows.
    // False where Windows lacks it (2000, early XP) or it fails.
    virtual bool IsWow64() = 0;
    // Wow64DisableWow64FsRedirection and its revert, looked up by name;
    // false when there is none or it fails.
    virtual bool DisableRedirection(void** ppOld) = 0;
    virtual void RevertRedirection(void* pOld) = 0;
};

void InstallPrinterDirect(IInstallOps& ops, const DRIVER_RECIPE& recipe);

void DrvStandard(int bNtPlatform, IInstallOps& ops);
void DrvEpsonEmu(int bNtPlatform, IInstallOps& ops, IShellOpen& shell);
void DrvStarEmu(int bNtPlatform, IInstallOps& ops, IShellOpen& shell);

// The printer-install command, 166 bytes. DrvStandard runs it with the
// system's own rundll32.exe by its full path in place of "rundll32".
extern const char g_szPrintUiCommand[];

extern const char g_szDriverEnvironment[];

// The texts of the boxes, for the tests that read them back.
extern const char g_szCopyFailed[];
extern const char g_szDriverFailed[];
extern const char g_szInstalled[];
extern const char g_szAlreadyInstalled[];
extern const char g_szPrinterFailed[];
extern const char g_szInstallErrorCaption[];
extern const char g_szInstallCaption[];
extern const char g_szPromptCaption[];
extern const char g_szPromptEpson9x[];
extern const char g_szPromptEpsonNt[];
extern const char g_szPromptStarNt[];
extern const char g_szCommandFailed[];
extern const char g_szCommandFailedCaption[];
