// layout.h: the menu at any screen scale, apart from the window system.
//
//   LayoutFitOf   how a control's text must fit it, by its dialog code
//   LayoutWiden   a control widened by what its text lacks
//   LogoPlace     the logo's place, 47 x 11 dialog units, in pixels
//   LogoLook      the logo's size there, and whether it is smoothed
#pragma once

enum LayoutFit
{
    FIT_LEFT,    // a static's lines, left-aligned (every static of the menu), or a group box's
    FIT_CENTRE,  // a push button's one line, centred inside its edges
    FIT_LINK     // a hover button's line, centred inside its frame
};

// By what WM_GETDLGCODE answers: a static (and a group box), a push
// button, or any other button (the owner-drawn links).
LayoutFit LayoutFitOf(unsigned long dwDlgCode);

struct LAYOUT_RECT { long left, top, right, bottom; };

// RC, whose text needs NEED pixels across, widened by what it lacks within
// a dialog WIDTH across: to the right for left-aligned text, on both sides
// for centred; moved back inside the dialog where that takes it out.
LAYOUT_RECT LayoutWiden(LAYOUT_RECT rc, long nNeed, bool bCentred, long nWidth);

struct LOGO_SIZE { int cx; int cy; bool bSmooth; };

// The dialog's base units from its font, as the dialog manager takes them:
// the extent of A..Za..z and the font's height.
LOGO_SIZE LogoPlace(long cxAlphabet, long cyFont);

// Where the PLACE is a whole multiple of the CX x CY bitmap across (200 %,
// a pixel either way a multiple for the rounding), each pixel is repeated,
// so its pixel-art letters stay sharp; otherwise it is smoothed to the place.
LOGO_SIZE LogoLook(LOGO_SIZE place, int cx, int cy);

// The bitmap's own size, and the logo's place in dialog units.
enum { LOGO_CX = 71, LOGO_CY = 17, LOGO_DLU_CX = 47, LOGO_DLU_CY = 11 };
