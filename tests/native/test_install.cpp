// Driver installation: the direct install's outcomes with the spooler's
// records, and what each install button does in each family.
#include "texts.h"
#include "install/install.h"
#include "launch/launch.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <cstring>
#include <vector>

namespace {

using Calls = std::vector<std::string>;

std::string Str(const char* p) { return p ? p : "null"; }

// What the spooler and the file system answer.
struct Spooler
{
    std::string strDir = "C:\\windows\\system32\\spool\\drivers\\win40";
    bool bDirOk = true, bCopyOk = true, bDriverOk = true, bPrinterOk = true;
    unsigned long dwError = 0;
    std::string strSystem = "C:\\windows\\system32";  // empty: GetSystemDirectoryA fails
    bool bWow64 = false, bRedirectionOff = true;        // IsWow64Process; Wow64Disable...'s lookup
};

struct FakeInstall : Spooler, IInstallOps, IShellOpen
{
    int nAnswer = 6;
    unsigned uExec = 33;
    std::vector<std::string> absent;  // every other file is there until a copy makes it
    std::string strCopyFails;         // a copy to this path fails
    Calls calls;

    bool GetDriverDirectory(char* buf, unsigned cb) override
    {
        calls.push_back("dir");
        std::strncpy(buf, strDir.c_str(), cb);
        return bDirOk;
    }
    bool GetSystemFolder(char* buf, unsigned cb) override
    {
        std::strncpy(buf, strSystem.c_str(), cb);
        return !strSystem.empty();
    }
    bool CopyFileTo(const char* src, const char* dst, bool bFail) override
    {
        calls.push_back("copy " + Str(src) + " > " + Str(dst) + (bFail ? " fail" : " over"));
        if (!bCopyOk || strCopyFails == dst)
            return false;
        absent.erase(std::remove(absent.begin(), absent.end(), dst), absent.end());
        return true;
    }
    bool FileExists(const char* path) override
    {
        return std::find(absent.begin(), absent.end(), path) == absent.end();
    }
    bool AddDriver(unsigned long level, DRIVER_INFO_3_REC* d) override
    {
        std::string deps;
        for (const char* q = d->pDependentFiles; *q; q += std::strlen(q) + 1)
            deps += std::string(deps.empty() ? "" : ",") + q;
        auto same = [d](const char* p) { return p == d->pDriverPath ? std::string("same") : Str(p); };
        calls.push_back("driver " + std::to_string(level) + ": " + std::to_string(d->cVersion) + "|" + Str(d->pName) +
                        "|" + Str(d->pEnvironment) + "|" + Str(d->pDriverPath) + "|" + same(d->pDataFile) + "|" +
                        same(d->pConfigFile) + "|" + Str(d->pHelpFile) + "|" + deps + "|" + Str(d->pMonitorName) +
                        "|" + Str(d->pDefaultDataType));
        return bDriverOk;
    }
    void* AddPrinterRecord(unsigned long level, PRINTER_INFO_2_REC* p) override
    {
        PRINTER_INFO_2_REC rest = *p, zero{};
        rest.pPrinterName = rest.pPortName = rest.pDriverName = rest.pPrintProcessor = rest.pDatatype = nullptr;
        rest.Attributes = 0;
        calls.push_back("printer " + std::to_string(level) + ": " + Str(p->pPrinterName) + "|" + Str(p->pPortName) +
                        "|" + Str(p->pDriverName) + "|" + Str(p->pPrintProcessor) + "|" + Str(p->pDatatype) + "|" +
                        std::to_string(p->Attributes) + (std::memcmp(&rest, &zero, sizeof rest) ? "|more" : ""));
        return bPrinterOk ? this : nullptr;
    }
    void ClosePrinterHandle(void* h) override { calls.push_back(h == this ? "close" : "close other"); }
    unsigned long LastError() override { calls.push_back("lasterror"); return dwError; }
    int DialogMessage(const char* text, const char* caption, unsigned style) override
    {
        calls.push_back("box " + Str(text) + "|" + Str(caption) + "|" + std::to_string(style));
        return nAnswer;
    }
    int AppMessage(const char* text, unsigned style) override
    {
        calls.push_back("appbox " + Str(text) + "|" + std::to_string(style));
        return 1;
    }
    unsigned Exec(const char* cmd, unsigned show) override
    {
        calls.push_back("exec " + Str(cmd) + "|" + std::to_string(show));
        return uExec;
    }
    bool bRunning = false;  // what CommandRunning answers
    bool CommandRunning() override { calls.push_back("running?"); return bRunning; }
    bool IsWow64() override { return bWow64; }
    bool DisableRedirection(void** ppOld) override
    {
        calls.push_back(bRedirectionOff ? "redirection off" : "redirection stays");
        *ppOld = this;
        return bRedirectionOff;
    }
    void RevertRedirection(void* pOld) override { calls.push_back(pOld == this ? "redirection on" : "redirection other"); }
    void Open(bool owner, const char* verb, const char* file, const char* params, const char* dir, int show) override
    {
        calls.push_back(std::string(owner ? "open active " : "open none ") + verb + " " + file +
                        (params || dir ? " +" : "") + " " + std::to_string(show));
    }
};

const std::string kEscDriver = "driver 3: 2|EPSON TM-U210B Partial cut|Windows 4.0|@\\Tm300s.drv|same|same|null|"
                               "Tm300s.drv,TMPROCES.dll,Iconlib.dll,Unidrv.dll,Unidrv.hlp,Tmctrla.ini|null|RAW";
const std::string kStarDriver = "driver 3: 2|Star SP542 (NF_Fcut)|Windows 4.0|@\\Sp500.drv|same|same|null|"
                                "Sp500.drv,Iconlib.dll,Unidrv.dll,Unidrv.hlp|null|RAW";
const std::string kEscPrinter = "printer 2: VELTA VT-480QX|LPT1:|EPSON TM-U210B Partial cut|WinPrint|RAW|64";
const std::string kStarPrinter = "printer 2: VELTA VT-480QX(STAR)|LPT1:|Star SP542 (NF_Fcut)|WinPrint|RAW|64";

// The calls with the driver directory in place of @.
Calls InDir(Calls calls, const std::string& strDir)
{
    for (std::string& c : calls)
        if (size_t at = c.find('@'); at != std::string::npos)
            c.replace(at, 1, strDir);
    return calls;
}

TEST(Install, DirectInstallOutcomes)
{
    const std::string escCopy = "copy " + T("cd.esc9x") + " > @\\Tm300s.drv over";
    const std::string starCopy = "copy " + T("cd.star9x") + " > @\\Sp500.drv over";
    const std::string copyFailed = "appbox " + T("copyfailed") + "|0";
    const std::string installed = "box " + T("installed") + "|" + T("installcaption") + "|0";
    const std::string errorCaption = "|" + T("errorcaption") + "|16";
    const std::string d = Spooler().strDir;
    const struct { const DRIVER_RECIPE* pRecipe; Spooler spooler; Calls calls; } rows[] = {
        { &g_escRecipe, {}, { "dir", escCopy, kEscDriver, kEscPrinter, "close", installed } },
        { &g_starRecipe, {}, { "dir", starCopy, kStarDriver, kStarPrinter, "close", installed } },
        { &g_escRecipe, { d, false }, { "dir", copyFailed } },
        { &g_starRecipe, { d, true, false }, { "dir", starCopy, copyFailed } },
        // 260 bytes in all: directory, "\Tm300s.drv" and the NUL must fit, and
        // so must every file the driver depends on (TMPROCES.dll the longest).
        { &g_escRecipe, { std::string(246, 'd') }, { "dir", escCopy, kEscDriver, kEscPrinter, "close", installed } },
        { &g_escRecipe, { std::string(247, 'd') }, { "dir", escCopy, copyFailed } },
        { &g_escRecipe, { std::string(249, 'd') }, { "dir", copyFailed } },
        { &g_escRecipe, { d, true, true, false }, { "dir", escCopy, kEscDriver, "box " + T("driverfailed") + errorCaption } },
        { &g_starRecipe, { d, true, true, true, false, 1802 },
          { "dir", starCopy, kStarDriver, kStarPrinter, "lasterror", "appbox " + T("already") + "|0" } },
        { &g_escRecipe, { d, true, true, true, false, 5 },
          { "dir", escCopy, kEscDriver, kEscPrinter, "lasterror", "box " + T("printerfailed") + errorCaption } },
    };
    int n = 0;
    for (const auto& r : rows) {
        FakeInstall ops;
        static_cast<Spooler&>(ops) = r.spooler;
        InstallPrinterDirect(ops, *r.pRecipe);
        EXPECT_EQ(InDir(r.calls, r.spooler.strDir), ops.calls) << "row " << ++n;
    }
}

// What the 9x spooler needs in its driver directory before the driver is
// added: each dependent file the directory lacks, from beside the driver
// on the disc; one it has is kept; one in neither place, or a copy that
// fails, ends the install before anything is registered.
TEST(Install, DependentFiles)
{
    const std::string d = Spooler().strDir + "\\";
    const std::string esc = T("cd.esc9x").substr(0, T("cd.esc9x").size() - 10);  // less "Tm300s.drv"
    const std::string star = T("cd.star9x").substr(0, T("cd.star9x").size() - 9);  // less "Sp500.drv"
    auto Copy = [&](const std::string& from, const char* name) { return "copy " + from + name + " > " + d + name + " over"; };
    const std::string escDrv = Copy(esc, "Tm300s.drv"), starDrv = Copy(star, "Sp500.drv");
    const std::string installed = "box " + T("installed") + "|" + T("installcaption") + "|0";
    const std::string driverFailed = "box " + T("driverfailed") + "|" + T("errorcaption") + "|16";
    const std::string copyFailed = "appbox " + T("copyfailed") + "|0";
    const struct { const DRIVER_RECIPE* pRecipe; std::vector<std::string> absent; std::string strCopyFails; Calls calls; } rows[] = {
        // A clean system: the maker's own files from the disc; Iconlib, Unidrv and its help are the system's.
        { &g_escRecipe, { d + "TMPROCES.dll", d + "Tmctrla.ini" }, "",
          { "dir", escDrv, Copy(esc, "TMPROCES.dll"), Copy(esc, "Tmctrla.ini"), kEscDriver, kEscPrinter, "close", installed } },
        // Nothing there yet but the driver: every file, in the driver's order.
        { &g_starRecipe, { d + "Sp500.drv", d + "Iconlib.dll", d + "Unidrv.dll", d + "Unidrv.hlp" }, "",
          { "dir", starDrv, Copy(star, "Iconlib.dll"), Copy(star, "Unidrv.dll"), Copy(star, "Unidrv.hlp"),
            kStarDriver, kStarPrinter, "close", installed } },
        // Tmctrla.ini on neither side: no driver, no printer, the driver-failure box.
        { &g_escRecipe, { d + "TMPROCES.dll", d + "Tmctrla.ini", esc + "Tmctrla.ini" }, "",
          { "dir", escDrv, Copy(esc, "TMPROCES.dll"), driverFailed } },
        { &g_starRecipe, { d + "Unidrv.hlp", star + "Unidrv.hlp" }, "", { "dir", starDrv, driverFailed } },
        // A dependent copy that fails, as a failed driver copy does.
        { &g_escRecipe, { d + "TMPROCES.dll", d + "Tmctrla.ini" }, d + "TMPROCES.dll",
          { "dir", escDrv, Copy(esc, "TMPROCES.dll"), copyFailed } },
    };
    int n = 0;
    for (const auto& r : rows) {
        FakeInstall ops;
        ops.absent = r.absent;
        ops.strCopyFails = r.strCopyFails;
        InstallPrinterDirect(ops, *r.pRecipe);
        EXPECT_EQ(InDir(r.calls, Spooler().strDir), ops.calls) << "row " << ++n;
    }
}

Calls Direct(const DRIVER_RECIPE& recipe)
{
    FakeInstall ops;
    InstallPrinterDirect(ops, recipe);
    return ops.calls;
}

TEST(Install, EachButtonInEachFamily)
{
    enum Button { STANDARD, EPSON, STAR };
    // The system's own rundll32, quoted, then the command's switches as they are.
    const std::string exec = "exec \"C:\\windows\\system32\\rundll32.exe\"" + T("printui").substr(8) + "|0";
    const std::string failed = "box " + T("commandfailed") + "|" + T("commandfailedcaption") + "|16";
    auto Prompt = [](const char* name) { return "box " + T(name) + "|" + T("promptcaption") + "|52"; };
    auto Open = [](const char* name) { return "open active open " + T(name) + " 1"; };
    const struct { Button b; int nFlag, nAnswer; unsigned uExec; Calls calls; } rows[] = {
        { STANDARD, 0, 6, 33, Direct(g_escRecipe) },
        { STANDARD, 1, 6, 32, { "running?", exec } },
        { STANDARD, -1, 6, 0xFFFFFFFF, { "running?", exec } },
        { STANDARD, 1, 6, 31, { "running?", exec, failed } },
        { EPSON, 0, 7, 33, { Prompt("prompt.epson9x") } },
        { EPSON, 0, 6, 33, { Prompt("prompt.epson9x"), Open("cd.epson9x") } },
        { EPSON, 1, 7, 33, { Prompt("prompt.epsonnt") } },
        { EPSON, 1, 6, 33, { Prompt("prompt.epsonnt"), Open("cd.epsonnt") } },
        { STAR, 0, 7, 33, Direct(g_starRecipe) },
        { STAR, 1, 7, 33, { Prompt("prompt.starnt") } },
        { STAR, 1, 6, 33, { Prompt("prompt.starnt"), Open("cd.starnt") } },
        { STAR, 1, 0, 33, { Prompt("prompt.starnt"), Open("cd.starnt") } },
    };
    int n = 0;
    for (const auto& r : rows) {
        FakeInstall ops;
        ops.nAnswer = r.nAnswer;
        ops.uExec = r.uExec;
        if (r.b == STANDARD)
            DrvStandard(r.nFlag, ops);
        else if (r.b == EPSON)
            DrvEpsonEmu(r.nFlag, ops, ops);
        else
            DrvStarEmu(r.nFlag, ops, ops);
        EXPECT_EQ(r.calls, ops.calls) << "row " << ++n;
    }
    FakeInstall noSystem;  // never rundll32 by its bare name
    noSystem.strSystem.clear();
    DrvStandard(1, noSystem);
    EXPECT_EQ((Calls{ "running?", failed }), noSystem.calls);
}

// Which rundll32 the standard driver starts on NT: the native one, so that
// the native printui installs the driver for the system's own spooler.
TEST(Install, PrintUiCommandFolder)
{
    const std::string rest = T("printui").substr(8) + "|0";
    const std::string failed = "box " + T("commandfailed") + "|" + T("commandfailedcaption") + "|16";
    const std::string system = "exec \"C:\\windows\\system32\\rundll32.exe\"" + rest;
    const struct { const char* pszCase; bool bWow64, bSysnative, bRedirectionOff; std::string strSystem; unsigned uExec; Calls calls; } rows[] = {
        { "32-bit Windows", false, true, true, "C:\\windows\\system32", 33, { system } },
        { "WoW64, Vista and later", true, true, true, "C:\\windows\\system32", 33,
          { "exec \"C:\\windows\\Sysnative\\rundll32.exe\"" + rest } },
        // 乗's second byte is a backslash: the folder above is 视窗, not 系统.
        { "WoW64, a Chinese system folder", true, true, true, "D:\\视窗\\系统乗", 33,
          { "exec \"D:\\视窗\\Sysnative\\rundll32.exe\"" + rest } },
        { "WoW64 without Sysnative (XP x64)", true, false, true, "C:\\windows\\system32", 33,
          { "redirection off", system, "redirection on" } },
        { "and a start that fails", true, false, true, "C:\\windows\\system32", 2,
          { "redirection off", system, "redirection on", failed } },
        { "and no redirection to turn off", true, false, false, "C:\\windows\\system32", 33,
          { "redirection stays", system } },
    };
    for (const auto& r : rows) {
        FakeInstall ops;
        ops.bWow64 = r.bWow64;
        ops.bRedirectionOff = r.bRedirectionOff;
        ops.strSystem = r.strSystem;
        ops.uExec = r.uExec;
        if (!r.bSysnative)
            ops.absent = { "C:\\windows\\Sysnative\\rundll32.exe" };
        DrvStandard(1, ops);
        Calls want = r.calls;
        want.insert(want.begin(), "running?");
        EXPECT_EQ(want, ops.calls) << r.pszCase;
    }
}

// A click while the command an earlier click started still runs starts
// nothing and shows nothing; once it has ended, the command runs again.
TEST(Install, OneInstallAtATime)
{
    FakeInstall ops;
    ops.bRunning = true;
    DrvStandard(1, ops);
    EXPECT_EQ(Calls{ "running?" }, ops.calls);
    ops.bRunning = false;
    DrvStandard(1, ops);
    EXPECT_EQ((Calls{ "running?", "running?", "exec \"C:\\windows\\system32\\rundll32.exe\"" + T("printui").substr(8) + "|0" }),
              ops.calls);
    FakeInstall win98;  // no command to wait for: the spooler's install, as ever
    win98.bRunning = true;
    DrvStandard(0, win98);
    EXPECT_EQ(Direct(g_escRecipe), win98.calls);
}

} // namespace
