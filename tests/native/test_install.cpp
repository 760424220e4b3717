// Driver installation: each outcome's one box and nothing after it, the
// spooler records field for field, and the per-family dispatch.
#include "install/install.h"
#include "launch/launch.h"

#include <gtest/gtest.h>
#include <cstring>
#include <string>
#include <vector>

namespace {

std::string Str(const char* p) { return p ? p : "(null)"; }

// The dependent-files list, with its double-NUL end.
std::vector<std::string> Names(const char* pzz)
{
    std::vector<std::string> v;
    for (const char* p = pzz; *p; p += std::strlen(p) + 1)
        v.push_back(p);
    return v;
}

struct FakeInstall : IInstallOps
{
    std::string strDriverDir = "C:\\windows\\system32\\spool\\drivers\\win40";
    bool bDirOk = true, bCopyOk = true, bDriverOk = true;
    void* hPrinter = reinterpret_cast<void*>(0x1234);
    unsigned long dwLastError = 0;
    int nBoxAnswer = 6;
    unsigned uExecResult = 33;

    std::vector<std::string> calls;
    DRIVER_INFO_3_REC driver{};
    PRINTER_INFO_2_REC printer{};
    std::string strDependents;  // copied while the call lasts
    std::string strDriverPath;
    bool bOnePathText = false;

