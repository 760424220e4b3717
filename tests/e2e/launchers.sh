#!/usr/bin/env bash
# The launchers: Enter on the focused web-site link opens the web site, and
# the menu stays as it was; the read-me opens in Notepad, the documents in
# WordPad.
. "$(dirname "$0")/lib.sh"
start_menu
xdotool key Return
web_opened() { grep -qxF "$(text web)" "$log/browser.log" && group_is none && panel_is welcome; }
wait_for "Enter opens the web site, and the menu stays as it was" web_opened
for d in "$IDC_BTN_DRIVERS $IDC_DRV_README Readme" "$IDC_BTN_COMMANDS $IDC_DOC_OWNCMDS VTtm" \
         "$IDC_BTN_COMMANDS $IDC_DOC_EPSONCMDS EPSON" "$IDC_BTN_COMMANDS $IDC_DOC_STARCMDS STAR"; do
    set -- $d
    hover "$1"; click "$2"
    wait_for -t 15 "$2 opens $3" has "^window .*$3"
    p close "$3" >/dev/null
    wait_for "and closes" not has "^window .*$3"
done
starts=browser=1
finish "The exit button" click $IDCANCEL
