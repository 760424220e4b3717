#include "layout.h"

// The dialog codes, as <windows.h> has them.
enum { DLGC_DEFPUSH = 0x10, DLGC_UNDEFPUSH = 0x20, DLGC_STATIC_ = 0x100 };

LayoutFit LayoutFitOf(unsigned long dwDlgCode)
{
    return dwDlgCode & DLGC_STATIC_ ? FIT_LEFT : dwDlgCode & (DLGC_DEFPUSH | DLGC_UNDEFPUSH) ? FIT_CENTRE : FIT_LINK;
}

LAYOUT_RECT LayoutWiden(LAYOUT_RECT rc, long nNeed, bool bCentred, long nWidth)
{
    long nLack = nNeed - (rc.right - rc.left);
    if (nLack <= 0)
        return rc;
    long nLeft = bCentred ? nLack / 2 : 0;
    rc.left -= nLeft;
    rc.right += nLack - nLeft;
    long nShift = rc.right > nWidth ? nWidth - rc.right : rc.left < 0 ? -rc.left : 0;
    rc.left += nShift;
    rc.right += nShift;
    if (rc.left < 0)
        rc.left = 0;
    return rc;
}

// MulDiv's rounding, for the positive numbers here.
static int Scale(long n, long nNum, long nDen)
{
    return (int)((n * nNum + nDen / 2) / nDen);
}

LOGO_SIZE LogoPlace(long cxAlphabet, long cyFont)
{
    long cxBase = (cxAlphabet / 26 + 1) / 2;
    LOGO_SIZE place = { Scale(LOGO_DLU_CX, cxBase, 4), Scale(LOGO_DLU_CY, cyFont, 8), false };
    return place;
}

LOGO_SIZE LogoLook(LOGO_SIZE place, int cx, int cy)
{
    int k = (place.cx + cx / 2) / cx;
    LOGO_SIZE look = { cx * k, cy * k, false };
    int nOff = place.cx - look.cx;
    if (k == 0 || nOff > k || -nOff > k) {
        look = place;
        look.bSmooth = true;
    }
    return look;
}
