// The shipped exe's entry point, in place of the C runtime's start-up code
// (it is linked with -nostdlib). The menu reads no command line, no
// environment and no console; that code and its unwind tables were a fifth
// of the file. What the menu needs of it is done here: the static
// constructors before WinMain (theApp among them), the exit functions after
// it. The heap is the process heap (framework/afxcrt.cpp), which needs no
// set-up.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int);

namespace {

// Static destructors register here; the program has a handful.
typedef void (*PFN_ATEXIT)();
PFN_ATEXIT s_pfnAtExit[16];
int s_nAtExit = 0;

} // namespace

// The linker's lists of static constructors and destructors: a count or -1
// first, then the functions, then a null.
extern "C" PFN_ATEXIT __CTOR_LIST__[], __DTOR_LIST__[];

static void RunStaticDestructors()
{
    for (PFN_ATEXIT* p = __DTOR_LIST__ + 1; *p != NULL; ++p)
        (*p)();
}

// What libgcc's __main does, without its unwind tables, which were a
// section of the file of their own (512 bytes).
static void RunStaticConstructors()
{
    int n = 0;
    while (__CTOR_LIST__[n + 1] != NULL)
        ++n;
    for (; n > 0; --n)
        __CTOR_LIST__[n]();
    atexit(RunStaticDestructors);
}

// No runtime is linked: the static destructors and the constructors' runner
// register their exit functions here.
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
    RunStaticConstructors();
    int nResult = WinMain(::GetModuleHandleA(NULL), NULL, ::GetCommandLineA(), SW_SHOWDEFAULT);
    while (s_nAtExit > 0)
        s_pfnAtExit[--s_nAtExit]();
    ::ExitProcess((UINT)nResult);
}
