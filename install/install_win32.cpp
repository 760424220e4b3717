#include "install_win32.h"
#include "../framework/afxwin.h"

#include <stddef.h>
#include <winspool.h>

// The portable records are handed to the spooler as they are.
#define SAME_MEMBER(rec, win, m) static_assert(offsetof(rec, m) == offsetof(win, m), #m)
static_assert(sizeof(DRIVER_INFO_3_REC) == sizeof(DRIVER_INFO_3A), "DRIVER_INFO_3A layout");
SAME_MEMBER(DRIVER_INFO_3_REC, DRIVER_INFO_3A, pName);
SAME_MEMBER(DRIVER_INFO_3_REC, DRIVER_INFO_3A, pDependentFiles);
SAME_MEMBER(DRIVER_INFO_3_REC, DRIVER_INFO_3A, pDefaultDataType);
static_assert(sizeof(PRINTER_INFO_2_REC) == sizeof(PRINTER_INFO_2A), "PRINTER_INFO_2A layout");
SAME_MEMBER(PRINTER_INFO_2_REC, PRINTER_INFO_2A, pPortName);
SAME_MEMBER(PRINTER_INFO_2_REC, PRINTER_INFO_2A, pDevMode);
SAME_MEMBER(PRINTER_INFO_2_REC, PRINTER_INFO_2A, pSecurityDescriptor);
SAME_MEMBER(PRINTER_INFO_2_REC, PRINTER_INFO_2A, Attributes);
SAME_MEMBER(PRINTER_INFO_2_REC, PRINTER_INFO_2A, AveragePPM);
#undef SAME_MEMBER

// The spooler's DLL is loaded on the first install, not at start-up (see
// shell_win32.cpp). If it cannot be loaded, every call fails, and the
// installation reports the step that failed.
namespace {

typedef BOOL (WINAPI* PFN_GETDRIVERDIR)(LPSTR, LPSTR, DWORD, LPBYTE, DWORD, LPDWORD);
typedef BOOL (WINAPI* PFN_ADDDRIVER)(LPSTR, DWORD, LPBYTE);
typedef HANDLE (WINAPI* PFN_ADDPRINTER)(LPSTR, DWORD, LPBYTE);
typedef BOOL (WINAPI* PFN_CLOSEPRINTER)(HANDLE);

FARPROC SpoolerProc(const char* pszName)
{
    static HMODULE s_hSpool = NULL;
    if (s_hSpool == NULL)
        s_hSpool = AfxLoadSystemLibraryUsingFullPath("WINSPOOL.DRV");
    return s_hSpool ? ::GetProcAddress(s_hSpool, pszName) : NULL;
}

} // namespace

bool CWin32InstallOps::GetDriverDirectory(char* pszBuf, unsigned cbBuf)
{
    DWORD cbNeeded = 0;
    PFN_GETDRIVERDIR pfn = (PFN_GETDRIVERDIR)(void*)SpoolerProc("GetPrinterDriverDirectoryA");
    return pfn && pfn(NULL, const_cast<LPSTR>(g_szDriverEnvironment), 1, (LPBYTE)pszBuf, cbBuf, &cbNeeded);
}

// A 32-bit program on 64-bit Windows is given the folder that leads to the
// system's 32-bit programs.
bool CWin32InstallOps::GetSystemFolder(char* pszBuf, unsigned cbBuf)
{
    return AfxGetSystemDirectory(pszBuf, cbBuf) > 0;
}

// Files read from a CD are read-only, and CopyFileA passes the attribute on
// to the copy; Windows refuses to copy over a read-only file. Without this,
// every install after the first one from the disc would fail to copy.
static void MakeWritable(const char* pszPath)
{
    DWORD dwAttr = ::GetFileAttributesA(pszPath);
    if (dwAttr != INVALID_FILE_ATTRIBUTES && (dwAttr & FILE_ATTRIBUTE_READONLY))
        ::SetFileAttributesA(pszPath, dwAttr & ~FILE_ATTRIBUTE_READONLY);
}

bool CWin32InstallOps::CopyFileTo(const char* pszExisting, const char* pszNew, bool bFailIfExists)
{
    if (!bFailIfExists)
        MakeWritable(pszNew);
    if (!::CopyFileA(pszExisting, pszNew, bFailIfExists))
        return false;
    MakeWritable(pszNew);
    return true;
}

