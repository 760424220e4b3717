// The hover button's states: every row of the transition table, the
// sequences that follow from it between two buttons, and the looks.
#include "controls/hover_state.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// Buttons as the window system would run them: a timer bit per button,
// repaints counted per button, the shared flag held by the board.
struct Board
{
    struct Button
    {
        HOVER_RC rc;
        bool bHover = false, bPressed = false, bTimer = false;
        int nRepaints = 0, nDefaults = 0, nPanels = 0;
    };
    std::vector<Button> buttons;
    bool bHoverDrawn = false;
    HOVER_PT cursor = { 0, 0 };

    Board()
    {
        buttons.resize(2);
        buttons[0].rc = { 10, 10, 110, 40 };
        buttons[1].rc = { 10, 60, 110, 90 };
    }
    void Apply(int i, unsigned fx)
    {
        Button& b = buttons[i];
        if (fx & HFX_START_TIMER) b.bTimer = true;
        if (fx & HFX_STOP_TIMER) b.bTimer = false;
        if (fx & HFX_REPAINT) ++b.nRepaints;
        if (fx & HFX_DEFAULT) ++b.nDefaults;
        if (fx & HFX_PANEL) ++b.nPanels;
    }
    void MoveTo(int i, long x, long y)  // a movement over button i
    {
        cursor = { x, y };
        Apply(i, HoverMouseMove());
    }
    void Tick(int i)  // only a running timer ticks
    {
        Button& b = buttons[i];
        if (b.bTimer)
            Apply(i, HoverTick(b.bHover, b.bPressed, bHoverDrawn, cursor, b.rc));
    }
    void Press(int i) { Apply(i, HoverLButtonDown(buttons[i].bPressed)); }
    void Release(int i) { Apply(i, HoverLButtonUp(buttons[i].bHover, buttons[i].bPressed)); }
};

TEST(HoverTable, MovementStartsTimerUpdatesPanelAndDefaults)
{
    EXPECT_EQ(unsigned(HFX_START_TIMER | HFX_PANEL | HFX_DEFAULT), HoverMouseMove());
}

TEST(HoverTable, TickWhilePressedStopsAndRepaintsOnlyIfDrawn)
{
    for (bool bDrawn : { false, true }) {
        bool bHover = true, bFlag = bDrawn;
        unsigned fx = HoverTick(bHover, true, bFlag, { 50, 20 }, { 10, 10, 110, 40 });
        EXPECT_EQ(unsigned(HFX_STOP_TIMER | (bDrawn ? HFX_REPAINT : 0)), fx);
        EXPECT_FALSE(bFlag);
        EXPECT_TRUE(bHover);  // kept
    }
}

TEST(HoverTable, TickInsideSetsHoverAndRepaintsOnce)
{
    bool bHover = false, bFlag = false;
    EXPECT_EQ(unsigned(HFX_REPAINT | HFX_DEFAULT), HoverTick(bHover, false, bFlag, { 10, 10 }, { 10, 10, 110, 40 }));
    EXPECT_TRUE(bHover);
    EXPECT_TRUE(bFlag);
    EXPECT_EQ(unsigned(HFX_DEFAULT), HoverTick(bHover, false, bFlag, { 10, 10 }, { 10, 10, 110, 40 }));
}

TEST(HoverTable, TickOutsideClearsHoverStopsAndRepaintsOnlyIfDrawn)
{
    for (bool bDrawn : { false, true }) {
        bool bHover = true, bFlag = bDrawn;
        unsigned fx = HoverTick(bHover, false, bFlag, { 0, 0 }, { 10, 10, 110, 40 });
        EXPECT_EQ(unsigned(HFX_STOP_TIMER | (bDrawn ? HFX_REPAINT : 0)), fx);
        EXPECT_FALSE(bHover);
        EXPECT_FALSE(bFlag);
    }
}

TEST(HoverTable, RightAndBottomEdgesAreOutside)
{
    const HOVER_RC rc = { 10, 10, 110, 40 };
    EXPECT_TRUE(HoverPtInRect(rc, { 10, 10 }));
    EXPECT_TRUE(HoverPtInRect(rc, { 109, 39 }));
    EXPECT_FALSE(HoverPtInRect(rc, { 110, 20 }));
    EXPECT_FALSE(HoverPtInRect(rc, { 50, 40 }));
    EXPECT_FALSE(HoverPtInRect(rc, { 9, 20 }));
    EXPECT_FALSE(HoverPtInRect(rc, { 50, 9 }));
}

