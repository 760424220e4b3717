// Heap allocation for the shipped exe: plain malloc and free. The program
// is built without exceptions, and the throwing operator new of libstdc++
// would pull its whole exception runtime into a 32 KiB program. A failed
// allocation gives NULL, which every caller of new in the framework checks.
#include <stdlib.h>
#include <new>

void* operator new(size_t n) { return malloc(n ? n : 1); }
void* operator new[](size_t n) { return malloc(n ? n : 1); }
void operator delete(void* p) noexcept { free(p); }
void operator delete[](void* p) noexcept { free(p); }
void operator delete(void* p, size_t) noexcept { free(p); }
void operator delete[](void* p, size_t) noexcept { free(p); }
