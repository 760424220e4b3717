#include "SetupMenuDlg.h"
#include "AboutDlg.h"
#include "startup.h"
#include "../launch/launch.h"
#include "../launch/shell_win32.h"
#include "../panel/panel.h"

#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif

BOOL g_bNtPlatform = 1;

BEGIN_MESSAGE_MAP(CSetupMenuDlg, CDialog)
    ON_WM_SYSCOMMAND()
    ON_WM_PAINT()
    ON_WM_QUERYDRAGICON()
    ON_MESSAGE(WM_DPICHANGED, OnDpiChanged)
    ON_WM_DESTROY()
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
    : CDialog(IDD_SETUPMENU_DIALOG, pParent), m_hIconBig(NULL), m_hIconSmall(NULL), m_nDpi(96),
      m_hLogoTemplate(NULL), m_bOwnLogoTemplate(FALSE)
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

    m_nDpi = AfxGetDpiForWindow(m_hWnd);
    SetIconsForDpi();

    g_bNtPlatform = 1;
    CStartupOps startOps(this, m_strPanelText);
    g_bNtPlatform = InitMenuState(startOps);
    FitToScale();
    return TRUE;
}

// ---- At every scale ----
// The menu is DPI-aware (its manifest): Windows draws it sharp at the
// screen's scale instead of stretching it, blurred. The dialog manager
// scales the template with the font, but a font's rounding can leave a
// text wider than its control (Latin letters 7 px and Chinese 15 at 125 %),
// and the logo's static keeps its bitmap's size.

// A text's widest line across, in the font selected into the DC; its
// height into *PCY.
static __attribute__((noinline)) long TextWidth(HDC hdc, const char* psz, long* pcy = NULL)
{
    RECT rc = { 0, 0, 0, 0 };
    AfxDrawText(hdc, psz, -1, &rc, DT_CALCRECT | DT_NOPREFIX);
    if (pcy != NULL)
        *pcy = rc.bottom;
    return rc.right;
}

// Selects a control's font into the DC: with none, the system font.
static void SelectFontOf(HDC hdc, HWND hCtrl)
{
    HGDIOBJ hFont = (HGDIOBJ)::SendMessageA(hCtrl, WM_GETFONT, 0, 0);
    ::SelectObject(hdc, hFont ? hFont : ::GetStockObject(SYSTEM_FONT));
}

