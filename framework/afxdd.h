// afxdd.h: dialog data exchange (DDX_Control, DDX_Text).
#pragma once
#include "afxwnd.h"

class CDataExchange
{
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
        : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}

    BOOL m_bSaveAndValidate;  // TRUE: controls to members
    CWnd* m_pDlgWnd;

    HWND PrepareCtrl(int nIDC) { return ::GetDlgItem(m_pDlgWnd->m_hWnd, nIDC); }
};

// Attaches rControl to the dialog's control nIDC on the first exchange.
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);
// Copies between the control's text and value; an unchanged text is not
// set again, so repeated updates do not repaint the control.
void DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
