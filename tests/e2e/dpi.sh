#!/usr/bin/env bash
# The screen's scale: at 120, 144 and 192 dpi (125, 150 and 200 %), as Wine draws a DPI-aware
# program, the logo fills its place, every text is whole (each category's panel text and
# buttons too), and hovering and a click work as at 96 dpi. Then what the dialog manager
# sends at a change of scale (a new font, then WM_DPICHANGED): the logo, the texts' widths,
# the window's place and the hover font follow.
. "$(dirname "$0")/lib.sh"
# whole: every shown text needs no more than its control's width (the probe's "fit" lines).
whole() { ! awk '$1 == "fit" && $3 > $4 { print "fit", $2, $3, ">", $4; f = 1 } END { exit !f }' <<<"$S"; }
# The logo's colours: its white, blue and orange.
logo_colours='255 255 255|0 70 190|230 120 0'
# logo_fills SHARP [CX CY]: its static covers its place, CX x CY, or 47 x 11 of the dialog's
# 416 x 311 units, a pixel either way; no face shows there. SHARP 1: its three colours alone,
# each pixel twice across and down; 0: smoothed, with blends of them.
logo_fills() {
    local st l t r b; st=$(state)
    read -r l t r b < <(awk '$1 == "logo" { print $2, $3, $4, $5 }' <<<"$st")
    awk -v w=$((r - l)) -v h=$((b - t)) -v cx="${2:-}" -v cy="${3:-}" '$1 == "client" {
            x = w - (cx != "" ? cx : 47 * ($4 - $2) / 416); y = h - (cy != "" ? cy : 11 * ($5 - $3) / 311)
            exit !(x * x <= 1.5 && y * y <= 1.5) }' <<<"$st" || return 1
    crop "$l" "$t" "$r" "$b" | awk -v sharp="$1" -v known="$logo_colours" '
        NR == 1 { w = $1; next } { c = $1 " " $2 " " $3; i = NR - 2; x = i % w; y = int(i / w); px[x, y] = c; seen[c]++ }
        END { for (c in seen) { n++; if (c !~ "^(" known ")$") other++ }
              if (sharp) { if (other) exit 1; for (k in px) { split(k, xy, SUBSEP)
                  if (px[xy[1] - xy[1] % 2, xy[2] - xy[2] % 2] != px[k]) exit 1 } }
              else if (n <= 3) exit 1 }'
}
look_whole() {  # CATEGORY GROUP: hovered, its text and buttons shown, and every text whole
    hover "$1"; wait_for "hovering $1 at $dpi dpi shows its group, every text whole" shows_and_whole "$2" "$1"; }
shows_and_whole() { shows_group "$@" && whole; }
for dpi in 120 144 192; do
    reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d $dpi /f
    wineserver -k; wineserver -w  # Wine reads the scale as its server starts
    xdotool mousemove 1020 760
    start_menu "$([ $dpi != 192 ] || echo ,+font)"
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
# A change of scale, as Windows 10 sends it: the stock GUI font, then WM_DPICHANGED for 96 dpi.
before=$(state | awk '$1 == "menu" { print $3 + 8, $4 + 8, $5 + 8, $6 + 8 }')
place=$(p rescale 96 | awk '$1 == "place" { print $2, $3 }')
export VELTA_PROBE_FONT=none  # the font the probe measures with, which Wine will not tell it
moved() { [ "$(awk '$1 == "menu" { print $3, $4, $5, $6 }' <<<"$S")" = "$before" ]; }
wait_for "at a change of scale the window takes the rectangle Windows suggests" moved
wait_for "every text is whole in the new font" whole
check "and the logo fills its place in it ($place), smoothed" logo_fills 0 $place
hover $IDC_BTN_DRIVERS
awaits "hovered, a link draws in a hover font made from the new font" \
    grep -aq 'NtGdiHfontCreate ([^)]*) L"MS Shell Dlg" Bold  Underline' "$log/wine$run.log"
starts=news.exe=3
finish Escape xdotool key Escape
