// The hover button: its transitions, its looks and its background colour.
#include "controls/hover_state.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

enum Event { MOVE, TICK, BLIND_TICK, DOWN, UP, CAPTURE, CURSOR };

struct Flags { bool bHover, bPressed, bDrawn; };

TEST(Hover, EveryTransition)
{
    enum { START = HFX_START_TIMER, STOP = HFX_STOP_TIMER, PAINT = HFX_REPAINT,
           HAND = HFX_HAND_CURSOR, PANEL = HFX_PANEL, DEF = HFX_DEFAULT };
    // The button is at (10, 10)-(110, 40): left and top edges inside.
    const struct { Event e; HOVER_PT pt; Flags before; unsigned fx; Flags after; } rows[] = {
        { MOVE, {}, { false, false, false }, START | PANEL | DEF, { false, false, false } },
        { MOVE, {}, { true, true, true }, START | PANEL | DEF, { true, true, true } },
        { TICK, { 10, 10 }, { false, false, false }, PAINT | DEF, { true, false, true } },
        { TICK, { 109, 39 }, { true, false, true }, DEF, { true, false, true } },
        { TICK, { 50, 20 }, { false, false, true }, DEF, { true, false, true } },
        { TICK, { 110, 20 }, { true, false, true }, STOP | PAINT, { false, false, false } },
        { TICK, { 50, 40 }, { true, false, true }, STOP | PAINT, { false, false, false } },
        { TICK, { 9, 20 }, { true, false, false }, STOP, { false, false, false } },
        { TICK, { 50, 9 }, { false, false, true }, STOP | PAINT, { false, false, false } },
        { TICK, { 50, 20 }, { true, true, true }, STOP | PAINT, { true, true, false } },
        { TICK, { 0, 0 }, { true, true, false }, STOP, { true, true, false } },
        // The pointer cannot be read (another desktop has the input): nothing
        // changes, hovered or not, pressed or not, and the timer runs on.
        { BLIND_TICK, {}, { false, false, true }, 0, { false, false, true } },
        { BLIND_TICK, {}, { true, true, true }, 0, { true, true, true } },
        { DOWN, {}, { true, false, true }, DEF, { true, true, true } },
        { UP, {}, { true, true, true }, PAINT | DEF, { false, false, true } },
        { UP, {}, { false, true, false }, DEF, { false, false, false } },
        // Capture lost mid-press: released, drawn normal; otherwise nothing.
        { CAPTURE, {}, { true, true, false }, PAINT | DEF, { false, false, false } },
        { CAPTURE, {}, { false, true, true }, PAINT | DEF, { false, false, true } },
        { CAPTURE, {}, { true, false, true }, DEF, { true, false, true } },
        { CURSOR, {}, { true, false, false }, HAND, { true, false, false } },
        { CURSOR, {}, { false, false, true }, DEF, { false, false, true } },
    };
    const HOVER_RC rc = { 10, 10, 110, 40 };
    int n = 0;
    for (const auto& r : rows) {
        Flags f = r.before;
        unsigned fx = 0;
        switch (r.e) {
        case MOVE: fx = HoverMouseMove(); break;
        case TICK: fx = HoverTick(f.bHover, f.bPressed, f.bDrawn, &r.pt, rc); break;
        case BLIND_TICK: fx = HoverTick(f.bHover, f.bPressed, f.bDrawn, nullptr, rc); break;
        case DOWN: fx = HoverLButtonDown(f.bPressed); break;
        case UP: fx = HoverLButtonUp(f.bHover, f.bPressed); break;
        case CAPTURE: fx = HoverCaptureChanged(f.bHover, f.bPressed); break;
        case CURSOR: fx = HoverSetCursor(f.bHover); break;
        }
        ++n;
        EXPECT_EQ(r.fx, fx) << "row " << n;
        EXPECT_EQ(r.after.bHover, f.bHover) << "row " << n;
        EXPECT_EQ(r.after.bPressed, f.bPressed) << "row " << n;
        EXPECT_EQ(r.after.bDrawn, f.bDrawn) << "row " << n;
    }
}

