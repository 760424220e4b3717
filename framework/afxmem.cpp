// Heap allocation for the shipped exe: malloc and free, which are the
// process heap's (framework/afxcrt.cpp). The program is built without
// exceptions, and the throwing operator new of libstdc++ would pull its
// whole exception runtime into a 32 KiB program.
#include <stdlib.h>
#include <new>

static void* Allocate(size_t n)
{
    void* p = malloc(n ? n : 1);
    // No caller checks for NULL, and the compiler may assume new never
    // returns it: end the program rather than run on with a null object.
    if (p == NULL)
        abort();
    return p;
}

void* operator new(size_t n) { return Allocate(n); }
void* operator new[](size_t n) { return Allocate(n); }
void operator delete(void* p) noexcept { free(p); }
void operator delete[](void* p) noexcept { free(p); }
void operator delete(void* p, size_t) noexcept { free(p); }
void operator delete[](void* p, size_t) noexcept { free(p); }
