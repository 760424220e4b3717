#!/usr/bin/env bash
# The NT family's installs: the printer-install command through the system's rundll32, as the
# printui stand-in of the prefix's architecture records it (64-bit in a 64-bit prefix); without
# that rundll32, the failure box; a click while it runs starts nothing, and the menu hovers and
# repaints meanwhile; the emulation installers, No starting nothing.
. "$(dirname "$0")/lib.sh"
# Every start the menu asks for, and what it came to (NtCreateUserProcess's status): a failure
# prints all of Wine's log but the window procedures' calls.
reg add 'HKCU\Software\Wine\Debug' /v RelayInclude /d 'KERNEL32.CreateProcessW;ntdll.NtCreateUserProcess' /f
wine_log() { grep -av ':\(Call\|Ret \) *\(window\|dialog\) proc' "$1"; }
start_menu ",+process,+relay"
hover $IDC_BTN_DRIVERS
wait_for "hovering $IDC_BTN_DRIVERS shows the driver group" group_is drivers
# The system's rundll32 (the native one, which Sysnative leads to) taken away: the command cannot start.
rundll32=$WINEPREFIX/drive_c/windows/system32/rundll32.exe
mv "$rundll32" "$log/rundll32.exe"
click $IDC_DRV_STANDARD
wait_for -t 15 "without the system's rundll32, the standard driver shows the failure box" \
    box_is "$(text commandfailedcaption)" "$(text commandfailed)"
answer 1
mv "$log/rundll32.exe" "$rundll32"
: >"$hold"
click $IDC_DRV_STANDARD
awaits "the standard driver runs the $arch printui, hidden, in the disc's root, with the design's switches" printui_ran
check "with the system's rundll32.exe, not the one beside the menu" not ran rundll32.exe
click $IDC_DRV_STANDARD
# A second start would have come by now: the first took longer.
runs() { [ "$(printui_runs)" "$@" ]; }
check "a click while it runs starts nothing" not until_ok 5 runs -gt 1
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
awaits "a click after it has ended runs it again" runs = 2
check "and shows no box" no_box
shot install-nt
click $IDC_DRV_EPSONEMU
wait_for -t 15 "the EPSON emulation asks (TM-U210)" box_is "$(text promptcaption)" "$(text prompt.epsonnt)"
# Started or not by the time the box has gone: the menu's own trace of the programs it starts.
answer 7
check "No starts nothing" not grep -aq "CreateProcessInternalW .*ATM_301bE" "$log/wine$run.log"
click $IDC_DRV_EPSONEMU
wait_for -t 15 "and asks again" box_is "$(text promptcaption)" "$(text prompt.epsonnt)"
answer 6
awaits "Yes starts the NT EPSON installer" ran ATM_301bE.exe
click $IDC_DRV_STAREMU
wait_for -t 15 "the STAR emulation asks" box_is "$(text promptcaption)" "$(text prompt.starnt)"
answer 6
awaits "Yes starts the STAR installer" ran linemode_2k-xp.exe
wait_for "no box is left open" no_box
starts="ATM_301bE.exe=1 linemode_2k-xp.exe=1 printui=2"
finish Escape xdotool key Escape
