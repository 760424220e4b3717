#!/usr/bin/env bash
# The keyboard alone, the pointer away: Tab reaches every link, the focused one shows the focus
# cue (kept through a repaint without an erase, gone when the focus leaves), Space chooses a
# category and presses a button.
. "$(dirname "$0")/lib.sh"
xdotool mousemove 1020 760
start_menu
plain1002=$(pixels $IDC_BTN_DRIVERS) plain2=$(pixels $IDCANCEL)
away() { has "^focus $IDOK$" && awk '$1 == "menu" { exit !($5 < 1020 || $6 < 760) }' <<<"$S"; }
wait_for "the pointer away from the menu, the focus starts on the web-site link" away
check "Tab reaches 退 出" tab_to $IDCANCEL Tab
awaits "which shows the focus" not pixels_are $IDCANCEL "$plain2"
cue2=$(pixels $IDCANCEL); repaint $IDCANCEL
awaits "and keeps it through a repaint without an erase" pixels_are $IDCANCEL "$cue2"
check "Tab reaches 安装驱动程序" tab_to $IDC_BTN_DRIVERS Tab
awaits "which shows the focus" not pixels_are $IDC_BTN_DRIVERS "$plain1002"
repaint $IDCANCEL
awaits "退 出, left and repainted without an erase, looks as before the keyboard" pixels_are $IDCANCEL "$plain2"
xdotool key space
wait_for "Space on it shows its text and the four driver buttons" shows_group drivers $IDC_BTN_DRIVERS
check "Tab then reaches 常规驱动程序" tab_to $IDC_DRV_STANDARD Tab
awaits "and 安装驱动程序, left, looks as before the keyboard" pixels_are $IDC_BTN_DRIVERS "$plain1002"
xdotool key space
closed_on_it() { no_box && has "^focus $IDC_DRV_STANDARD$"; }
if [ "$mode" = win98 ]; then
    wait_for -t 15 "Space on it installs" box_is "$(text installcaption)" "$(text installed)"
    xdotool key Return; wait_for "Enter closes the box" closed_on_it
else awaits "Space on it starts the printer-install command" printui_ran; fi
tab_to $IDC_BTN_COMMANDS shift+Tab; xdotool key space
wait_for "Space on 打印机控制指令 swaps in the three document buttons" shows_group commands $IDC_BTN_COMMANDS
tab_to $IDC_BTN_TESTPROG Tab; xdotool key space
awaits "Space on the test-program link starts it" ran news.exe
[ "$mode" = win98 ] && starts=news.exe=1 || starts="news.exe=1 printui=1"
finish Escape xdotool key Escape
