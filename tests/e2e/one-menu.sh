#!/usr/bin/env bash
# One menu at a time: a second start, with the menu open, minimised or
# behind another program, brings it to the front, restored, and ends.
. "$(dirname "$0")/lib.sh"
start_menu
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
finish Alt+F4 xdotool key alt+F4
