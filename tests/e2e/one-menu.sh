#!/usr/bin/env bash
# One menu at a time: a second start, with the menu open, minimised or
# behind another program, brings it to the front, restored, and ends. A
# start just after a menu has ended, its window hidden, its name not yet
# given up, waits for the name and opens a menu.
. "$(dirname "$0")/lib.sh"
start_menu
check "the name a menu holds is the one the probe holds below, as a menu just ended" [ "$(p ending 0)" = held ]
second "with a menu open"
p post 0x112 0xF020 0  # SC_MINIMIZE
wait_for "the menu minimised" has "^menus 1 1 "
second "with it minimised"
( exec wine notepad ) >/dev/null 2>&1 & other=$!
wait_for -t 20 "another program's window comes in front of the menu" has "^menus 1 0 0$"
second "with another program in front of it"
kill $other
# Alt+F4 goes to the window the window manager has active: not before that is the menu again.
in_front_again() { ! has "^window .*记事本" && has "^menus 1 0 1$"; }
wait_for "that program gone, the menu is in front again" in_front_again
xdotool key alt+F4; ended Alt+F4
wine "$base/probe.exe" ending 3000 >"$log/ending.out" 2>>"$log/probe.err" &
awaits "a menu just ended: its window hidden, its name held" grep -q ending "$log/ending.out"
start_menu
wait_for "a start then opens a menu, once the name is free" has "^menus 1 0 1$"
finish Escape xdotool key Escape
