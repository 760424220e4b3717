// Driver installation on Windows 9x: the direct install's outcomes with the
// spooler's records, and the files the driver depends on.
#include "fake_install.h"

namespace {

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

} // namespace
