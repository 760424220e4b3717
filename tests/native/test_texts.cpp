// The program's texts, byte for byte: each expected text is written here
// in UTF-8 and converted to code page 936 by iconv, not by the compiler.
#include "app/cd_paths.h"
#include "app/startup.h"
#include "install/install.h"
#include "cp936.h"

#include <gtest/gtest.h>
#include <string>

namespace {

struct Text { const char* pszProgram; const char* pszUtf8; };

TEST(Texts, StartUpAndInstallTextsAreTheCodePage936Bytes)
{
    const Text texts[] = {
        { g_szWelcomeText,
          u8"      非常感谢您购买了VT-480QX打印机\n\n本光盘是非卖品，随机附带赠送给直接用户。未\n\n"
          u8"经VELTA公司许可，光盘内任何资料不得进行擅自\n\n的复制和转载，不得用于其它商业用途！违者必\n\n"
          u8"究！在使用中若您遇到任何问题，请致电VELTA公\n\n司客服中心。\n\n" },
        { g_szNoVersionText, u8"Can not obtain operating system information!" },
        { g_szCopyFailed, u8"Driver Path can not copy!" },
        { g_szDriverFailed, u8"打印机驱动安装失败,请检查驱动文件是否齐全!" },
        { g_szInstalled, u8"恭喜,安装480QX打印机成功!" },
        { g_szAlreadyInstalled, u8"VELTA-480QX打印机已经安装!" },
        { g_szPrinterFailed, u8"安装打印机失败,驱动是否安装正确?" },
        { g_szInstallErrorCaption, u8"安装480QX错误" },
        { g_szInstallCaption, u8"安装480QX" },
        { g_szPromptCaption, u8"驱动安装" },
        { g_szPromptEpson9x, u8"EPSON打印驱动程序\n\n仿真EPSON驱动程序打印，请选择EPSON TM-U210B Receipt安装。是否继续?" },
        { g_szPromptEpsonNt, u8"EPSON打印驱动程序\n\n仿真EPSON驱动程序打印，请选择EPSON TM-U210 Receipt安装。是否继续?" },
        { g_szPromptStarNt, u8"STAR打印驱动程序\n\n仿真STAR驱动程序打印，请选择Star SP542 Line Mode Printer安装。是否继续?" },
        { g_szCommandFailed, u8"480QX安装打印机失败" },
        { g_szCommandFailedCaption, u8"480QX安装错误" },
        { g_szDriverEsc9x, u8"Driver\\WIN98\\ESC模式\\Tm300s.drv" },
        { g_szDriverStar9x, u8"Driver\\WIN98\\STAR模式\\Sp500.drv" },
        { g_szInfEscNt, u8"Driver\\WIN2000\\ESC模式\\OEMSETUP.INF" },
    };
    for (const Text& t : texts)
        EXPECT_EQ(Cp936(t.pszUtf8), std::string(t.pszProgram)) << t.pszUtf8;
}

TEST(Texts, WelcomeTextShape)
{
    std::string s = g_szWelcomeText;
    EXPECT_EQ(0u, s.find("      \xB7\xC7"));  // six blanks, then 非
    EXPECT_EQ("\n\n", s.substr(s.size() - 2));
}

TEST(Texts, PrintUiCommandIs166BytesWithTwoBlanksAfterTheName)
{
    const std::string cmd = g_szPrintUiCommand;
    EXPECT_EQ(Cp936(u8"rundll32 printui.dll,PrintUIEntry /if /b \"VELTA VT-480QX\"  /f "
                    u8"Driver\\WIN2000\\ESC模式\\OEMSETUP.INF /r \"lpt1:\" /m \"EPSON TM-U210B Partial cut\" "
                    u8"/l Driver\\WIN2000\\ESC模式"),
              cmd);
    EXPECT_EQ(166u, cmd.size());
    EXPECT_NE(std::string::npos, cmd.find("\"VELTA VT-480QX\"  /f "));
    // The INF it names is the one on the CD list, and the driver folder is its folder.
    EXPECT_NE(std::string::npos, cmd.find(std::string("/f ") + g_szInfEscNt + " "));
    std::string inf = g_szInfEscNt;
    EXPECT_EQ(inf.substr(0, inf.rfind('\\')), cmd.substr(cmd.rfind("/l ") + 3));
    // Printer name and model are the ESC recipe's.
    EXPECT_NE(std::string::npos, cmd.find(std::string("/b \"") + g_escRecipe.pszPrinterName + "\""));
    EXPECT_NE(std::string::npos, cmd.find(std::string("/m \"") + g_escRecipe.pszDriverName + "\""));
}

} // namespace
