// texts.h: the program's texts, from tests/texts.tsv, as code-page-936
// bytes. The table is UTF-8 and converted by iconv, not by the compiler.
#pragma once
#include <string>

// The text named pszName; an unknown name is a test failure.
std::string T(const char* pszName);