// The scale is the dialog's font's, which the dialog manager makes for the
// screen the menu is on and gives every control (the panel's is taken).
void CSetupMenuDlg::FitToScale()
{
    CRect rcDlg;
    GetClientRect(&rcDlg);
    // Measures as the screen does; deleted with a control's font in it,
    // which it does not own.
    HDC hdc = ::CreateCompatibleDC(NULL);
    SelectFontOf(hdc, ::GetDlgItem(m_hWnd, IDC_PANEL_TEXT));
    long cyFont;
    long cxAlphabet = TextWidth(hdc, "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", &cyFont);
    LOGO_SIZE look = LogoLook(LogoPlace(cxAlphabet, cyFont), LOGO_CX, LOGO_CY);
    for (HWND h = ::GetWindow(m_hWnd, GW_CHILD); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT)) {
        // The one static with a bitmap is the logo.
        if (::SendMessageA(h, STM_GETIMAGE, IMAGE_BITMAP, 0) != 0) {
            ShowLogo(h, look);
            continue;
        }
        LayoutFit fit = LayoutFitOf((unsigned long)::SendMessageA(h, WM_GETDLGCODE, 0, 0));
        // A push button's label is drawn inside its edges, a link's inside a
        // frame, and hovered in a heavy font: 宋体 has no bold of its own, and
        // the one Windows makes is a pixel wider a character (a byte here).
        SelectFontOf(hdc, h);
        long cxNeed = fit == FIT_LINK ? 2 : fit == FIT_CENTRE ? 2 * AfxGetSystemMetricsForDpi(SM_CXEDGE, m_nDpi) : 0;
        if (::GetDlgCtrlID(h) == IDC_PANEL_TEXT) {
            // The panel takes the widest line of every text it shows.
            long cx = TextWidth(hdc, g_szWelcomeText);
            for (int i = 0; const char* psz = PanelTextAt(i); ++i) {
                long cxText = TextWidth(hdc, psz);
                cx = cxText > cx ? cxText : cx;
            }
            cxNeed += cx;
        } else {
            CString str;
            CWnd::FromHandle(h)->GetWindowText(str);
            cxNeed += TextWidth(hdc, str) + (fit == FIT_LINK ? str.GetLength() : 0);
        }
        RECT rc;
        ::GetWindowRect(h, &rc);
        ::MapWindowPoints(NULL, m_hWnd, (POINT*)&rc, 2);
        LAYOUT_RECT was = { rc.left, rc.top, rc.right, rc.bottom };
        LAYOUT_RECT now = LayoutWiden(was, cxNeed, fit != FIT_LEFT, rcDlg.Width());
        if (now.left != was.left || now.right != was.right)
            ::SetWindowPos(h, NULL, now.left, now.top, now.right - now.left, now.bottom - now.top,
                           SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ::DeleteDC(hdc);
}

// The logo static sizes itself to the bitmap it is given: a copy of the
// template's at its place's size, the menu's own, freed when replaced and
// with the dialog (a static deletes no bitmap it is given). Once it holds a
// copy, the template's bitmap is no longer the static's to free but the
// menu's, kept as every later copy's source.
void CSetupMenuDlg::ShowLogo(HWND hLogo, LOGO_SIZE look)
{
    if (m_hLogoTemplate == NULL)
        m_hLogoTemplate = (HBITMAP)::SendMessageA(hLogo, STM_GETIMAGE, IMAGE_BITMAP, 0);
    // A copy of the size, drawn over: each pixel repeated, or smoothed by
    // HALFTONE, which Windows 95 to ME lack (they repeat pixels).
    HBITMAP hScaled = (HBITMAP)::CopyImage(m_hLogoTemplate, IMAGE_BITMAP, look.cx, look.cy, 0);
    if (hScaled == NULL)
        return;
    HDC hdcFrom = ::CreateCompatibleDC(NULL), hdcTo = ::CreateCompatibleDC(NULL);
    HGDIOBJ hOldFrom = ::SelectObject(hdcFrom, m_hLogoTemplate), hOldTo = ::SelectObject(hdcTo, hScaled);
    ::SetStretchBltMode(hdcTo, look.bSmooth ? HALFTONE : COLORONCOLOR);
    ::StretchBlt(hdcTo, 0, 0, look.cx, look.cy, hdcFrom, 0, 0, LOGO_CX, LOGO_CY, SRCCOPY);
    ::SelectObject(hdcFrom, hOldFrom);
    ::SelectObject(hdcTo, hOldTo);
    ::DeleteDC(hdcFrom);
    ::DeleteDC(hdcTo);
    ::SendMessageA(hLogo, STM_SETIMAGE, IMAGE_BITMAP, (LPARAM)hScaled);
    m_bOwnLogoTemplate = TRUE;
    m_bmpLogo.DeleteObject();
    m_bmpLogo.Attach(hScaled);
}

// Windows stretches a 32-pixel icon to the title bar and taskbar at 150 and
// 200 %, blocky, and picks no new one at a change of scale: the icon's own
// images at this scale's sizes, the small one not shrunk from the big one.
void CSetupMenuDlg::SetIconsForDpi()
{
    HICON hBig = (HICON)::LoadImageA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDR_MAINFRAME), IMAGE_ICON,
                                     AfxGetSystemMetricsForDpi(SM_CXICON, m_nDpi),
                                     AfxGetSystemMetricsForDpi(SM_CYICON, m_nDpi), 0);
    HICON hSmall = (HICON)::LoadImageA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDR_MAINFRAME), IMAGE_ICON,
                                       AfxGetSystemMetricsForDpi(SM_CXSMICON, m_nDpi),
                                       AfxGetSystemMetricsForDpi(SM_CYSMICON, m_nDpi), 0);
    SetIcon(hBig ? hBig : m_hIcon, TRUE);
    SetIcon(hSmall ? hSmall : m_hIcon, FALSE);
    if (m_hIconBig != NULL)
        ::DestroyIcon(m_hIconBig);
    if (m_hIconSmall != NULL)
        ::DestroyIcon(m_hIconSmall);
    m_hIconBig = hBig;
    m_hIconSmall = hSmall;
}

// What the menu made is freed with its window, the window no longer
// showing it: the icons, the logo and its template.
void CSetupMenuDlg::OnDestroy()
{
    SetIcon(NULL, TRUE);
    SetIcon(NULL, FALSE);
    if (m_hIconBig != NULL)
        ::DestroyIcon(m_hIconBig);
    if (m_hIconSmall != NULL)
        ::DestroyIcon(m_hIconSmall);
    m_hIconBig = m_hIconSmall = NULL;
    HWND hLogo = NULL;
    for (HWND h = ::GetWindow(m_hWnd, GW_CHILD); h != NULL && hLogo == NULL; h = ::GetWindow(h, GW_HWNDNEXT))
        if (::SendMessageA(h, STM_GETIMAGE, IMAGE_BITMAP, 0) != 0)
            hLogo = h;
    if (hLogo != NULL && m_bmpLogo.GetSafeHandle() != NULL)
        ::SendMessageA(hLogo, STM_SETIMAGE, IMAGE_BITMAP, 0);
    m_bmpLogo.DeleteObject();
    if (m_bOwnLogoTemplate)
        ::DeleteObject(m_hLogoTemplate);
    m_hLogoTemplate = NULL;
    m_bOwnLogoTemplate = FALSE;
    Default();
}

// Windows 10 1703 and later, the menu moved to a screen of another scale.
// The dialog manager's re-layout of a per-monitor-v2 dialog is the default
// dialog procedure's handling of this message (Microsoft's "High DPI
// Desktop Application Development on Windows", DIALOG_DPI_CHANGE_BEHAVIORS:
// each control re-laid out with the template's font at the new scale, the
// dialog resized), so it runs first. Then what the menu measured and made
// itself follows the new fonts, and the window takes the rectangle Windows
// suggests (WM_DPICHANGED), which the pages do not say the dialog manager
// does; twice does no harm.
LRESULT CSetupMenuDlg::OnDpiChanged(WPARAM wParam, LPARAM lParam)
{
    Default();
    m_nDpi = HIWORD(wParam);
    FitToScale();
    const RECT* prc = (const RECT*)lParam;
    ::SetWindowPos(m_hWnd, NULL, prc->left, prc->top, prc->right - prc->left, prc->bottom - prc->top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    SetIconsForDpi();
    return 0;
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
