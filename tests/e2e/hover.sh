#!/usr/bin/env bash
# Hovering: each category shows its group and text, each link its three looks (plain, hovered,
# pressed) and the hand; a repaint without an erase keeps the look; leaving keeps the group; a
# click on a category, the keyboard unused, draws no focus cue, and opens nothing (counted once
# the menu has ended, as every start is).
. "$(dirname "$0")/lib.sh"
xdotool mousemove 1020 760
start_menu
plain1002=$(pixels $IDC_BTN_DRIVERS)
same_hovered() { pixels_are "$1" "$before" && hovered "$1"; }
for c in "$IDC_BTN_DRIVERS drivers drivers" "$IDC_BTN_COMMANDS commands commands" "$IDC_BTN_TESTPROG none testprog" \
         "$IDOK none website"; do
    set -- $c
    hover "$1"
    wait_for "hovering $1 shows the $2 group and its text" shows_group "$2" "$1"
    awaits "$1 is drawn hovered: raised frame, blue underlined text, centred" hovered "$1"
    check "the pointer over $1 is the hand" is_hand
    shot "hover-$3"
    if [ "$1" = $IDC_BTN_DRIVERS ]; then
        before=$(pixels "$1"); repaint "$1"
        awaits "repainted without an erase, $1 keeps its hovered look" same_hovered "$1"
        xdotool mousedown 1
        awaits "pressed, $1 is drawn sunken" frame_is "$1" "shadow shadow hi hi"
        empty_space; xdotool mouseup 1  # released outside: no click
    fi
    empty_space
    awaits "leaving $1 draws it plain" plain "$1"
    check "the pointer away from $1 is not the hand" not is_hand
    wait_for "leaving $1 keeps its group and text" shows_group "$2" "$1"
done
click $IDC_BTN_COMMANDS; click $IDC_BTN_DRIVERS
# The look a click leaves under the pointer waits on the hover timer's next
# tick (a release ends the hover, a tick still due brings it back): away from it.
empty_space
awaits "and, the keyboard unused, draws no focus cue on it" pixels_are $IDC_BTN_DRIVERS "$plain1002"
# Tab takes the capture from a pressed button, and the release goes elsewhere.
hover $IDC_BTN_COMMANDS; xdotool mousedown 1; empty_space; xdotool key Tab; xdotool mouseup 1
awaits "pressed, moved off, Tab, released: $IDC_BTN_COMMANDS is drawn plain" plain $IDC_BTN_COMMANDS
hover $IDC_BTN_COMMANDS
awaits "and hovers again" hovered $IDC_BTN_COMMANDS
empty_space
awaits "and lets go again" plain $IDC_BTN_COMMANDS
hover $IDC_BTN_DRIVERS; hover $IDCANCEL
awaits "the exit button is drawn hovered" hovered $IDCANCEL
wait_for "and changes neither the group nor the text" shows_group drivers $IDC_BTN_DRIVERS
finish "The exit button" click $IDCANCEL
