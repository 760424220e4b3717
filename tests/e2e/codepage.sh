#!/usr/bin/env bash
# English as the language for non-Unicode programs (code page 1252, from the locale, as Wine
# takes it): on the NT family the menu's texts and pictures are code page 936's, so is its system
# menu's About item, a prompt and the printer-install command read as designed, and a second
# start finds the open menu.
. "$(dirname "$0")/lib.sh"
looks="$IDC_BTN_DRIVERS:drivers $IDC_BTN_COMMANDS:commands $IDC_BTN_TESTPROG:testprog $IDOK:website"
xdotool mousemove 1020 760  # off the menu, at both starts
start_menu
texts936=$(grep '^text ' <<<"$(state)")
shot start
for c in $looks; do hover "${c%:*}"; until_ok 10 hovered "${c%:*}"; shot "hover-${c#*:}"; done
xdotool key Escape; ended "Escape, in code page 936,"
export LANG=en_US.UTF-8 LC_ALL=en_US.UTF-8
xdotool mousemove 1020 760
start_menu ",+menu"
# Wine's trace writes a character past ASCII as \XXXX.
traced() { /usr/bin/python3 -c 'import sys; print("".join(c if ord(c) < 128 else "\\%04x" % ord(c) for c in sys.argv[1]))' "$1"; }
check "in code page 1252, the system menu's About item is the design's text" \
    grep -aqF "id 0010, str L\"$(traced "$(text about)")\"" "$log/wine$run.log"
# same_picture NAME: the client area as drawn now, against NAME.png's (the
# caption bar, which Wine letters per language, left out).
same_picture() {
    local geo; geo=$(state | awk '$1 == "menu" { l = $3; t = $4 }
        $1 == "client" { printf "%dx%d+%d+%d %dx%d+%d+%d", $4 - $2, $5 - $3, $2, $3, $4 - $2, $5 - $3, $2 - l, $3 - t }')
    import -window root -crop "${geo%% *}" +repage "$log/1252-$1.png" &&
        convert "$log/$1.png" -crop "${geo#* }" +repage "$log/936-$1.png" &&
        [ "$(compare -metric AE "$log/1252-$1.png" "$log/936-$1.png" null: 2>&1)" = 0 ]
}
same_texts() { [ "$(grep "^text " <<<"$S")" = "$texts936" ] && panel_is welcome; }
wait_for "in code page 1252, found by its caption, every control's text is the 936 run's" same_texts
awaits "and it looks as in 936 at start-up" same_picture start
as_in_936() { panel_is "panel.$1" && hovered "$1" && same_picture "hover-$2"; }
for c in $looks; do hover "${c%:*}"
    wait_for "hovering ${c%:*} shows its text and looks as in 936" as_in_936 "${c%:*}" "${c#*:}"; done
hover $IDC_BTN_DRIVERS; click $IDC_DRV_EPSONEMU
wait_for -t 15 "a prompt's caption and text are the design's" box_is "$(text promptcaption)" "$(text prompt.epsonnt)"
answer 7; click $IDC_DRV_STANDARD
awaits "the printer-install command reaches printui with ESC模式 intact" printui_ran
second "in code page 1252"
starts=printui=1
finish Escape xdotool key Escape