    bool GetDriverDirectory(char* buf, unsigned cb) override
    {
        calls.push_back("dir");
        if (!bDirOk)
            return false;
        std::strncpy(buf, strDriverDir.c_str(), cb);
        return true;
    }
    bool CopyFileTo(const char* src, const char* dst, bool bFail) override
    {
        calls.push_back("copy:" + Str(src) + ">" + Str(dst) + (bFail ? ":fail" : ":over"));
        return bCopyOk;
    }
    bool AddDriver(unsigned long level, DRIVER_INFO_3_REC* p) override
    {
        calls.push_back("driver:" + std::to_string(level));
        driver = *p;
        strDriverPath = p->pDriverPath ? p->pDriverPath : "(null)";
        bOnePathText = p->pDriverPath == p->pDataFile && p->pDriverPath == p->pConfigFile;
        strDependents.assign(p->pDependentFiles, 0);
        for (const char* q = p->pDependentFiles;; q += std::strlen(q) + 1) {
            strDependents.append(q, std::strlen(q) + 1);
            if (*q == '\0')
                break;
        }
        return bDriverOk;
    }
    void* AddPrinterRecord(unsigned long level, PRINTER_INFO_2_REC* p) override
    {
        calls.push_back("printer:" + std::to_string(level));
        printer = *p;
        return hPrinter;
    }
    void ClosePrinterHandle(void* h) override
    {
        calls.push_back(h == hPrinter ? "close:same" : "close:other");
    }
    unsigned long LastError() override
    {
        calls.push_back("lasterror");
        return dwLastError;
    }
    int DialogMessage(const char* text, const char* caption, unsigned style) override
    {
        calls.push_back("dlgbox:" + Str(text) + "|" + Str(caption) + "|" + std::to_string(style));
        return nBoxAnswer;
    }
    int AppMessage(const char* text, unsigned style) override
    {
        calls.push_back("appbox:" + Str(text) + "|" + std::to_string(style));
        return 1;
    }
    unsigned Exec(const char* cmd, unsigned show) override
    {
        calls.push_back("exec:" + Str(cmd) + "|" + std::to_string(show));
        return uExecResult;
    }
};

struct FakeShell : IShellOpen
{
    std::vector<std::string> opened;
    void Open(bool owner, const char* verb, const char* file, const char*, const char*, int show) override
    {
        opened.push_back(std::string(owner ? "active|" : "none|") + verb + "|" + file + "|" + std::to_string(show));
    }
};

const std::string kDir = "C:\\windows\\system32\\spool\\drivers\\win40";

std::string Box(const char* text, const char* caption, int style)
{
    return std::string("dlgbox:") + text + "|" + caption + "|" + std::to_string(style);
}

TEST(InstallPrinterDirect, SuccessClosesThePrinterBeforeItsBox)
{
    FakeInstall ops;
    InstallPrinterDirect(ops, g_escRecipe);
    std::vector<std::string> want = {
        "dir",
        "copy:" + Str(g_escRecipe.pszSourceFile) + ">" + kDir + "\\Tm300s.drv:over",
        "driver:3", "printer:2", "close:same",
        Box(g_szInstalled, g_szInstallCaption, 0),
    };
    EXPECT_EQ(want, ops.calls);
}

TEST(InstallPrinterDirect, RefusedCopyShowsOnlyTheCopyBox)
{
    FakeInstall ops;
    ops.bCopyOk = false;
    InstallPrinterDirect(ops, g_starRecipe);
    ASSERT_EQ(3u, ops.calls.size());
    EXPECT_EQ(std::string("appbox:Driver Path can not copy!|0"), ops.calls.back());
}

TEST(InstallPrinterDirect, RefusedDriverStopsBeforeThePrinter)
{
    FakeInstall ops;
    ops.bDriverOk = false;
    InstallPrinterDirect(ops, g_escRecipe);
    ASSERT_EQ(4u, ops.calls.size());
    EXPECT_EQ("driver:3", ops.calls[2]);
    EXPECT_EQ(Box(g_szDriverFailed, g_szInstallErrorCaption, 16), ops.calls[3]);
}

TEST(InstallPrinterDirect, AlreadyInstalledIsAnApplicationBoxForBothRecipes)
{
    for (const DRIVER_RECIPE* r : { &g_escRecipe, &g_starRecipe }) {
        FakeInstall ops;
        ops.hPrinter = nullptr;
        ops.dwLastError = 1802;
        InstallPrinterDirect(ops, *r);
        std::vector<std::string> tail(ops.calls.end() - 3, ops.calls.end());
        std::vector<std::string> want = { "printer:2", "lasterror",
                                          std::string("appbox:") + g_szAlreadyInstalled + "|0" };
        EXPECT_EQ(want, tail);
    }
}

TEST(InstallPrinterDirect, OtherAddPrinterErrorIsTheStopBox)
{
    FakeInstall ops;
    ops.hPrinter = nullptr;
    ops.dwLastError = 5;
    InstallPrinterDirect(ops, g_escRecipe);
    EXPECT_EQ("lasterror", ops.calls[ops.calls.size() - 2]);
    EXPECT_EQ(Box(g_szPrinterFailed, g_szInstallErrorCaption, 16), ops.calls.back());
}

TEST(InstallPrinterDirect, DriverRecordFieldForField)
{
    FakeInstall ops;
    InstallPrinterDirect(ops, g_escRecipe);
    const DRIVER_INFO_3_REC& d = ops.driver;
    EXPECT_EQ(2u, d.cVersion);
    EXPECT_EQ("EPSON TM-U210B Partial cut", Str(d.pName));
    EXPECT_EQ("Windows 4.0", Str(d.pEnvironment));
    EXPECT_EQ(kDir + "\\Tm300s.drv", ops.strDriverPath);
    EXPECT_TRUE(ops.bOnePathText);
    EXPECT_EQ(nullptr, d.pHelpFile);
    EXPECT_EQ(nullptr, d.pMonitorName);
    EXPECT_EQ("RAW", Str(d.pDefaultDataType));
    EXPECT_EQ(std::string("Tm300s.drv\0TMPROCES.dll\0Iconlib.dll\0Unidrv.dll\0Unidrv.hlp\0Tmctrla.ini\0\0", 71),
              ops.strDependents);
}

TEST(InstallPrinterDirect, PrinterRecordFieldForFieldAndAllElseZero)
{
    for (const DRIVER_RECIPE* r : { &g_escRecipe, &g_starRecipe }) {
        FakeInstall ops;
        InstallPrinterDirect(ops, *r);
        PRINTER_INFO_2_REC p = ops.printer;
        EXPECT_EQ(Str(r->pszPrinterName), Str(p.pPrinterName));
        EXPECT_EQ("LPT1:", Str(p.pPortName));
        EXPECT_EQ(Str(ops.driver.pName), Str(p.pDriverName));
        EXPECT_EQ("WinPrint", Str(p.pPrintProcessor));
        EXPECT_EQ("RAW", Str(p.pDatatype));
        EXPECT_EQ(0x40u, p.Attributes);
        // Clear what was set; every other byte must be zero.
        p.pPrinterName = p.pPortName = p.pDriverName = p.pPrintProcessor = p.pDatatype = nullptr;
        p.Attributes = 0;
        PRINTER_INFO_2_REC zero{};
        EXPECT_EQ(0, std::memcmp(&zero, &p, sizeof p));
    }
}

TEST(Recipes, DependentFilesStartWithTheDriverAndEndInTwoNuls)
{
    EXPECT_EQ((std::vector<std::string>{ "Tm300s.drv", "TMPROCES.dll", "Iconlib.dll", "Unidrv.dll",
                                         "Unidrv.hlp", "Tmctrla.ini" }),
              Names(g_escRecipe.pzzDependentFiles));
    EXPECT_EQ((std::vector<std::string>{ "Sp500.drv", "Iconlib.dll", "Unidrv.dll", "Unidrv.hlp" }),
              Names(g_starRecipe.pzzDependentFiles));
    for (const DRIVER_RECIPE* r : { &g_escRecipe, &g_starRecipe }) {
        EXPECT_EQ(std::string(r->pszDestSuffix + 1), Names(r->pzzDependentFiles)[0]);
        EXPECT_EQ('\\', r->pszDestSuffix[0]);
    }
    EXPECT_EQ("VELTA VT-480QX(STAR)", Str(g_starRecipe.pszPrinterName));
    EXPECT_EQ("Star SP542 (NF_Fcut)", Str(g_starRecipe.pszDriverName));
}

TEST(InstallPrinterDirect, DriverDirectoryThatWouldOverflowIsACopyFailure)
{
    // 260 bytes in all: directory + "\Tm300s.drv" (11) + NUL must fit.
    for (size_t nDir : { 248u, 249u, 259u }) {
        FakeInstall ops;
        ops.strDriverDir = "C:" + std::string(nDir - 2, 'd');
        InstallPrinterDirect(ops, g_escRecipe);
        if (nDir == 248) {
            ASSERT_GE(ops.calls.size(), 2u);
            EXPECT_EQ(0u, ops.calls[1].rfind("copy:", 0));
            EXPECT_EQ(259u, ops.strDriverPath.size());
        } else {
            std::vector<std::string> want = { "dir", "appbox:Driver Path can not copy!|0" };
            EXPECT_EQ(want, ops.calls) << nDir;
        }
    }
}

TEST(InstallPrinterDirect, UnknownDriverDirectoryIsACopyFailure)
{
    FakeInstall ops;
    ops.bDirOk = false;
    InstallPrinterDirect(ops, g_starRecipe);
    std::vector<std::string> want = { "dir", "appbox:Driver Path can not copy!|0" };
    EXPECT_EQ(want, ops.calls);
}

TEST(Dispatch, NineXInstallsDirectlyWithoutAQuestion)
{
    FakeInstall ops;
    FakeShell shell;
    DrvStandard(0, ops);
    DrvStarEmu(0, ops, shell);
    std::vector<std::string> copies;
    for (const std::string& c : ops.calls)
        if (c.rfind("copy:", 0) == 0 || c.rfind("exec:", 0) == 0 || c.find(g_szPromptCaption) != std::string::npos)
            copies.push_back(c);
    ASSERT_EQ(2u, copies.size());
    EXPECT_NE(std::string::npos, copies[0].find("Tm300s.drv"));
    EXPECT_NE(std::string::npos, copies[1].find("Sp500.drv"));
    EXPECT_TRUE(shell.opened.empty());
}

TEST(Dispatch, AnyNonZeroFlagRunsTheHiddenCommand)
{
    for (int flag : { 1, 2, -1 }) {
        FakeInstall ops;
        DrvStandard(flag, ops);
        std::vector<std::string> want = { std::string("exec:") + g_szPrintUiCommand + "|0" };
        EXPECT_EQ(want, ops.calls) << flag;
    }
}

TEST(Dispatch, CommandFailureBoxBelow32Only)
{
    for (unsigned result : { 0u, 31u, 32u, 33u, 0xFFFFFFFFu }) {
        FakeInstall ops;
        ops.uExecResult = result;
        DrvStandard(1, ops);
        if (result < 32) {
            ASSERT_EQ(2u, ops.calls.size()) << result;
            EXPECT_EQ(Box(g_szCommandFailed, g_szCommandFailedCaption, 16), ops.calls[1]);
        } else {
            EXPECT_EQ(1u, ops.calls.size()) << result;
        }
    }
}

struct PromptCase { int flag; int answer; const char* prompt; const char* installer; bool bOpens; };

TEST(Dispatch, EmulationPromptsGoAheadOnEveryAnswerButNo)
{
    const PromptCase cases[] = {
        { 0, 7, g_szPromptEpson9x, "Driver\\Adt210e.exe", false },
        { 0, 6, g_szPromptEpson9x, "Driver\\Adt210e.exe", true },
        { 0, 0, g_szPromptEpson9x, "Driver\\Adt210e.exe", true },
        { 1, 7, g_szPromptEpsonNt, "Driver\\ATM_301bE.exe", false },
        { 1, 6, g_szPromptEpsonNt, "Driver\\ATM_301bE.exe", true },
        { 5, 0, g_szPromptEpsonNt, "Driver\\ATM_301bE.exe", true },
    };
    for (const PromptCase& c : cases) {
        FakeInstall ops;
        ops.nBoxAnswer = c.answer;
        FakeShell shell;
        DrvEpsonEmu(c.flag, ops, shell);
        std::vector<std::string> want = { Box(c.prompt, g_szPromptCaption, 52) };
        EXPECT_EQ(want, ops.calls);
        if (c.bOpens)
            EXPECT_EQ(std::vector<std::string>{ std::string("active|open|") + c.installer + "|1" }, shell.opened);
        else
            EXPECT_TRUE(shell.opened.empty());
    }
}

TEST(Dispatch, StarPromptOnNtOnly)
{
    for (int answer : { 7, 6, 0 }) {
        FakeInstall ops;
        ops.nBoxAnswer = answer;
        FakeShell shell;
        DrvStarEmu(1, ops, shell);
        EXPECT_EQ(std::vector<std::string>{ Box(g_szPromptStarNt, g_szPromptCaption, 52) }, ops.calls);
        EXPECT_EQ(answer == 7 ? 0u : 1u, shell.opened.size());
        if (answer != 7) {
            EXPECT_EQ("active|open|Driver\\linemode_2k-xp.exe|1", shell.opened[0]);
        }
    }
}

TEST(Dispatch, EpsonPromptsDifferInOneCharacter)
{
    std::string a = g_szPromptEpson9x, b = g_szPromptEpsonNt;
    ASSERT_EQ(a.size(), b.size() + 1);
    size_t i = a.find("TM-U210B");
    ASSERT_NE(std::string::npos, i);
    EXPECT_EQ(a.substr(0, i + 7) + a.substr(i + 8), b);
}

} // namespace
