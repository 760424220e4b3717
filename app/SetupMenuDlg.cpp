#include "SetupMenuDlg.h"
#include "AboutDlg.h"
#include "startup.h"
#include "../launch/launch.h"
#include "../launch/shell_win32.h"

BOOL g_bNtPlatform = 1;

BEGIN_MESSAGE_MAP(CSetupMenuDlg, CDialog)
    ON_WM_SYSCOMMAND()
    ON_WM_PAINT()
    ON_WM_QUERYDRAGICON()
    ON_BN_CLICKED(IDC_BTN_DRIVERS, OnBtnDrivers)
    ON_BN_CLICKED(IDC_BTN_COMMANDS, OnBtnCommands)
    ON_BN_CLICKED(IDC_BTN_TESTPROG, OnTestProg)
    ON_BN_CLICKED(IDC_DOC_OWNCMDS, OnDocOwnCmds)
    ON_BN_CLICKED(IDC_DOC_EPSONCMDS, OnDocEpsonCmds)
    ON_BN_CLICKED(IDC_DRV_STANDARD, OnDrvStandard)
    ON_BN_CLICKED(IDC_DRV_README, OnDrvReadme)
    ON_BN_CLICKED(IDC_DRV_EPSONEMU, OnDrvEpsonEmu)
    ON_BN_CLICKED(IDC_DRV_STAREMU, OnDrvStarEmu)
    ON_BN_CLICKED(IDC_DOC_STARCMDS, OnDocStarCmds)
END_MESSAGE_MAP()

CSetupMenuDlg::CSetupMenuDlg(CWnd* pParent)
    : CDialog(IDD_SETUPMENU_DIALOG, pParent)
{
    // A shared resource icon: never destroyed.
    m_hIcon = ::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDR_MAINFRAME));
}

IShellOpen& CSetupMenuDlg::Shell()
{
    static CShellExecute s_shell;
    return s_shell;
}

void CSetupMenuDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_BTN_DRIVERS, m_btnDrivers);
    DDX_Control(pDX, IDC_BTN_TESTPROG, m_btnTestProg);
    DDX_Control(pDX, IDC_BTN_COMMANDS, m_btnCommands);
    DDX_Control(pDX, IDCANCEL, m_btnExit);
    DDX_Control(pDX, IDOK, m_btnWebsite);
    DDX_Text(pDX, IDC_PANEL_TEXT, m_strPanelText);
}

namespace {

class CSystemMenuOps : public ISystemMenuOps
{
public:
    explicit CSystemMenuOps(CMenu* pMenu) : m_pMenu(pMenu) {}
    virtual bool HasSystemMenu() { return m_pMenu != NULL; }
    virtual const char* LoadAboutText()
    {
        m_strText.LoadString(IDS_ABOUTBOX);
        return m_strText;
    }
    virtual void AppendSeparator() { m_pMenu->AppendMenu(MF_SEPARATOR); }
    virtual void AppendItem(unsigned nID, const char* pszText)
        { m_pMenu->AppendMenu(MF_STRING, nID, pszText); }

private:
    CMenu* m_pMenu;
    CString m_strText;
};

class CStartupOps : public IStartupOps
{
public:
    CStartupOps(CSetupMenuDlg* pDlg, CString& strPanel) : m_pDlg(pDlg), m_strPanel(strPanel) {}
    // The application's query at start-up, which chose the A or W functions too.
    virtual bool QueryVersion(unsigned long* pdwPlatformId)
    {
        OSVERSIONINFOA osvi;
        if (!AfxGetVersionInfo(&osvi))
            return false;
        *pdwPlatformId = osvi.dwPlatformId;
        return true;
    }
    virtual void AppMessageBox(const char* pszText) { AfxMessageBox(pszText, MB_OK); }
    virtual void HideControl(int nID)
    {
        CWnd* pCtrl = m_pDlg->GetDlgItem(nID);
        if (pCtrl != NULL)
            pCtrl->ShowWindow(SW_HIDE);
    }
    virtual void SetPanelText(const char* pszText)
    {
        m_strPanel = pszText;
        m_pDlg->UpdateData(FALSE);
    }

private:
    CSetupMenuDlg* m_pDlg;
    CString& m_strPanel;
};

static_assert(sizeof(OSVERSIONINFOA) == 148, "the version record must be the ANSI one");

} // namespace

BOOL CSetupMenuDlg::OnInitDialog()
{
    CDialog::OnInitDialog();

    CSystemMenuOps menuOps(GetSystemMenu(FALSE));
    AddAboutMenuItem(menuOps);

    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);

    g_bNtPlatform = 1;
    CStartupOps startOps(this, m_strPanelText);
    g_bNtPlatform = InitMenuState(startOps);
    return TRUE;
}

void CSetupMenuDlg::OnSysCommand(UINT nID, LPARAM)
{
    if ((nID & 0xFFF0) == IDM_ABOUTBOX) {
        CAboutDlg dlgAbout;
        dlgAbout.DoModal();
        return;
    }
    Default();
}

void CSetupMenuDlg::OnPaint()
{
    if (!IsIconic()) {
        Default();
        return;
    }
    CPaintDC dc(this);
    SendMessage(WM_ICONERASEBKGND, (WPARAM)dc.GetSafeHdc(), 0);
    CRect rect;
    GetClientRect(&rect);
    ICON_POS pos = MinimizedIconPos(rect.Width(), rect.Height(),
                                    ::GetSystemMetrics(SM_CXICON), ::GetSystemMetrics(SM_CYICON));
    dc.DrawIcon(pos.x, pos.y, m_hIcon);
}

HCURSOR CSetupMenuDlg::OnQueryDragIcon()
{
    return (HCURSOR)m_hIcon;
}

void CSetupMenuDlg::OnOK()
{
    // The web-site link, and Enter: the menu stays open.
    LaunchWebSite(Shell());
}

void CSetupMenuDlg::OnCancel()
{
    CDialog::OnCancel();
}

// Space on a category, or a click: what hovering it shows. Without a mouse
// the driver and document buttons are reached no other way; with one, the
// hover has shown them already.
void CSetupMenuDlg::OnBtnDrivers() { m_btnDrivers.UpdatePanel(); }
void CSetupMenuDlg::OnBtnCommands() { m_btnCommands.UpdatePanel(); }

void CSetupMenuDlg::OnTestProg() { LaunchForButton(Shell(), IDC_BTN_TESTPROG); }
void CSetupMenuDlg::OnDocOwnCmds() { LaunchForButton(Shell(), IDC_DOC_OWNCMDS); }
void CSetupMenuDlg::OnDocEpsonCmds() { LaunchForButton(Shell(), IDC_DOC_EPSONCMDS); }
void CSetupMenuDlg::OnDocStarCmds() { LaunchForButton(Shell(), IDC_DOC_STARCMDS); }
void CSetupMenuDlg::OnDrvReadme() { LaunchForButton(Shell(), IDC_DRV_README); }
