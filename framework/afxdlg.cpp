#include "afxdlg.h"
#include "afxapp.h"

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, OnOK)          // void OnOK()
    ON_COMMAND(IDCANCEL, OnCancel)  // void OnCancel()
END_MESSAGE_MAP()

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd) {}

INT_PTR CDialog::DoModal()
{
    // Without a parent the dialog is owned by the main window, if there
    // is one yet (the About box is; the menu, being the main window, isn't).
    HWND hWndOwner = m_pParentWnd ? m_pParentWnd->m_hWnd : NULL;
    if (hWndOwner == NULL) {
        CWnd* pMain = AfxGetMainWnd();
        if (pMain != NULL && pMain != this && ::IsWindow(pMain->m_hWnd))
            hWndOwner = ::GetLastActivePopup(pMain->m_hWnd);
    }
    return AfxDialogBoxParam(AfxGetResourceHandle(), m_nIDTemplate, hWndOwner, DialogProc, (LPARAM)this);
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hWnd, UINT message, WPARAM, LPARAM lParam)
{
    // Every later message reaches the object through AfxWndProc; the
    // system's dialog procedure calls back here and gets FALSE: default.
    if (message != WM_INITDIALOG)
        return FALSE;
    CDialog* pDlg = (CDialog*)lParam;
    pDlg->SubclassWindow(hWnd);
    return AfxCallWndProc(pDlg, hWnd, WM_INITDIALOG, 0, lParam);
}

LRESULT CDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG)
        return OnInitDialog();
    return CWnd::WindowProc(message, wParam, lParam);
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

BOOL CDialog::OnCmdMsg(UINT nID, int nCode)
{
    if (CWnd::OnCmdMsg(nID, nCode))
        return TRUE;
    // Commands the dialog does not handle go on to the application
    // (ID_HELP), but not system commands.
    CWinApp* pApp = AfxGetApp();
    if (nCode != 0 || nID >= 0xF000 || pApp == NULL)
        return FALSE;
    return pApp->OnCmdMsg(nID, nCode);
}

void CDialog::OnOK()
{
    UpdateData(TRUE);
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}
