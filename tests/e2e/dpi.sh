#!/usr/bin/env bash
# The screen's scale: at 120, 144 and 192 dpi (125, 150 and 200 %), as Wine draws a DPI-aware
# program, the logo fills its place, every text is whole (each category's panel text and
# buttons too), and hovering and a click work as at 96 dpi. A change of scale while it is open
# is rescale.sh's.
. "$(dirname "$0")/lib.sh"
look_whole() {  # CATEGORY GROUP: hovered, its text and buttons shown, and every text whole
    hover "$1"; wait_for "hovering $1 at $dpi dpi shows its group, every text whole" shows_and_whole "$2" "$1"; }
shows_and_whole() { shows_group "$@" && whole; }
for dpi in 120 144 192; do
    reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d $dpi /f
    wineserver -k; wineserver -w  # Wine reads the scale as its server starts
    xdotool mousemove 1020 760
    start_menu
    wait_for "at $dpi dpi every text is whole as it opens" whole
    [ $dpi = 192 ] && sharp=1 || sharp=0
    check "and the logo fills its place, $([ $sharp = 1 ] && echo "each pixel twice" || echo smoothed)" logo_fills $sharp
    [ $dpi != 144 ] || shot start-150
    look_whole $IDC_BTN_DRIVERS drivers
    look_whole $IDC_BTN_COMMANDS commands
    look_whole $IDOK none
    look_whole $IDC_BTN_TESTPROG none
    awaits "$IDC_BTN_TESTPROG is drawn hovered" hovered $IDC_BTN_TESTPROG
    click $IDC_BTN_TESTPROG
    awaits "and a click starts the test program" grep -qs "news.exe ran" "$log/standin$run.log"
    [ $dpi = 192 ] || { xdotool key Escape; ended "Escape, at $dpi dpi,"; }
done
starts=news.exe=3
finish Escape xdotool key Escape
