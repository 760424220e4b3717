// The menu at any scale: which texts must fit, how a control too narrow
// for its text grows, and the logo's place and size.
#include "app/layout.h"

#include <gtest/gtest.h>

namespace {

// What each kind of the template's controls answers to WM_GETDLGCODE.
TEST(Layout, FitByDialogCode)
{
    const struct { unsigned long dwCode; LayoutFit fit; } rows[] = {
        { 0x100, FIT_LEFT },       // a static: the panel, the heading, the slogan; the group box
        { 0x2020, FIT_CENTRE },    // a push button
        { 0x2010, FIT_CENTRE },    // a default one
        { 0x2000, FIT_LINK },      // an owner-drawn button: a hover button
    };
    for (const auto& r : rows)
        EXPECT_EQ(r.fit, LayoutFitOf(r.dwCode)) << std::hex << r.dwCode;
}

TEST(Layout, WidenedByWhatItLacks)
{
    const struct { LAYOUT_RECT rc; long nNeed; bool bCentred; LAYOUT_RECT want; } rows[] = {
        { { 10, 5, 110, 20 }, 100, false, { 10, 5, 110, 20 } },   // fits exactly: nothing moves
        { { 10, 5, 110, 20 }, 40, true, { 10, 5, 110, 20 } },     // never narrowed
        { { 10, 5, 110, 20 }, 103, false, { 10, 5, 113, 20 } },   // to the right
        { { 10, 5, 110, 20 }, 103, true, { 9, 5, 112, 20 } },     // both sides, the odd pixel right
        { { 10, 5, 110, 20 }, 104, true, { 8, 5, 112, 20 } },
        { { 180, 5, 195, 20 }, 30, false, { 170, 5, 200, 20 } },  // back inside the dialog (200)
        { { 2, 5, 22, 20 }, 30, true, { 0, 5, 30, 20 } },
        { { 50, 5, 150, 20 }, 260, false, { 0, 5, 200, 20 } },   // wider than the dialog: all of it
    };
    for (const auto& r : rows) {
        LAYOUT_RECT got = LayoutWiden(r.rc, r.nNeed, r.bCentred, 200);
        EXPECT_EQ((std::vector<long>{ r.want.left, r.want.top, r.want.right, r.want.bottom }),
                  (std::vector<long>{ got.left, got.top, got.right, got.bottom }))
            << r.nNeed << (r.bCentred ? " centred" : " left");
    }
}

// The dialog's base units from 宋体 at each scale (A..Za..z: 52 half-width
// letters), and what the logo becomes.
TEST(Layout, LogoAtEachScale)
{
    const struct { unsigned nDpi; long cxLetter, cyFont; LOGO_SIZE place, look; } rows[] = {
        { 96, 6, 12, { 71, 17, false }, { 71, 17, false } },     // the bitmap as it is
        { 120, 7, 15, { 82, 21, false }, { 82, 21, true } },    // 125 %: smoothed to its place
        { 144, 9, 18, { 106, 25, false }, { 106, 25, true } },
        { 168, 10, 21, { 118, 29, false }, { 118, 29, true } }, // nearer 2 than 1, yet no multiple
        { 192, 12, 24, { 141, 33, false }, { 142, 34, false } },  // 200 %: each pixel twice
        { 288, 18, 36, { 212, 50, false }, { 213, 51, false } },
        { 72, 4, 9, { 47, 12, false }, { 47, 12, true } },      // 75 %: smoothed down
    };
    for (const auto& r : rows) {
        LOGO_SIZE place = LogoPlace(52 * r.cxLetter, r.cyFont), look = LogoLook(place, LOGO_CX, LOGO_CY);
        EXPECT_EQ((std::vector<int>{ r.place.cx, r.place.cy, r.look.cx, r.look.cy, r.look.bSmooth }),
                  (std::vector<int>{ place.cx, place.cy, look.cx, look.cy, look.bSmooth }))
            << r.nDpi << " dpi";
    }
}

} // namespace
