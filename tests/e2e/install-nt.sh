#!/usr/bin/env bash
# The NT family's installs: the standard driver's printer-install command,
# through the system's own rundll32, as the stand-in printui of the
# prefix's architecture records it (the 64-bit one in a 64-bit prefix); a
# click while it runs starts nothing, and the menu hovers and repaints
# meanwhile; the emulation installers after their prompts.
. "$(dirname "$0")/lib.sh"
start_menu
hover $IDC_BTN_DRIVERS
wait_for "hovering $IDC_BTN_DRIVERS shows the driver group" group_is drivers
: >"$hold"
click $IDC_DRV_STANDARD
awaits "the standard driver runs the $arch printui, hidden, in the disc's root, with the design's switches" printui_ran
check "with the system's rundll32.exe, not the one beside the menu" not ran rundll32.exe
click $IDC_DRV_STANDARD
# A second start would have come by now: the first took longer.
second_start() { [ "$(printui_runs)" -gt 1 ]; }
check "a click while it runs starts nothing" not until_ok 5 second_start
wait_for "and shows nothing" no_box
hover $IDC_BTN_COMMANDS
hovers_meanwhile() { hovered $IDC_BTN_COMMANDS && S=$(state) && panel_is panel.$IDC_BTN_COMMANDS; }
awaits "meanwhile the menu hovers" hovers_meanwhile
before=$(pixels $IDC_BTN_COMMANDS); repaint $IDC_BTN_COMMANDS
repainted() { pixels_are $IDC_BTN_COMMANDS "$before" && hovered $IDC_BTN_COMMANDS; }
awaits "and repaints" repainted
rm "$hold"
awaits "let go, the command ends" grep -qx "printui $arch ended" "$log/printui$run.log"
hover $IDC_BTN_DRIVERS; click $IDC_DRV_STANDARD
ran_twice() { [ "$(printui_runs)" = 2 ]; }
awaits "a click after it has ended runs it again" ran_twice
sleep 1
wait_for "and shows no box" no_box
shot install-nt
for answer in 7 6; do
    click $IDC_DRV_EPSONEMU
    wait_for -t 15 "the EPSON emulation asks (TM-U210)" box_is "$(text promptcaption)" "$(text prompt.epsonnt)"
    answer $answer
    sleep 1
    [ $answer != 7 ] || check "No starts nothing" not ran ATM_301bE.exe
done
awaits "Yes starts the NT EPSON installer" ran ATM_301bE.exe
click $IDC_DRV_STAREMU
wait_for -t 15 "the STAR emulation asks" box_is "$(text promptcaption)" "$(text prompt.starnt)"
answer 6
awaits "Yes starts the STAR installer" ran linemode_2k-xp.exe
wait_for "no box is left open" no_box
xdotool key Escape
ended "Escape"
finish
