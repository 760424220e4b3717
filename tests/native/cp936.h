// cp936.h: UTF-8 to code page 936 through iconv, so that tests can write
// the expected texts in UTF-8 and compare them with the program's bytes.
#pragma once
#include <iconv.h>
#include <stdexcept>
#include <string>

inline std::string Cp936(const char* utf8)
{
    iconv_t cd = iconv_open("CP936", "UTF-8");
    if (cd == (iconv_t)-1)
        throw std::runtime_error("no CP936 converter");
    std::string in(utf8), out(in.size() * 2 + 4, '\0');
    char* pin = &in[0];
    char* pout = &out[0];
    size_t nin = in.size(), nout = out.size();
    size_t r = iconv(cd, &pin, &nin, &pout, &nout);
    iconv_close(cd);
    if (r == (size_t)-1)
        throw std::runtime_error("text not representable in CP936");
    out.resize(out.size() - nout);
    return out;
}
