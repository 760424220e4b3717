// What each install button does in each family, and the standard driver's
// printer-install command on the NT family.
#include "fake_install.h"

namespace {

Calls Direct(const DRIVER_RECIPE& recipe)
{
    FakeInstall ops;
    InstallPrinterDirect(ops, recipe);
    return ops.calls;
}

const std::string kFailed = "box " + T("commandfailed") + "|" + T("commandfailedcaption") + "|16";

// A click while the command an earlier click started still runs starts
// nothing and shows nothing; 9x has no command to wait for.
TEST(Install, EachButtonInEachFamily)
{
    enum Button { STANDARD, EPSON, STAR };
    // The system's own rundll32, quoted, then the command's switches as they are.
    const std::string exec = "exec \"C:\\windows\\system32\\rundll32.exe\"" + T("printui").substr(8) + "|0";
    auto Prompt = [](const char* name) { return "box " + T(name) + "|" + T("promptcaption") + "|52"; };
    auto Open = [](const char* name) { return "open active open " + T(name) + " 1"; };
    const struct { Button b; int nFlag, nAnswer; unsigned uExec; bool bRunning; Calls calls; } rows[] = {
        { STANDARD, 0, 6, 33, false, Direct(g_escRecipe) },
        { STANDARD, 0, 6, 33, true, Direct(g_escRecipe) },
        { STANDARD, 1, 6, 32, false, { "running?", exec } },
        { STANDARD, 1, 6, 33, true, { "running?" } },
        { STANDARD, -1, 6, 0xFFFFFFFF, false, { "running?", exec } },
        { STANDARD, 1, 6, 31, false, { "running?", exec, kFailed } },
        { EPSON, 0, 7, 33, false, { Prompt("prompt.epson9x") } },
        { EPSON, 0, 6, 33, false, { Prompt("prompt.epson9x"), Open("cd.epson9x") } },
        { EPSON, 1, 7, 33, false, { Prompt("prompt.epsonnt") } },
        { EPSON, 1, 6, 33, false, { Prompt("prompt.epsonnt"), Open("cd.epsonnt") } },
        { STAR, 0, 7, 33, false, Direct(g_starRecipe) },
        { STAR, 1, 7, 33, false, { Prompt("prompt.starnt") } },
        { STAR, 1, 6, 33, false, { Prompt("prompt.starnt"), Open("cd.starnt") } },
        { STAR, 1, 0, 33, false, { Prompt("prompt.starnt"), Open("cd.starnt") } },
    };
    int n = 0;
    for (const auto& r : rows) {
        FakeInstall ops;
        ops.nAnswer = r.nAnswer;
        ops.uExec = r.uExec;
        ops.bRunning = r.bRunning;
        if (r.b == STANDARD)
            DrvStandard(r.nFlag, ops);
        else if (r.b == EPSON)
            DrvEpsonEmu(r.nFlag, ops, ops);
        else
            DrvStarEmu(r.nFlag, ops, ops);
        EXPECT_EQ(r.calls, ops.calls) << "row " << ++n;
    }
}

// Which rundll32 the standard driver starts on NT: the native one, so that
// the native printui installs the driver for the system's own spooler.
TEST(Install, PrintUiCommandFolder)
{
    const std::string rest = T("printui").substr(8) + "|0";
    const std::string system = "exec \"C:\\windows\\system32\\rundll32.exe\"" + rest;
    const struct { const char* pszCase; bool bWow64, bSysnative, bRedirectionOff; std::string strSystem; unsigned uExec; Calls calls; } rows[] = {
        { "32-bit Windows", false, true, true, "C:\\windows\\system32", 33, { system } },
        { "no system folder: never rundll32 by its bare name", false, true, true, "", 33, { kFailed } },
        { "WoW64, Vista and later", true, true, true, "C:\\windows\\system32", 33,
          { "exec \"C:\\windows\\Sysnative\\rundll32.exe\"" + rest } },
        // 乗's second byte is a backslash: the folder above is 视窗, not 系统.
        { "WoW64, a Chinese system folder", true, true, true, "D:\\视窗\\系统乗", 33,
          { "exec \"D:\\视窗\\Sysnative\\rundll32.exe\"" + rest } },
        { "WoW64 without Sysnative (XP x64)", true, false, true, "C:\\windows\\system32", 33,
          { "redirection off", system, "redirection on" } },
        { "and a start that fails", true, false, true, "C:\\windows\\system32", 2,
          { "redirection off", system, "redirection on", kFailed } },
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

} // namespace
