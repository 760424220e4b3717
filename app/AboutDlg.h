// AboutDlg.h: CAboutDlg, opened from the system menu.
#pragma once
#include "../framework/afxwin.h"
#include "../res/resource.h"

class CAboutDlg : public CDialog
{
public:
    CAboutDlg() : CDialog(IDD_ABOUTBOX) {}
};
