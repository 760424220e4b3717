#!/usr/bin/env bash
# A change of scale while the menu is open, as Windows 10 makes it: 96 to 144 to 96 to 144 dpi,
# and 96 to 120 to 192. The dialog manager's part is done by its stand-in beneath the menu's own
# procedure, where Wine's default dialog procedure is (dlgmgr.dll): only if the menu passes
# WM_DPICHANGED on is its dialog laid out anew, and only if it measures after that are its texts
# whole. Once with every control scaled from its rectangle, once from the template in the new
# font. The window's place, the texts, the logo, the hover fonts and the icons follow, and Wine's
# +gdi trace shows no GDI object of the menu's lost.
. "$(dirname "$0")/lib.sh"
took() { [ "$(awk '$1 == "menu" { print $3, $4, $5, $6 }' <<<"$S")" = "$1" ]; }
# hover_fonts LINE PX: since LINE of Wine's +font trace, a hover font was made (heavy and underlined,
# which only the menu's links make) of the dialog's font at PX pixels.
hover_fonts() { tail -n +"$1" "$log/wine$run.log" | grep -aqE "trace:font:NtGdiHfontCreate \(-$2 [^)]*\) L\"[^\"]*\" Bold  Underline"; }
# From the +gdi trace of the menu's thread (the one that marked "dialog created", a pen of
# RGB(7e,1d,01), from dlgmgr.dll): "checkpoint N", N GDI objects alive at each (RGB(7e,1d,02)),
# then "ending K N" (RGB(7e,K,N) in hex), K of the N icons and logo bitmaps the stand-in saw not
# destroyed, and "fonts N", the fonts the thread made since "dialog created" and had not freed.
gdi_report() { awk '
    function hex(s,  i, v) { for (i = 1; i <= length(s); i++) v = v * 16 + index("0123456789abcdef", substr(s, i, 1)) - 1; return v }
    /create_pen 0 1 RGB\(7e,1d,01\)/ { tid = substr($0, 1, 4); on = 1; next }
    !on || substr($0, 1, 4) != tid { next }
    / allocated NTGDI_OBJ_/ { n = $5 + 0; if ($3 == "NTGDI_OBJ_FONT") font[$4] = 1; next }
    / freed NTGDI_OBJ_/ { n = $5 + 0; delete font[$4]; next }
    /create_pen 0 1 RGB\(7e,1d,02\)/ { print "checkpoint", n; next }
    /create_pen 0 1 RGB\(7e,/ { match($0, /RGB\(7e,[0-9a-f]+,[0-9a-f]+\)/); split(substr($0, RSTART + 7, RLENGTH - 8), kn, ",")
                                 print "ending", hex(kn[1]), hex(kn[2])
                                 for (h in font) k++; print "fonts", k + 0; exit }' "$log/wine$run.log"; }
# rescale FROM TO LOGO: the change, and what follows it: the window in the rectangle Windows
# suggests, every text whole in the new font, the logo filling its place (LOGO as logo_fills),
# a hover font made from the new font, and the icons at the new scale's sizes.
rescale() {
    local at rect; at=$(($(wc -l <"$log/wine$run.log") + 1))
    rect=$(p rescale "$1" "$2" | awk '$1 == "suggested" { print $2, $3, $4, $5 }')
    export VELTA_PROBE_DPI=$2
    wait_for "$1 to $2 dpi ($manager): the window takes the rectangle Windows suggests" took "$rect"
    wait_for "every text whole in the dialog manager's new font" whole
    # Moved, the controls are drawn again a moment later.
    local what; what="the logo fills its place, $(case $3 in 0) echo smoothed ;; 1) echo "each pixel twice" ;; 2) echo "as drawn" ;; esac)"
    tally 10 logo_fills "$3"
    local id; for id in $IDC_BTN_DRIVERS $IDC_BTN_COMMANDS $IDC_BTN_TESTPROG $IDOK $IDCANCEL; do hover $id; sleep 0.1; done
    empty_space
    # Wine's +font trace, a line a glyph, only where no GDI object is counted.
    [ "$manager" = scaled ] ||
        awaits "hovered, each link draws in a hover font made from the new font" hover_fonts "$at" $((9 * $2 / 72))
    local want; want="icons $(($2 / 3)) $(($2 / 6))"  # 32 and 16 pixels at 96 dpi
    check "the title bar's and taskbar's icons are drawn at the new scale's sizes, $want" [ "$(p icons)" = "$want" ]
}
manager=scaled
start_menu ",+gdi"
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
    check "and every icon it set and bitmap its logo showed, the template's too" grep -qE "^ending 0 [1-9][0-9]*$" <<<"$r"
}
finish_leaks
manager=template
start_menu ",+font"
rescale 96 120 0
rescale 120 192 1
finish Escape xdotool key Escape