TEST(HoverTable, PressReleaseAndCursor)
{
    bool bPressed = false, bHover = true;
    EXPECT_EQ(unsigned(HFX_DEFAULT), HoverLButtonDown(bPressed));
    EXPECT_TRUE(bPressed);
    EXPECT_EQ(unsigned(HFX_REPAINT | HFX_DEFAULT), HoverLButtonUp(bHover, bPressed));
    EXPECT_FALSE(bPressed);
    EXPECT_FALSE(bHover);
    bPressed = true;
    EXPECT_EQ(unsigned(HFX_DEFAULT), HoverLButtonUp(bHover, bPressed));
    EXPECT_FALSE(bPressed);
    EXPECT_EQ(unsigned(HFX_HAND_CURSOR), HoverSetCursor(true));
    EXPECT_EQ(unsigned(HFX_DEFAULT), HoverSetCursor(false));
}

TEST(HoverSequence, EnterAndRestRepaintsOnceThenOnlyTicks)
{
    Board b;
    b.MoveTo(0, 50, 20);
    EXPECT_TRUE(b.buttons[0].bTimer);
    EXPECT_FALSE(b.buttons[0].bHover);  // not before the first tick
    for (int i = 0; i < 100; ++i)
        b.Tick(0);
    EXPECT_TRUE(b.buttons[0].bHover);
    EXPECT_TRUE(b.buttons[0].bTimer);
    EXPECT_EQ(1, b.buttons[0].nRepaints);
}

TEST(HoverSequence, LeaveRepaintsNormalAndStopsPolling)
{
    Board b;
    b.MoveTo(0, 50, 20);
    b.Tick(0);
    b.cursor = { 300, 300 };
    b.Tick(0);
    EXPECT_FALSE(b.buttons[0].bHover);
    EXPECT_FALSE(b.buttons[0].bTimer);
    EXPECT_FALSE(b.bHoverDrawn);
    EXPECT_EQ(2, b.buttons[0].nRepaints);
}

TEST(HoverSequence, ClickStopsTimerAndReleaseRestoresNormalUntilNextMove)
{
    Board b;
    b.MoveTo(0, 50, 20);
    b.Tick(0);
    b.Press(0);
    b.Tick(0);  // stops, repaints in the same look, clears the flag
    EXPECT_FALSE(b.buttons[0].bTimer);
    EXPECT_FALSE(b.bHoverDrawn);
    EXPECT_EQ(2, b.buttons[0].nRepaints);
    b.Release(0);
    EXPECT_FALSE(b.buttons[0].bHover);
    EXPECT_EQ(3, b.buttons[0].nRepaints);
    b.Tick(0);  // no timer: nothing
    EXPECT_FALSE(b.buttons[0].bHover);
    b.MoveTo(0, 51, 20);
    b.Tick(0);
    EXPECT_TRUE(b.buttons[0].bHover);
    EXPECT_EQ(4, b.buttons[0].nRepaints);
}

TEST(HoverSequence, PressAndReleaseBeforeATickKeepFlagAndTimer)
{
    Board b;
    b.MoveTo(0, 50, 20);
    b.Tick(0);
    b.Press(0);
    b.Release(0);
    EXPECT_TRUE(b.bHoverDrawn);
    EXPECT_TRUE(b.buttons[0].bTimer);
    EXPECT_EQ(2, b.buttons[0].nRepaints);  // the release's normal look
    b.Tick(0);
    EXPECT_TRUE(b.buttons[0].bHover);      // hovered again, but not repainted
    EXPECT_EQ(2, b.buttons[0].nRepaints);
    EXPECT_EQ(unsigned(HFX_HAND_CURSOR), HoverSetCursor(b.buttons[0].bHover));
}

TEST(HoverSequence, MovingToAnotherButtonLeaveTickFirst)
{
    Board b;
    b.MoveTo(0, 50, 20);
    b.Tick(0);
    b.MoveTo(1, 50, 70);
    b.Tick(0);  // leave tick of the first
    EXPECT_EQ(2, b.buttons[0].nRepaints);
    EXPECT_FALSE(b.bHoverDrawn);
    b.Tick(1);
    EXPECT_TRUE(b.buttons[1].bHover);
    EXPECT_EQ(1, b.buttons[1].nRepaints);
    EXPECT_TRUE(b.bHoverDrawn);
}

