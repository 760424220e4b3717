// The install buttons against the real spooler, files and boxes, from the
// sample CD: in a win98 prefix the direct installs, in a winxp prefix the
// install command. (The emulation installers' prompts and starts are
// covered end to end, with the shipped exe.)
#include "dialog_driver.h"
#include "app/SetupMenuDlg.h"
#include "install/install.h"
#include "install/install_win32.h"

#include <gtest/gtest.h>
#include <winspool.h>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

namespace {

std::string Mode()
{
    const char* p = std::getenv("WINE_VERSION_MODE");
    return p ? p : "";
}

#define ONLY_IN(mode) \
    if (Mode() != mode) GTEST_SKIP() << "runs in the " mode " prefix"

// The real calls, with the command's start recorded on the way.
class CRecordingOps : public CWin32InstallOps
{
public:
    std::string strCmdLine;
    unsigned uShow = 99, uResult = 0;
    unsigned Exec(const char* pszCmdLine, unsigned uCmdShow) override
    {
        strCmdLine = pszCmdLine;
        uShow = uCmdShow;
        return uResult = CWin32InstallOps::Exec(pszCmdLine, uCmdShow);
    }
};

class CInstallDlg : public CSetupMenuDlg
{
public:
    CRecordingOps m_ops;

protected:
    IInstallOps& InstallOps() override
    {
        m_ops.SetOwner(this);
        return m_ops;
    }
};

class InstallTest : public testing::Test
{
protected:
    void SetUp() override
    {
        const char* pszCd = std::getenv("SAMPLE_CD");
        ASSERT_NE(nullptr, pszCd) << "run through ctest, which names the sample CD";
        ASSERT_TRUE(::SetCurrentDirectoryA(pszCd)) << pszCd;
    }
};

Step Click(int nID)
{
    // Posted: the handler runs in the modal loop, and its boxes with it.
    return [nID](HWND h) {
        ::PostMessageA(h, WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), (LPARAM)::GetDlgItem(h, nID));
        return true;
    };
}

struct Box
{
    HWND hWnd = NULL;
    std::string strText, strCaption;     // the program's bytes
    std::wstring strTextW, strCaptionW;  // as shown
};

Step WaitBox(Box& box)
{
    return [&box](HWND h) {
        box.hWnd = FindOwnedWindow(h);
        if (box.hWnd == NULL)
            return false;
        box.strText = WindowTextA(::GetDlgItem(box.hWnd, 0xFFFF));
        box.strCaption = WindowTextA(box.hWnd);
        box.strTextW = WindowTextW(::GetDlgItem(box.hWnd, 0xFFFF));
        box.strCaptionW = WindowTextW(box.hWnd);
        return true;
    };
}

Step Answer(Box& box, int nAnswer)
{
    return [&box, nAnswer](HWND) {
        ::PostMessageA(box.hWnd, WM_COMMAND, nAnswer, 0);
        return true;
    };
}

Step WaitGone(Box& box)
{
    return [&box](HWND) { return !::IsWindow(box.hWnd); };
}

Step WaitFor(std::function<bool()> pred)
{
    return [pred](HWND) { return pred(); };
}

struct Printer
{
    std::string strPort, strDriver;
    bool bFound = false;
};

Printer FindPrinter(const char* pszName)
{
    Printer p;
    DWORD cb = 0, n = 0;
    ::EnumPrintersA(PRINTER_ENUM_LOCAL, NULL, 2, NULL, 0, &cb, &n);
    std::vector<BYTE> buf(cb + 16);
    if (!::EnumPrintersA(PRINTER_ENUM_LOCAL, NULL, 2, buf.data(), cb, &cb, &n))
        return p;
    const PRINTER_INFO_2A* pi = (const PRINTER_INFO_2A*)buf.data();
    for (DWORD i = 0; i < n; ++i) {
        if (std::strcmp(pi[i].pPrinterName, pszName) == 0) {
            p.bFound = true;
            p.strPort = pi[i].pPortName ? pi[i].pPortName : "";
            p.strDriver = pi[i].pDriverName ? pi[i].pDriverName : "";
        }
    }
    return p;
}

std::string ReadFile(const std::string& path)
{
    std::ifstream f(path.c_str(), std::ios::binary);
    std::stringstream ss;
    ss << f.rdbuf();
    return ss.str();
}

std::string DriverDirectory()
{
    char sz[MAX_PATH] = "";
    DWORD cb = 0;
    ::GetPrinterDriverDirectoryA(NULL, (LPSTR)"Windows 4.0", 1, (LPBYTE)sz, sizeof sz, &cb);
    return sz;
}

