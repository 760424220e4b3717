// The few C runtime functions the shipped exe uses, over KERNEL32 alone, so
// that it imports no runtime DLL: Windows 95 before OSR2.5 has no
// MSVCRT.DLL, and one beside a copied menu would be loaded before the
// system's. Only the exe links this file; the native tree uses its libc.
//
// Built with -fno-builtin and without loop-pattern distribution (see
// CMakeLists.txt): the compiler would otherwise turn these loops back into
// calls to themselves.
#include <windows.h>
#include <stddef.h>

extern "C" {

// The process heap: there from the first instruction, no set-up needed.
void* malloc(size_t n)
{
    return ::HeapAlloc(::GetProcessHeap(), 0, n);
}

void free(void* p)
{
    if (p != NULL)
        ::HeapFree(::GetProcessHeap(), 0, p);
}

// The runtime's abnormal-termination code.
void abort()
{
    ::ExitProcess(3);
}

// Byte semantics: lstrlenA and lstrcpyA would do, but lstrcmpA compares by
// the locale's collation, which ignores hyphens, and "VT-480QX" would equal
// "VT480QX".
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
