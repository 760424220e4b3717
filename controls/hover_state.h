// hover_state.h: the hover button's input states and its looks, apart from
// the window system.
//
//   Hover*           one function per event of the button: what it does to
//                    the button's flags and the shared flag, and which
//                    effects the window must carry out
//   HoverLook        the drawing steps for (disabled, selected, hover, focus cue)
//   HoverBackground  the background tint of a button-face colour
//   HoverLinkColour  the hovered label's colour on that background
//   HoverKeyShowsFocus  whether a key is keyboard use, after which the
//                    focused button shows where the focus is
#pragma once

// Effects, or-ed together.
enum
{
    HFX_START_TIMER = 0x01,  // timer 1 of this button, 10 ms (restarts one that runs)
    HFX_STOP_TIMER  = 0x02,
    HFX_REPAINT     = 0x04,  // whole client area, with erase
    HFX_HAND_CURSOR = 0x08,  // set the hand cursor; the request is answered
    HFX_PANEL       = 0x10,  // run the panel update for this button
    HFX_DEFAULT     = 0x20,  // hand the message to default processing
};

enum { HOVER_TIMER_ID = 1, HOVER_TIMER_MS = 10 };

struct HOVER_PT { long x, y; };
struct HOVER_RC { long left, top, right, bottom; };

// Left and top edges are inside, right and bottom outside.
bool HoverPtInRect(const HOVER_RC& rc, HOVER_PT pt);

unsigned HoverMouseMove();
// A tick of the button's timer (any identifier). bHoverDrawn is shared by
// all hover buttons. pptCursor is null when the pointer cannot be read
// (another desktop has the input: a UAC prompt, a locked workstation).
unsigned HoverTick(bool& bHover, bool bPressed, bool& bHoverDrawn, const HOVER_PT* pptCursor,
                   const HOVER_RC& rcWindow);
unsigned HoverLButtonDown(bool& bPressed);
unsigned HoverLButtonUp(bool& bHover, bool& bPressed);
// The button lost the mouse capture (WM_CAPTURECHANGED).
unsigned HoverCaptureChanged(bool& bHover, bool& bPressed);
unsigned HoverSetCursor(bool bHover);

// Keys that move the focus (Tab, the arrows) or press a button (Space).
// Enter is not one: it opens the web site wherever the focus is.
bool HoverKeyShowsFocus(unsigned nVirtKey);

// ---- Looks ----

// Colours: a system colour index, or HOVER_CLR_BLUE.
enum
{
    HOVER_CLR_BTNSHADOW = 16,
    HOVER_CLR_GRAYTEXT = 17,
    HOVER_CLR_BTNTEXT = 18,
    HOVER_CLR_BTNHIGHLIGHT = 20,
    HOVER_CLR_BLUE = -1,  // pure blue, 0x00FF0000
};

enum HOVER_OP
{
    HOVER_OP_SHIFT,        // move left and top edges by (a, a)
    HOVER_OP_TEXT_COLOR,   // a: colour
    HOVER_OP_DRAW_TEXT,    // the caption, centred on one line
    HOVER_OP_FRAME,        // Draw3dRect: a top-left, b bottom-right colour
    HOVER_OP_HOVER_FONT,   // make the hover font if there is none, select it
    HOVER_OP_RESTORE_FONT, // select back the font it replaced, if any
    HOVER_OP_FOCUS_RECT,   // the system's dotted focus rectangle, a pixels inside the edges
};

struct HOVER_STEP
{
    HOVER_OP op;
    int a;
    int b;
};

enum { HOVER_MAX_STEPS = 6 };

// Fills steps and returns how many. bFocusCue: the button has the focus and
// the keyboard has been used.
int HoverLook(bool bDisabled, bool bSelected, bool bHover, bool bFocusCue,
              HOVER_STEP (&steps)[HOVER_MAX_STEPS]);

// 0x00BBGGRR in, 0x00BBGGRR out.
unsigned long HoverBackground(unsigned long clrFace);

enum { HOVER_BLUE = 0x00FF0000 };

// The design's pure blue, unless high contrast is on or the blue is hard to
// read on clrBackground (below 4.5:1, as on a dark face): then clrText, the
// button text colour.
unsigned long HoverLinkColour(unsigned long clrBackground, unsigned long clrText, bool bHighContrast);
