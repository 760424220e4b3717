#include "afxdd.h"

#include <string.h>

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (rControl.m_hWnd == NULL)
        rControl.SubclassWindow(pDX->PrepareCtrl(nIDC));
}

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (hWndCtrl == NULL)
        return;
    if (pDX->m_bSaveAndValidate) {
        CWnd::FromHandle(hWndCtrl)->GetWindowText(value);
        return;
    }
    // Unchanged, the text is not set again: the control would repaint.
    CString old;
    CWnd::FromHandle(hWndCtrl)->GetWindowText(old);
    if (strcmp(old, value) != 0)
        AfxSetWindowText(hWndCtrl, value);
}