TEST(HoverSequence, MovingToAnotherButtonItsTickFirst)
{
    Board b;
    b.MoveTo(0, 50, 20);
    b.Tick(0);
    b.MoveTo(1, 50, 70);
    b.Tick(1);  // hovered, but the flag is still set: no repaint
    EXPECT_TRUE(b.buttons[1].bHover);
    EXPECT_EQ(0, b.buttons[1].nRepaints);
    b.Tick(0);  // the first leaves, repaints, clears the flag
    EXPECT_EQ(2, b.buttons[0].nRepaints);
    EXPECT_FALSE(b.bHoverDrawn);
    b.Tick(1);
    EXPECT_EQ(1, b.buttons[1].nRepaints);
    EXPECT_EQ(0, b.buttons[0].nRepaints - 2);  // ticks repaint only their own button
}

TEST(HoverSequence, LeaveAfterAnotherButtonClearedTheFlagIsNotRepainted)
{
    Board b;
    b.MoveTo(0, 50, 20);
    b.Tick(0);
    b.buttons[1].bTimer = true;  // a stale timer of the other button
    b.Tick(1);                   // outside it: clears the shared flag
    EXPECT_FALSE(b.bHoverDrawn);
    b.cursor = { 300, 300 };
    int before = b.buttons[0].nRepaints;
    b.Tick(0);
    EXPECT_EQ(before, b.buttons[0].nRepaints);
    EXPECT_FALSE(b.buttons[0].bTimer);
}

std::vector<std::string> Ops(bool bDisabled, bool bSelected, bool bHover)
{
    HOVER_STEP s[HOVER_MAX_STEPS];
    int n = HoverLook(bDisabled, bSelected, bHover, s);
    std::vector<std::string> v;
    const char* names[] = { "shift", "color", "text", "frame", "font", "restore" };
    for (int i = 0; i < n; ++i)
        v.push_back(std::string(names[s[i].op]) + ":" + std::to_string(s[i].a) + ":" + std::to_string(s[i].b));
    return v;
}

TEST(HoverLook, DisabledIsEmbossedWhateverTheOtherBits)
{
    std::vector<std::string> want = { "shift:2:0", "color:20:0", "text:0:0",
                                      "shift:-2:0", "color:17:0", "text:0:0" };
    for (bool bSel : { false, true })
        for (bool bHover : { false, true })
            EXPECT_EQ(want, Ops(true, bSel, bHover));
}

TEST(HoverLook, HoveredFramesRaisedOrSunkenInBlueHoverFont)
{
    EXPECT_EQ((std::vector<std::string>{ "frame:20:16", "color:-1:0", "font:0:0", "text:0:0", "restore:0:0" }),
              Ops(false, false, true));
    EXPECT_EQ((std::vector<std::string>{ "frame:16:20", "color:-1:0", "font:0:0", "text:0:0", "restore:0:0" }),
              Ops(false, true, true));
}

TEST(HoverLook, NotHoveredIsPlainTextEvenWhenSelected)
{
    std::vector<std::string> want = { "color:18:0", "text:0:0" };
    EXPECT_EQ(want, Ops(false, false, false));
    EXPECT_EQ(want, Ops(false, true, false));
}

unsigned long Rgb(unsigned r, unsigned g, unsigned b) { return r | (g << 8) | (b << 16); }

TEST(HoverBackground, EveryRowOfTheRule)
{
    struct { unsigned long face, fill; } rows[] = {
        { Rgb(192, 192, 192), Rgb(190, 190, 192) },
        { Rgb(212, 208, 200), Rgb(210, 206, 200) },
        { Rgb(3, 3, 10), Rgb(1, 1, 12) },
        { Rgb(1, 2, 100), Rgb(1, 0, 102) },
        { Rgb(0, 0, 0), Rgb(0, 0, 2) },
        { Rgb(4, 4, 253), Rgb(2, 2, 253) },
        { Rgb(255, 255, 255), Rgb(253, 253, 255) },
        { Rgb(2, 5, 0), Rgb(0, 3, 0) },
    };
    for (auto& r : rows)
        EXPECT_EQ(r.fill, HoverBackground(r.face)) << std::hex << r.face;
}

} // namespace
