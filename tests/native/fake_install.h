// fake_install.h: the recording fake of the install tests, and what the
// spooler records of the two 9x recipes.
#pragma once
#include "texts.h"
#include "install/install.h"
#include "launch/launch.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <cstring>
#include <vector>

namespace install_fake {

using Calls = std::vector<std::string>;

inline std::string Str(const char* p) { return p ? p : "null"; }

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
    bool bRunning = false;            // what CommandRunning answers
    std::vector<std::string> absent;  // every other file is there until a copy makes it
    std::string strCopyFails;         // a copy to this path fails
    Calls calls;

    bool GetDriverDirectory(char* buf, unsigned cb) override
    {
        calls.push_back("dir");
        return std::strncpy(buf, strDir.c_str(), cb), bDirOk;
    }
    bool GetSystemFolder(char* buf, unsigned cb) override { return std::strncpy(buf, strSystem.c_str(), cb), !strSystem.empty(); }
    bool CopyFileTo(const char* src, const char* dst, bool bFail) override
    {
        calls.push_back("copy " + Str(src) + " > " + Str(dst) + (bFail ? " fail" : " over"));
        if (!bCopyOk || strCopyFails == dst)
            return false;
        absent.erase(std::remove(absent.begin(), absent.end(), dst), absent.end());
        return true;
    }
    bool FileExists(const char* path) override { return std::find(absent.begin(), absent.end(), path) == absent.end(); }
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
    unsigned long LastError() override { return calls.push_back("lasterror"), dwError; }
    int DialogMessage(const char* text, const char* caption, unsigned style) override
    {
        return calls.push_back("box " + Str(text) + "|" + Str(caption) + "|" + std::to_string(style)), nAnswer;
    }
    int AppMessage(const char* text, unsigned style) override
    {
        return calls.push_back("appbox " + Str(text) + "|" + std::to_string(style)), 1;
    }
    unsigned Exec(const char* cmd, unsigned show) override
    {
        return calls.push_back("exec " + Str(cmd) + "|" + std::to_string(show)), uExec;
    }
    bool CommandRunning() override { return calls.push_back("running?"), bRunning; }
    bool IsWow64() override { return bWow64; }
    bool DisableRedirection(void** ppOld) override
    {
        calls.push_back(bRedirectionOff ? "redirection off" : "redirection stays");
        return *ppOld = this, bRedirectionOff;
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
inline Calls InDir(Calls calls, const std::string& strDir)
{
    for (std::string& c : calls)
        if (size_t at = c.find('@'); at != std::string::npos)
            c.replace(at, 1, strDir);
    return calls;
}

} // namespace install_fake
using namespace install_fake;
