// Every text of the program against the table of texts.
#include "texts.h"
#include "app/cd_paths.h"
#include "app/startup.h"
#include "install/install.h"
#include "launch/launch.h"
#include "panel/panel.h"

#include <gtest/gtest.h>
#include <fstream>
#include <iconv.h>
#include <map>

std::string T(const char* pszName)
{
    static std::map<std::string, std::string> s_texts;
    if (s_texts.empty()) {
        std::ifstream f(TEXTS_TSV);
        iconv_t cd = iconv_open("CP936", "UTF-8");
        for (std::string line; std::getline(f, line);) {
            size_t tab = line.find('\t');
            if (tab == std::string::npos || line[0] == '#')
                continue;
            std::string utf8;
            for (size_t i = tab + 1; i < line.size(); ++i) {
                if (line[i] == '\\' && i + 1 < line.size())
                    utf8 += line[++i] == 'n' ? '\n' : line[i];
                else
                    utf8 += line[i];
            }
            std::string out(utf8.size() * 2, '\0');
            char *pin = &utf8[0], *pout = &out[0];
            size_t nin = utf8.size(), nout = out.size();
            EXPECT_NE((size_t)-1, iconv(cd, &pin, &nin, &pout, &nout)) << line;
            s_texts[line.substr(0, tab)] = out.substr(0, out.size() - nout);
        }
        iconv_close(cd);
    }
    auto it = s_texts.find(pszName);
    EXPECT_NE(s_texts.end(), it) << "no text " << pszName << " in " << TEXTS_TSV;
    return it == s_texts.end() ? std::string() : it->second;
}

TEST(Texts, EachIsTheTablesInCodePage936)
{
    const struct { const char* pszName; const char* pszText; } rows[] = {
        { "caption", g_szMenuCaption }, { "welcome", g_szWelcomeText }, { "noversion", g_szNoVersionText },
        { "panel.1002", PanelText(1002) }, { "panel.1003", PanelText(1003) },
        { "panel.1005", PanelText(1005) }, { "panel.1", PanelText(1) },
        { "copyfailed", g_szCopyFailed }, { "driverfailed", g_szDriverFailed },
        { "installed", g_szInstalled }, { "already", g_szAlreadyInstalled },
        { "printerfailed", g_szPrinterFailed }, { "errorcaption", g_szInstallErrorCaption },
        { "installcaption", g_szInstallCaption }, { "promptcaption", g_szPromptCaption },
        { "prompt.epson9x", g_szPromptEpson9x }, { "prompt.epsonnt", g_szPromptEpsonNt },
        { "prompt.starnt", g_szPromptStarNt }, { "commandfailed", g_szCommandFailed },
        { "commandfailedcaption", g_szCommandFailedCaption }, { "printui", g_szPrintUiCommand },
        { "web", g_szWebAddress }, { "cd.test", g_szTestProgram }, { "cd.vttm", g_szDocOwnCmds },
        { "cd.epson", g_szDocEpsonCmds }, { "cd.star", g_szDocStarCmds }, { "cd.readme", g_szReadme },
        { "cd.epson9x", g_szInstEpson9x }, { "cd.epsonnt", g_szInstEpsonNt },
        { "cd.starnt", g_szInstStarNt }, { "cd.inf", g_szInfEscNt },
        { "cd.esc9x", g_szDriverEsc9x }, { "cd.star9x", g_szDriverStar9x },
    };
    for (const auto& r : rows)
        EXPECT_EQ(T(r.pszName), r.pszText ? r.pszText : "(none)") << r.pszName;
}
