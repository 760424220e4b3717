// The shipped exe's entry point, in place of the C runtime's start-up code
// (it is linked with -nostdlib). The menu reads no command line, no
// environment and no console; that code and its unwind tables were a fifth
// of the file. What the menu needs of it is done here: the static
// constructors before WinMain (theApp among them), the exit functions after
// it. The heap is the process heap (framework/afxcrt.cpp), which needs no
// set-up.
#include <windows.h>

extern "C" void __main();  // libgcc's runner of the static constructors
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int);

namespace {

// Static destructors register here; the program has a handful.
typedef void (*PFN_ATEXIT)();
PFN_ATEXIT s_pfnAtExit[16];
int s_nAtExit = 0;

} // namespace

// No runtime is linked: the static destructors and libgcc's __main register
// their exit functions here.
extern "C" int atexit(PFN_ATEXIT pfn)
{
    if (s_nAtExit == (int)(sizeof s_pfnAtExit / sizeof s_pfnAtExit[0]))
        return -1;
    s_pfnAtExit[s_nAtExit++] = pfn;
    return 0;
}

// Only the linker names it, as the entry: kept whole through link-time
// optimisation, which would otherwise drop it as unused.
extern "C" __attribute__((used, externally_visible)) void WinMainCRTStartup()
{
    __main();
    int nResult = WinMain(::GetModuleHandleA(NULL), NULL, ::GetCommandLineA(), SW_SHOWDEFAULT);
    while (s_nAtExit > 0)
        s_pfnAtExit[--s_nAtExit]();
    ::ExitProcess((UINT)nResult);
}
