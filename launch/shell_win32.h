// shell_win32.h: IShellOpen over the real ShellExecute.
#pragma once
#include "launch.h"

class CShellExecute : public IShellOpen
{
public:
    virtual void Open(bool bActiveOwner, const char* pszVerb, const char* pszFile,
                              const char* pszParameters, const char* pszDirectory,
                              int nShowCmd);
};