bool CWin32InstallOps::FileExists(const char* pszPath)
{
    DWORD dwAttr = ::GetFileAttributesA(pszPath);
    return dwAttr != INVALID_FILE_ATTRIBUTES && !(dwAttr & FILE_ATTRIBUTE_DIRECTORY);
}

bool CWin32InstallOps::AddDriver(unsigned long dwLevel, DRIVER_INFO_3_REC* pInfo)
{
    PFN_ADDDRIVER pfn = (PFN_ADDDRIVER)(void*)SpoolerProc("AddPrinterDriverA");
    return pfn && pfn(NULL, dwLevel, (LPBYTE)pInfo);
}

void* CWin32InstallOps::AddPrinterRecord(unsigned long dwLevel, PRINTER_INFO_2_REC* pInfo)
{
    PFN_ADDPRINTER pfn = (PFN_ADDPRINTER)(void*)SpoolerProc("AddPrinterA");
    return pfn ? pfn(NULL, dwLevel, (LPBYTE)pInfo) : NULL;
}

void CWin32InstallOps::ClosePrinterHandle(void* hPrinter)
{
    if (PFN_CLOSEPRINTER pfn = (PFN_CLOSEPRINTER)(void*)SpoolerProc("ClosePrinter"))
        pfn((HANDLE)hPrinter);
}

unsigned long CWin32InstallOps::LastError()
{
    return ::GetLastError();
}

int CWin32InstallOps::DialogMessage(const char* pszText, const char* pszCaption, unsigned uStyle)
{
    return m_pOwner->MessageBox(pszText, pszCaption, uStyle);
}

int CWin32InstallOps::AppMessage(const char* pszText, unsigned uStyle)
{
    return AfxMessageBox(pszText, uStyle, 0);
}

CWin32InstallOps::~CWin32InstallOps()
{
    if (m_hCommand != NULL)
        ::CloseHandle(m_hCommand);
}

unsigned CWin32InstallOps::Exec(const char* pszCmdLine, unsigned uCmdShow)
{
    HANDLE hProcess = NULL;
    UINT uResult = AfxWinExec(pszCmdLine, uCmdShow, &hProcess);
    if (hProcess != NULL) {
        if (m_hCommand != NULL)
            ::CloseHandle(m_hCommand);
        m_hCommand = hProcess;
    }
    return uResult;
}

// Asked, never waited for: the menu answers the user while printui runs.
bool CWin32InstallOps::CommandRunning()
{
    if (m_hCommand == NULL)
        return false;
    if (::WaitForSingleObject(m_hCommand, 0) == WAIT_TIMEOUT)
        return true;
    ::CloseHandle(m_hCommand);
    m_hCommand = NULL;
    return false;
}

// Windows 2000 and XP before SP2 have no IsWow64Process, and no 64-bit
// Windows either.
static FARPROC Kernel32Proc(const char* pszName)
{
    return ::GetProcAddress(::GetModuleHandleA("KERNEL32"), pszName);
}

bool CWin32InstallOps::IsWow64()
{
    typedef BOOL (WINAPI* PFN_ISWOW64)(HANDLE, PBOOL);
    PFN_ISWOW64 pfn = (PFN_ISWOW64)(void*)Kernel32Proc("IsWow64Process");
    BOOL bWow64 = FALSE;
    return pfn && pfn(::GetCurrentProcess(), &bWow64) && bWow64;
}

bool CWin32InstallOps::DisableRedirection(void** ppOld)
{
    typedef BOOL (WINAPI* PFN_DISABLE)(PVOID*);
    PFN_DISABLE pfn = (PFN_DISABLE)(void*)Kernel32Proc("Wow64DisableWow64FsRedirection");
    return pfn && pfn(ppOld);
}

void CWin32InstallOps::RevertRedirection(void* pOld)
{
    typedef BOOL (WINAPI* PFN_REVERT)(PVOID);
    if (PFN_REVERT pfn = (PFN_REVERT)(void*)Kernel32Proc("Wow64RevertWow64FsRedirection"))
        pfn(pOld);
}
