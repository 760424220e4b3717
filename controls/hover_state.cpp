#include "hover_state.h"

#include <math.h>

bool HoverPtInRect(const HOVER_RC& rc, HOVER_PT pt)
{
    return pt.x >= rc.left && pt.x < rc.right && pt.y >= rc.top && pt.y < rc.bottom;
}

unsigned HoverMouseMove()
{
    return HFX_START_TIMER | HFX_PANEL | HFX_DEFAULT;
}

unsigned HoverTick(bool& bHover, bool bPressed, bool& bHoverDrawn, const HOVER_PT* pptCursor,
                   const HOVER_RC& rcWindow)
{
    // No point, no decision: the timer runs on, and the next tick that can
    // read the pointer decides.
    if (pptCursor == nullptr)
        return 0;
    // A pressed button stops polling; its flag stays as it was.
    if (bPressed) {
        unsigned fx = HFX_STOP_TIMER | (bHoverDrawn ? HFX_REPAINT : 0);
        bHoverDrawn = false;
        return fx;
    }
    if (HoverPtInRect(rcWindow, *pptCursor)) {
        bHover = true;
        if (bHoverDrawn)
            return HFX_DEFAULT;
        bHoverDrawn = true;
        return HFX_REPAINT | HFX_DEFAULT;
    }
    bHover = false;
    unsigned fx = HFX_STOP_TIMER | (bHoverDrawn ? HFX_REPAINT : 0);
    bHoverDrawn = false;
    return fx;
}

unsigned HoverLButtonDown(bool& bPressed)
{
    bPressed = true;
    return HFX_DEFAULT;
}

unsigned HoverLButtonUp(bool& bHover, bool& bPressed)
{
    bPressed = false;
    if (!bHover)
        return HFX_DEFAULT;
    bHover = false;
    return HFX_REPAINT | HFX_DEFAULT;
}

// Pressed, the button holds the capture until the release. Lost before it
// (Tab, another window coming up), the release goes elsewhere: without
// ending the press here, the button would keep its hovered look for good,
// since a pressed button's ticks stop at once.
unsigned HoverCaptureChanged(bool& bHover, bool& bPressed)
{
    if (!bPressed)
        return HFX_DEFAULT;
    return HoverLButtonUp(bHover, bPressed) | HFX_REPAINT;
}

unsigned HoverSetCursor(bool bHover)
{
    return bHover ? HFX_HAND_CURSOR : HFX_DEFAULT;
}

bool HoverKeyShowsFocus(unsigned nVirtKey)
{
    return nVirtKey == 0x09 || nVirtKey == 0x20 || (nVirtKey >= 0x25 && nVirtKey <= 0x28);
}

int HoverLook(bool bDisabled, bool bSelected, bool bHover, bool bFocusCue,
              HOVER_STEP (&steps)[HOVER_MAX_STEPS])
{
    int n = 0;
    if (bDisabled) {
        // Embossed: a highlight copy down and right, then grey on top.
        steps[n++] = { HOVER_OP_SHIFT, 2, 0 };
        steps[n++] = { HOVER_OP_TEXT_COLOR, HOVER_CLR_BTNHIGHLIGHT, 0 };
        steps[n++] = { HOVER_OP_DRAW_TEXT, 0, 0 };
        steps[n++] = { HOVER_OP_SHIFT, -2, 0 };
        steps[n++] = { HOVER_OP_TEXT_COLOR, HOVER_CLR_GRAYTEXT, 0 };
        steps[n++] = { HOVER_OP_DRAW_TEXT, 0, 0 };
    } else if (bHover) {
        if (bSelected)
            steps[n++] = { HOVER_OP_FRAME, HOVER_CLR_BTNSHADOW, HOVER_CLR_BTNHIGHLIGHT };
        else
            steps[n++] = { HOVER_OP_FRAME, HOVER_CLR_BTNHIGHLIGHT, HOVER_CLR_BTNSHADOW };
        steps[n++] = { HOVER_OP_TEXT_COLOR, HOVER_CLR_BLUE, 0 };
        steps[n++] = { HOVER_OP_HOVER_FONT, 0, 0 };
        steps[n++] = { HOVER_OP_DRAW_TEXT, 0, 0 };
        steps[n++] = { HOVER_OP_RESTORE_FONT, 0, 0 };
    } else {
        steps[n++] = { HOVER_OP_TEXT_COLOR, HOVER_CLR_BTNTEXT, 0 };
        steps[n++] = { HOVER_OP_DRAW_TEXT, 0, 0 };
    }
    // A disabled button cannot hold the focus. Inside the hover frame, clear
    // of it by two pixels.
    if (bFocusCue && !bDisabled)
        steps[n++] = { HOVER_OP_FOCUS_RECT, 3, 0 };
    return n;
}

unsigned long HoverBackground(unsigned long clrFace)
{
    unsigned long r = clrFace & 0xFF, g = (clrFace >> 8) & 0xFF, b = (clrFace >> 16) & 0xFF;
    if (r > 1)
        r -= 2;
    if (g > 1)
        g -= 2;
    if (r < 3 && g < 3 && b < 253)
        b += 2;
    return r | (g << 8) | (b << 16);
}

namespace {

// u to the power 2.4, for 0 < u <= 1: u squared times u to the 0.4, whose
// binary digits pick factors from a chain of square roots (no pow: the exe
// links no maths library).
double Pow24(double u)
{
    double r = u * u, root = u, rest = 0.4, bit = 1.0;
    for (int i = 0; i < 14; ++i) {
        root = sqrt(root);
        bit /= 2;
        if (rest >= bit) {
            r *= root;
            rest -= bit;
        }
    }
    return r;
}

// WCAG 2's relative luminance of 0x00BBGGRR.
double Luminance(unsigned long clr)
{
    const double weight[3] = { 0.2126, 0.7152, 0.0722 };
    double l = 0;
    for (int i = 0; i < 3; ++i) {
        double c = ((clr >> (8 * i)) & 0xFF) / 255.0;
        l += weight[i] * (c <= 0.04045 ? c / 12.92 : Pow24((c + 0.055) / 1.055));
    }
    return l;
}

} // namespace

unsigned long HoverLinkColour(unsigned long clrBackground, unsigned long clrText, bool bHighContrast)
{
    if (bHighContrast)
        return clrText;
    // Blue is dark: it reads only on a light background, never on a darker one.
    double ratio = (Luminance(clrBackground) + 0.05) / (Luminance(HOVER_BLUE) + 0.05);
    return ratio >= 4.5 ? (unsigned long)HOVER_BLUE : clrText;
}
