#!/usr/bin/env bash
# High Contrast Black: every hovered label readable on its face, at the 4.5:1 WCAG asks of text.
# Wine never reports the flag, and reads the colours as its server starts: they are set before.
. "$(dirname "$0")/lib.sh"
reg add 'HKCU\Control Panel\Accessibility\HighContrast' /v Flags /d 1 /f
for c in "ButtonFace 0 0 0" "ButtonText 255 255 255" "ButtonHilight 255 255 255" "ButtonShadow 128 128 128" \
         "Window 0 0 0" "WindowText 255 255 255" "GrayText 0 255 0"; do
    reg add 'HKCU\Control Panel\Colors' /v "${c%% *}" /d "${c#* }" /f
done
wineserver -k; wineserver -w
start_menu
# contrast ID: "RATIO R G B": inside its frame, its commonest colour (the face) against the next (its label's),
# the WCAG contrast times 100, and that colour.
contrast() {
    grab "$1" 2 | sed 1d | sort | uniq -c | sort -rn | head -2 | awk '
        function l(c) { c /= 255; return c <= 0.04045 ? c / 12.92 : exp(2.4 * log((c + 0.055) / 1.055)) }
        { y[NR] = 0.2126 * l($2) + 0.7152 * l($3) + 0.0722 * l($4) + 0.05; if (NR == 1) rgb = $2 " " $3 " " $4 }
        END { printf "%d %s\n", 100 * (y[1] > y[2] ? y[1] / y[2] : y[2] / y[1]), rgb }'
}
# 4.5:1 or more, on a face that is dark (its R, G and B under 30 in all).
readable() { awk '$1 >= 450 && $2 + $3 + $4 < 30 { f = 1 } END { exit !f }' <<<"$1"; }
for id in $IDC_BTN_DRIVERS $IDC_BTN_COMMANDS $IDC_BTN_TESTPROG $IDOK; do
    hover $id
    awaits "$id is drawn hovered, framed" frame_is $id "hi hi shadow shadow"
    c=$(contrast $id)
    check "hovered in High Contrast Black, $id reads at 4.5:1 or more (${c%% *})" readable "$c"
done
move $(state | awk '$1 == "menu" { print $5 - 14, $4 + 10 }')  # the caption's close button
finish "The caption's close button" xdotool click 1