void ExpectInstalls(const DRIVER_RECIPE& recipe, int nButton)
{
    std::string strDest = DriverDirectory() + recipe.pszDestSuffix;
    ::DeleteFileA(strDest.c_str());
    CInstallDlg dlg;
    Box box;
    DriveResult r = RunDialog(dlg, { Click(nButton), WaitBox(box), Answer(box, IDOK), WaitGone(box) });
    EXPECT_TRUE(r.bFinished) << r.strStuckAt;
    EXPECT_EQ(std::string(g_szInstalled), box.strText);
    EXPECT_EQ(std::string(g_szInstallCaption), box.strCaption);
    EXPECT_EQ(L"恭喜,安装480QX打印机成功!", box.strTextW);
    EXPECT_EQ(L"安装480QX", box.strCaptionW);
    // The driver file was really copied from the CD into the spooler's directory.
    std::string strCopied = ReadFile(strDest);
    EXPECT_FALSE(strCopied.empty()) << strDest;
    EXPECT_EQ(ReadFile(recipe.pszSourceFile), strCopied);
    Printer p = FindPrinter(recipe.pszPrinterName);
    EXPECT_TRUE(p.bFound) << recipe.pszPrinterName;
    EXPECT_EQ("LPT1:", p.strPort);
    EXPECT_EQ(std::string(recipe.pszDriverName), p.strDriver);
}

TEST_F(InstallTest, Win98StandardDriverInstallsForReal)
{
    ONLY_IN("win98");
    ExpectInstalls(g_escRecipe, IDC_DRV_STANDARD);
}

TEST_F(InstallTest, Win98StarDriverInstallsForReal)
{
    ONLY_IN("win98");
    ExpectInstalls(g_starRecipe, IDC_DRV_STAREMU);
    EXPECT_TRUE(FindPrinter("VELTA VT-480QX(STAR)").bFound);
}

TEST_F(InstallTest, Win98MissingDriverFileReportsAndChangesNothing)
{
    ONLY_IN("win98");
    char szTemp[MAX_PATH];
    ::GetTempPathA(sizeof szTemp, szTemp);
    std::string strEmpty = std::string(szTemp) + "empty-cd";
    ::CreateDirectoryA(strEmpty.c_str(), NULL);
    ASSERT_TRUE(::SetCurrentDirectoryA(strEmpty.c_str()));
    DWORD cb = 0, nBefore = 0, nAfter = 0;
    ::EnumPrintersA(PRINTER_ENUM_LOCAL, NULL, 2, NULL, 0, &cb, &nBefore);
    std::vector<BYTE> buf(cb + 16);
    ::EnumPrintersA(PRINTER_ENUM_LOCAL, NULL, 2, buf.data(), cb, &cb, &nBefore);

    CInstallDlg dlg;
    Box box;
    DriveResult r = RunDialog(dlg, { Click(IDC_DRV_STANDARD), WaitBox(box), Answer(box, IDOK), WaitGone(box) });
    EXPECT_TRUE(r.bFinished) << r.strStuckAt;
    EXPECT_EQ("Driver Path can not copy!", box.strText);
    EXPECT_EQ(std::string(AfxGetApp()->m_pszAppName), box.strCaption);  // the exe's base name
    cb = 0;
    ::EnumPrintersA(PRINTER_ENUM_LOCAL, NULL, 2, NULL, 0, &cb, &nAfter);
    buf.assign(cb + 16, 0);
    ::EnumPrintersA(PRINTER_ENUM_LOCAL, NULL, 2, buf.data(), cb, &cb, &nAfter);
    EXPECT_EQ(nBefore, nAfter);
}

TEST_F(InstallTest, NtStandardDriverRunsTheCommandHiddenWithoutABox)
{
    ONLY_IN("winxp");
    CInstallDlg dlg;
    DriveResult r = RunDialog(dlg, {
        Click(IDC_DRV_STANDARD),
        WaitFor([&] { return !dlg.m_ops.strCmdLine.empty(); }),
        WaitFor([] { ::Sleep(500); return true; }),
        [&](HWND h) { EXPECT_EQ(NULL, FindOwnedWindow(h)); return true; },
    });
    EXPECT_TRUE(r.bFinished) << r.strStuckAt;
    EXPECT_EQ(std::string(g_szPrintUiCommand), dlg.m_ops.strCmdLine);
    EXPECT_EQ(0u, dlg.m_ops.uShow);
    EXPECT_GE(dlg.m_ops.uResult, 32u) << "the command did not start";
}

} // namespace
