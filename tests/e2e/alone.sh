#!/usr/bin/env bash
# Started alone, as Explorer runs it from inside a ZIP (that one file, extracted to a folder of its
# own): first a box that says to extract every file, then the menu as always, its web-site link
# working. Started from the disc, it shows none (startup.sh).
. "$(dirname "$0")/lib.sh"
alone=$log/Temp1_VT480QX.zip
mkdir "$alone" && cp "$cd/SetupMenu.exe" "$alone/" || { echo "cannot copy the menu alone"; exit 1; }
launch "" "$alone" "$alone"
first_box() { box_is SetupMenu "$(text alone)" && not has "^menu "; }
wait_for -t 30 "alone, it first says to extract every file, before any menu" first_box
import -window root "$log/alone-box.png"  # the box alone on the screen
p answer 1 >/dev/null
wait_for -t 20 "answered, the menu opens, in front" has "^menus 1 0 1$"
wait_for "at rest, as always, with no other box" eval 'group_is none && panel_is welcome && no_box'
xdotool key Return
awaits "Enter opens the web site" grep -qxF "$(text web)" "$log/browser.log"
starts=browser=1
finish Escape xdotool key Escape
