// The C runtime's string functions for the shipped exe, which links no
// runtime (see afxcrt.cpp). No <windows.h>, so that the native tests can
// build it too.
#include <stddef.h>

extern "C" {

// Byte semantics, as the C library's: KERNEL32's lstrcmpA compares by the
// locale's collation instead, and code-page-936 bytes above 0x7F are
// compared here unsigned.
size_t strlen(const char* s)
{
    const char* p = s;
    while (*p)
        ++p;
    return (size_t)(p - s);
}

int strcmp(const char* a, const char* b)
{
    const unsigned char* p = (const unsigned char*)a;
    const unsigned char* q = (const unsigned char*)b;
    while (*p && *p == *q)
        ++p, ++q;
    return *p - *q;
}

char* strcpy(char* dst, const char* src)
{
    char* d = dst;
    while ((*d++ = *src++) != '\0') {}
    return dst;
}

} // extern "C"
