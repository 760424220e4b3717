// afxdlg.h: CDialog, a modal dialog from a template resource.
//
// DoModal runs the system's modal loop (DialogBoxParam). At WM_INITDIALOG
// the dialog procedure binds the object and subclasses the dialog window,
// so from then on every message goes through the message maps and
// Default() hands it to the system's dialog procedure.
#pragma once
#include "afxwnd.h"

class CDialog : public CWnd
{
public:
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = NULL);

    virtual INT_PTR DoModal();
    void EndDialog(int nResult) { ::EndDialog(m_hWnd, nResult); }

    // Overridables
    virtual BOOL OnInitDialog();
    virtual BOOL OnCmdMsg(UINT nID, int nCode);
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);

protected:
    virtual void OnOK();
    virtual void OnCancel();

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;

    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()
};
