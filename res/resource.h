// resource.h: identifiers shared by SetupMenu.rc and the program.
#pragma once

#define IDD_ABOUTBOX            100
#define IDS_ABOUTBOX            101
#define IDD_SETUPMENU_DIALOG    102
#define IDC_HANDCURSOR          130
#define IDR_MAINFRAME           132
#define IDB_LOGO                133

#define IDC_DOC_OWNCMDS         1000
#define IDC_BTN_DRIVERS         1002
#define IDC_BTN_COMMANDS        1003
#define IDC_BTN_TESTPROG        1005
#define IDC_PANEL_TEXT          1007
#define IDC_DOC_EPSONCMDS       1008
#define IDC_DOC_STARCMDS        1009
#define IDC_DRV_STANDARD        1015
#define IDC_DRV_EPSONEMU        1016
#define IDC_DRV_README          1017
#define IDC_DRV_STAREMU         1018

#define IDM_ABOUTBOX            0x0010

#ifndef IDC_STATIC
#define IDC_STATIC              (-1)
#endif