TEST(Hover, LookOfEveryState)
{
    const std::string disabled = "shift 2 0, colour 20 0, text 0 0, shift -2 0, colour 17 0, text 0 0";
    const std::string hovered = ", colour -1 0, font 0 0, text 0 0, restore 0 0";
    const std::string normal = "colour 18 0, text 0 0";
    const std::string cue = ", focus 3 0";
    // A focus cue only where asked for, and never on a disabled button.
    const struct { bool bDisabled, bSelected, bHover, bCue; std::string steps; } rows[] = {
        { true, false, false, false, disabled }, { true, true, false, false, disabled },
        { true, false, true, false, disabled }, { true, true, true, true, disabled },
        { false, false, true, false, "frame 20 16" + hovered },  // raised
        { false, true, true, false, "frame 16 20" + hovered },   // sunken
        { false, false, true, true, "frame 20 16" + hovered + cue },
        { false, false, false, false, normal }, { false, true, false, false, normal },
        { false, false, false, true, normal + cue }, { false, true, false, true, normal + cue },
    };
    const char* names[] = { "shift", "colour", "text", "frame", "font", "restore", "focus" };
    for (const auto& r : rows) {
        HOVER_STEP s[HOVER_MAX_STEPS];
        std::string steps;
        for (int i = 0, n = HoverLook(r.bDisabled, r.bSelected, r.bHover, r.bCue, s); i < n; ++i)
            steps += (i ? ", " : "") + std::string(names[s[i].op]) + " " + std::to_string(s[i].a) + " " +
                     std::to_string(s[i].b);
        EXPECT_EQ(r.steps, steps) << r.bDisabled << r.bSelected << r.bHover << r.bCue;
    }
}

TEST(Hover, KeysThatShowTheFocus)
{
    // Tab, Space and the four arrows; not Enter, Escape, Shift, Alt, Home, a letter or a digit.
    for (unsigned vk : { 0x09, 0x20, 0x25, 0x26, 0x27, 0x28 }) EXPECT_TRUE(HoverKeyShowsFocus(vk)) << vk;
    for (unsigned vk : { 0x0D, 0x1B, 0x10, 0x12, 0x24, 0x29, 0x41, 0x31 }) EXPECT_FALSE(HoverKeyShowsFocus(vk)) << vk;
}

TEST(Hover, LinkColourReadableOnItsBackground)
{
    // WCAG contrast against pure blue crosses 4.5:1 between greys 188 (4.52) and 187 (4.48);
    // yellow is light, pure red (2.1:1) is not. High contrast takes the text colour on any face.
    const unsigned long text = 0x123456;
    for (unsigned long light : { 0xC0BEBE, 0xC8CED2, 0xFFFDFD, 0xBCBCBC, 0x00FFFF })
        EXPECT_EQ(0xFF0000ul, HoverLinkColour(light, text, false)) << std::hex << light;
    for (unsigned long dark : { 0xBBBBBB, 0x808080, 0x020000, 0xFF0000, 0x0000FF })
        EXPECT_EQ(text, HoverLinkColour(dark, text, false)) << std::hex << dark;
    for (unsigned long face : { 0xC0BEBE, 0xFFFDFD, 0x020000 })
        EXPECT_EQ(text, HoverLinkColour(face, text, true)) << std::hex << face;
}

TEST(Hover, BackgroundOfEveryFace)
{
    const struct { unsigned long face, fill; } rows[] = {  // 0x00BBGGRR
        { 0xC0C0C0, 0xC0BEBE }, { 0xC8D0D4, 0xC8CED2 }, { 0x0A0303, 0x0C0101 },
        { 0x640201, 0x660001 }, { 0x000000, 0x020000 }, { 0xFD0404, 0xFD0202 },
        { 0xFFFFFF, 0xFFFDFD }, { 0x000502, 0x000300 }, { 0xFC0202, 0xFE0000 },
    };
    for (const auto& r : rows)
        EXPECT_EQ(r.fill, HoverBackground(r.face)) << std::hex << r.face;
}

} // namespace
