#!/usr/bin/env bash
# Start-up: both groups hidden, every other control shown, the welcome text; the window ANSI as
# Windows 98 (whose W functions mostly fail), Unicode on the NT family; Windows' size in 宋体; the
# system menu's last item, after a separator, opens the About box.
. "$(dirname "$0")/lib.sh"
start_menu
at_rest() { group_is none && panel_is welcome &&
    ! has "^ctl ($IDOK|$IDCANCEL|$IDC_BTN_DRIVERS|$IDC_BTN_COMMANDS|$IDC_BTN_TESTPROG|$IDC_PANEL_TEXT|-1) 0 "; }
wait_for "starts with both groups hidden, every other control shown, and the welcome text" at_rest
check "from the disc, it shows no box" no_box
[ "$mode" = win98 ] && unicode="0 ANSI" || unicode="1 Unicode"
check "its window is ${unicode#* }, as its family needs" has "^unicode ${unicode% *}$"
# In 宋体, with its own line metrics (12 px a line at 96 dpi), its client area is Windows'.
client_is() { [ "$(awk '$1 == "client" { print $4 - $2 "x" ($5 - $3) }' <<<"$S")" = "$1" ]; }
wait_for "its client area is 624 x 467, as on Windows in 宋体" client_is 624x467
shot start
# The rows of the open popup menu 4 px in from each side that are nine
# tenths a separator's shadow (the line stops short of the frame); then its
# bottom edge: the last item, under 30 px high, just above it.
separator_last() {
    local st
    st=$(state)
    { awk '$1 == "colours" { print $4 }' <<<"$st"; crop $(awk '$1 == "popup" { print $2 + 4, $3, $4 - 4, $5 }' <<<"$st"); } |
        awk 'NR == 1 { s = $1; next } NR == 2 { w = $1; h = $2; next } $1 "," $2 "," $3 == s { n[int((NR - 3) / w)]++ }
             END { for (y = 0; y < h; y++) if (n[y] * 10 > w * 9) r[k++] = y; exit !(k > 1 && r[k - 1] - r[k - 2] < 30) }'
}
p post 0x112 0xF100 0x20  # SC_KEYMENU, space: the system menu
awaits "the system menu ends with a separator and one item" separator_last
xdotool key Up Return
about_open() { has "^box 关于MENURIX\|" && has "^menu .* 0$"; }
wait_for "the system menu's last item opens the About box, modal" about_open
answer 1
finish Escape xdotool key Escape
