// The table of texts, for the other tables to compare the program's texts
// with: each is checked where it is used.
#include "texts.h"

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
