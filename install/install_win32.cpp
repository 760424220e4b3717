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

bool CWin32InstallOps::GetDriverDirectory(char* pszBuf, unsigned cbBuf)
{
    DWORD cbNeeded = 0;
    return ::GetPrinterDriverDirectoryA(NULL, const_cast<LPSTR>(g_szDriverEnvironment), 1,
                                        (LPBYTE)pszBuf, cbBuf, &cbNeeded) != FALSE;
}

bool CWin32InstallOps::CopyFileTo(const char* pszExisting, const char* pszNew, bool bFailIfExists)
{
    return ::CopyFileA(pszExisting, pszNew, bFailIfExists) != FALSE;
}

bool CWin32InstallOps::AddDriver(unsigned long dwLevel, DRIVER_INFO_3_REC* pInfo)
{
    return ::AddPrinterDriverA(NULL, dwLevel, (LPBYTE)pInfo) != FALSE;
}

void* CWin32InstallOps::AddPrinterRecord(unsigned long dwLevel, PRINTER_INFO_2_REC* pInfo)
{
    return ::AddPrinterA(NULL, dwLevel, (LPBYTE)pInfo);
}

void CWin32InstallOps::ClosePrinterHandle(void* hPrinter)
{
    ::ClosePrinter((HANDLE)hPrinter);
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

unsigned CWin32InstallOps::Exec(const char* pszCmdLine, unsigned uCmdShow)
{
    return ::WinExec(pszCmdLine, uCmdShow);
}
