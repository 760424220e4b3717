// The C runtime's heap for the shipped exe, over KERNEL32 alone: the exe
// links no runtime and imports no runtime DLL, since Windows 95 before
// OSR2.5 has no MSVCRT.DLL, and one beside a copied menu would be loaded
// before the system's. Its string functions are afxcrtstr.cpp.
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

// Ends the process with the exit code of the runtime's abort.
void abort()
{
    ::ExitProcess(3);
}

} // extern "C"
