#include "HoverButton.h"

BEGIN_MESSAGE_MAP(CHoverButton, CButton)
END_MESSAGE_MAP()

CHoverButton::CHoverButton() {}
CHoverButton::~CHoverButton() {}

void CHoverButton::DrawItem(LPDRAWITEMSTRUCT lpDIS)
{
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    CRect rc(lpDIS->rcItem);
    CString strText;
    GetWindowText(strText);
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(::GetSysColor(COLOR_BTNTEXT));
    pDC->DrawText(strText, strText.GetLength(), rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}
