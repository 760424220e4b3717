// install_win32.h: IInstallOps over the real spooler, files and boxes.
#pragma once
#include "install.h"

class CWnd;

class CWin32InstallOps : public IInstallOps
{
public:
    CWin32InstallOps() : m_pOwner(0), m_hCommand(0) {}
    // The command's handle, if it still has one, is closed when the menu ends.
    ~CWin32InstallOps();
    // The main dialog, owner of the dialog boxes.
    void SetOwner(CWnd* pOwner) { m_pOwner = pOwner; }

    virtual bool GetDriverDirectory(char* pszBuf, unsigned cbBuf);
    virtual bool GetSystemFolder(char* pszBuf, unsigned cbBuf);
    virtual bool CopyFileTo(const char* pszExisting, const char* pszNew, bool bFailIfExists);
    virtual bool FileExists(const char* pszPath);
    virtual bool AddDriver(unsigned long dwLevel, DRIVER_INFO_3_REC* pInfo);
    virtual void* AddPrinterRecord(unsigned long dwLevel, PRINTER_INFO_2_REC* pInfo);
    virtual void ClosePrinterHandle(void* hPrinter);
    virtual unsigned long LastError();
    virtual int DialogMessage(const char* pszText, const char* pszCaption, unsigned uStyle);
    virtual int AppMessage(const char* pszText, unsigned uStyle);
    virtual unsigned Exec(const char* pszCmdLine, unsigned uCmdShow);
    virtual bool CommandRunning();
    virtual bool IsWow64();
    virtual bool DisableRedirection(void** ppOld);
    virtual void RevertRedirection(void* pOld);

private:
    CWnd* m_pOwner;
    void* m_hCommand;  // the process the last Exec started, until it has ended
};
