// SetupMenuApp.h: CSetupMenuApp, which runs the menu and ends with it.
#pragma once
#include "../framework/afxwin.h"

class CSetupMenuApp : public CWinApp
{
public:
    CSetupMenuApp();
    virtual BOOL InitInstance();

    DECLARE_MESSAGE_MAP()
};

extern CSetupMenuApp theApp;
