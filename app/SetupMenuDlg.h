// SetupMenuDlg.h: CSetupMenuDlg, the main menu, and the Windows family flag.
#pragma once
#include "../framework/afxwin.h"
#include "../controls/HoverButton.h"
#include "../res/resource.h"
#include "layout.h"

class IShellOpen;
class IInstallOps;

// 1 on NT-family Windows and anything unrecognised, 0 on Win32s and 9x.
// Decided once, when the menu starts.
extern BOOL g_bNtPlatform;

class CSetupMenuDlg : public CDialog
{
public:
    explicit CSetupMenuDlg(CWnd* pParent = NULL);

    enum { IDD = IDD_SETUPMENU_DIALOG };

    // Attributes
    CHoverButton m_btnDrivers;
    CHoverButton m_btnTestProg;
    CHoverButton m_btnCommands;
    CHoverButton m_btnExit;
    CHoverButton m_btnWebsite;
    CString m_strPanelText;  // written by the hover buttons

protected:
    HICON m_hIcon;              // shared: minimised and dragged
    HICON m_hIconBig;           // the title bar's, the taskbar's and Alt+Tab's,
    HICON m_hIconSmall;         // at the window's scale: the menu's own
    UINT m_nDpi;                // the window's
    HBITMAP m_hLogoTemplate;    // every scaled logo's source
    BOOL m_bOwnLogoTemplate;    // once the static holds a copy, the menu's
    CGdiObject m_bmpLogo;       // the logo at the dialog's scale

    // The texts whole and the logo at its place's size, at the dialog's scale.
    void FitToScale();
    void ShowLogo(HWND hLogo, LOGO_SIZE look);
    // Icons drawn at m_nDpi's sizes, in place of the last ones.
    void SetIconsForDpi();

    // What the launch buttons hand their targets to.
    virtual IShellOpen& Shell();
    // What the install buttons install through; its boxes are owned by this dialog.
    virtual IInstallOps& InstallOps();

    virtual void DoDataExchange(CDataExchange* pDX);
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();

    // Message handlers
    void OnSysCommand(UINT nID, LPARAM lParam);
    LRESULT OnDpiChanged(WPARAM wParam, LPARAM lParam);
    void OnDestroy();
    void OnPaint();
    HCURSOR OnQueryDragIcon();
    void OnBtnDrivers();
    void OnBtnCommands();
    void OnTestProg();
    void OnDocOwnCmds();
    void OnDocEpsonCmds();
    void OnDrvStandard();
    void OnDrvReadme();
    void OnDrvEpsonEmu();
    void OnDrvStarEmu();
    void OnDocStarCmds();

    DECLARE_MESSAGE_MAP()
};
