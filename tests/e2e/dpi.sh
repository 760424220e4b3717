#!/usr/bin/env bash
# The screen's scale: at 120, 144 and 192 dpi (125, 150 and 200 %), as Wine draws a DPI-aware
# program, the logo fills its place, every text is whole (each category's panel text and
# buttons too), and hovering and a click work as at 96 dpi. Then changes of scale, 96 to 144
# to 96 to 144 and 96 to 120 to 192, as Windows 10 makes them: the window's place, the texts,
# the logo, the hover fonts and the icons follow, and no GDI object is lost.
. "$(dirname "$0")/lib.sh"
# whole: every shown text needs no more than its control's width (the probe's "fit" lines).
whole() { ! awk '$1 == "fit" && $3 > $4 { print "fit", $2, $3, ">", $4; f = 1 } END { exit !f }' <<<"$S"; }
# The logo's colours: its white, blue and orange.
logo_colours='255 255 255|0 70 190|230 120 0'
# logo_fills SHARP [CX CY]: its static covers its place, CX x CY, or 47 x 11 of the dialog's
# 416 x 311 units, a pixel either way; no face shows there. SHARP 1: its three colours alone,
# each pixel twice across and down; 2: its three colours alone; 0: smoothed, with blends of them.
logo_fills() {
    local st l t r b; st=$(state)
    read -r l t r b < <(awk '$1 == "logo" { print $2, $3, $4, $5 }' <<<"$st")
    awk -v w=$((r - l)) -v h=$((b - t)) -v cx="${2:-}" -v cy="${3:-}" '$1 == "client" {
            x = w - (cx != "" ? cx : 47 * ($4 - $2) / 416); y = h - (cy != "" ? cy : 11 * ($5 - $3) / 311)
            exit !(x * x <= 1.5 && y * y <= 1.5) }' <<<"$st" || return 1
    crop "$l" "$t" "$r" "$b" | awk -v sharp="$1" -v known="$logo_colours" '
        NR == 1 { w = $1; next } { c = $1 " " $2 " " $3; i = NR - 2; x = i % w; y = int(i / w); px[x, y] = c; seen[c]++ }
        END { for (c in seen) { n++; if (c !~ "^(" known ")$") other++ }
              if (sharp) { if (other) exit 1; if (sharp == 1) for (k in px) { split(k, xy, SUBSEP)
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
# A change of scale as Windows 10 sends it, the dialog manager's part done by its stand-in beneath
# the menu's own procedure, where Wine's default dialog procedure is (dlgmgr.dll): only if the menu
# passes WM_DPICHANGED on is its dialog laid out anew, and only if it measures after that are its
# texts whole. Once with every control scaled from its rectangle, once from the template in the
# new font. Wine's +gdi trace counts the GDI objects of the menu's thread.
xdotool key Escape; ended "Escape, at 192 dpi,"
reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 96 /f
wineserver -k; wineserver -w
took() { [ "$(awk '$1 == "menu" { print $3, $4, $5, $6 }' <<<"$S")" = "$1" ]; }
# hover_fonts DPI: since the last rescale, the menu's thread made a hover font (heavy, underlined)
# of the dialog's font at DPI.
hover_fonts() { tail -n +"$1" "$log/wine$run.log" | grep -aqE "^$2:trace:font:NtGdiHfontCreate \(-$3 [^)]*\) L\"[^\"]*\" Bold  Underline"; }
# From the +gdi trace of the menu's thread (the one that marked "dialog created"): "checkpoint N",
# N GDI objects alive at each (the mark's own font not counted), then its "ending: K of N kept"
# mark and "fonts N", the fonts it made since "dialog created" and had not freed by then.
gdi_report() { awk '
    /L"dialog created"/ { tid = substr($0, 1, 4); on = 1 }
    !on || substr($0, 1, 4) != tid { next }
    / allocated NTGDI_OBJ_/ { n = $5 + 0; if ($3 == "NTGDI_OBJ_FONT") font[$4] = 1; next }
    / freed NTGDI_OBJ_/ { n = $5 + 0; delete font[$4]; next }
    /L"checkpoint"/ { print "checkpoint", n - 1 }
    /L"ending: / { match($0, /L"ending: [^"]*"/); print substr($0, RSTART + 2, RLENGTH - 3)
                   delete font[$NF]; for (h in font) k++; print "fonts", k + 0; exit }' "$log/wine$run.log"; }
menu_thread() { awk '/L"dialog created"/ { print substr($0, 1, 4); exit }' "$log/wine$run.log"; }
# rescale FROM TO LOGO: the change, and what follows it: the window in the rectangle Windows
# suggests, every text whole in the new font, the logo filling its place (LOGO as logo_fills),
# a hover font made from the new font, and the icons at the new scale's sizes.
rescale() {
    local at rect tid; at=$(($(wc -l <"$log/wine$run.log") + 1)); tid=$(menu_thread)
    rect=$(p rescale "$1" "$2" | awk '$1 == "suggested" { print $2, $3, $4, $5 }')
    export VELTA_PROBE_DPI=$2
    wait_for "$1 to $2 dpi ($manager): the window takes the rectangle Windows suggests" took "$rect"
    wait_for "every text whole in the dialog manager's new font" whole
    # Moved, the controls are drawn again a moment later.
    local what; what="the logo fills its place, $(case $3 in 0) echo smoothed ;; 1) echo "each pixel twice" ;; 2) echo "as drawn" ;; esac)"
    tally 10 logo_fills "$3"
    local id; for id in $IDC_BTN_DRIVERS $IDC_BTN_COMMANDS $IDC_BTN_TESTPROG $IDOK $IDCANCEL; do hover $id; sleep 0.1; done
    empty_space
    awaits "hovered, each link draws in a hover font made from the new font" hover_fonts "$at" "$tid" $((9 * $2 / 72))
    local want; want="icons $(($2 / 3)) $(($2 / 6))"  # 32 and 16 pixels at 96 dpi
    check "the title bar's and taskbar's icons are drawn at the new scale's sizes, $want" [ "$(p icons)" = "$want" ]
}
manager=scaled
start_menu ",+gdi,+font"
rescale 96 144 0
rescale 144 96 2
rescale 96 144 0
finish_leaks() {
    xdotool key Escape; ended Escape
    check "the menu's process has ended" timeout 30 wineserver -w
    local r; r=$(gdi_report)
    check "over two changes of scale and back, no GDI object more: as many at 144 dpi after the third as after the first" \
        awk '$1 == "checkpoint" { c[++n] = $2 } END { exit !(n == 3 && c[1] == c[3]) }' <<<"$r"
    check "its dialog ended, every font made since is freed" grep -qx "fonts 0" <<<"$r"
    check "and every icon it set and bitmap its logo showed, the template's too" grep -qE "^ending: 0 of [1-9][0-9]* kept$" <<<"$r"
}
finish_leaks
manager=template
start_menu ",+font"
rescale 96 120 0
rescale 120 192 1
starts=news.exe=3
finish Escape xdotool key Escape
