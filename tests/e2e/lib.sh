# Sourced by each end-to-end script:  SCRIPT.sh MODE OUT  (win98, winxp, or win10, a 64-bit prefix).
# The real SetupMenu.exe from the read-only disc setup.sh laid out under OUT, as an ordinary user
# (as root, it reruns itself as E2E_USER from setup.sh's copy), in its own prefix and Xvfb, driven
# with xdotool, read back with probe.exe; a line a check; pictures and logs in OUT/SCRIPT/.
set -u
mode=$1 out=$2 behaviour=$(basename "$0" .sh)
top=$(cd "$(dirname "$0")/../.." && pwd)
[ "${MENU_BITS:-32}" != 32 ] || wine --version >/dev/null 2>&1 ||
    { echo "skipped: this machine cannot run Wine's 32-bit loader; the 64-bit build's runs (build/win64) stand in"; exit 77; }
if [ "$(id -u)" = 0 ]; then
    stage=$(cat "$out/stage.path") || { echo "no $out/stage.path: run setup.sh first"; exit 1; }
    runuser -u "${E2E_USER:-menuuser}" -- "$stage/tests/e2e/$behaviour.sh" "$mode" "$stage/out"; rc=$?
    rm -rf "${out:?}/$behaviour" && cp -R "$stage/out/$behaviour" "$out/"; exit $rc
fi
[ -z "${WINE_ARCH:-}" ] || PATH=$top/cmake/wine64:$PATH
base=$out/base cd=$out/base/光盘副本 log=$out/$behaviour
arch=$(cat "$base/arch")
chmod -R u+w "$log" 2>/dev/null; rm -rf "$log"; mkdir -p "$log"
export WINEPREFIX=$log/prefix WINEDLLOVERRIDES="mscoree,mshtml=" WINEDEBUG=-all LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
# Its own prefix: the programs and libraries, most of its gigabyte, linked, since nothing writes them
# in place; the spooler's folder, which installs write, and every other file copied (win.ini is rewritten).
cp -al "$base/prefix" "$WINEPREFIX" && ( cd "$base/prefix" && find . -type f \( -path '*/spool/*' -o \
    ! -iregex '.*\.\(dll\|exe\|drv\|sys\|ocx\|acm\|cpl\|ax\|tlb\|ds\|tsp\|msstyles\|ttf\|ttc\|fon\|nls\)' \) \
    -exec cp -p --parents --remove-destination -t "$WINEPREFIX" {} + ) || { echo "cannot copy the $mode prefix"; exit 1; }
. "$top/cmake/display.sh" && start_display "$log/openbox.log" || { echo "e2e $mode $behaviour: no display"; exit 1; }
# The prefix's server gone before the prefix: a prefix made next may reuse its inode, by which Wine finds a server.
trap 'wineserver -k 2>/dev/null; timeout 20 wineserver -w; kill $display_pids 2>/dev/null; rm -rf "$WINEPREFIX"' EXIT

# Controls by their identifiers (IDC_BTN_DRIVERS=1002, ...), as resource.h has them.
eval "$(awk '$1 == "#define" && $2 ~ /^ID[A-Z]_/ && $3 ~ /^[0-9]+$/ { print $2 "=" $3 }' "$top/res/resource.h")"
IDOK=1 IDCANCEL=2
DRIVER_GROUP="$IDC_DRV_STANDARD $IDC_DRV_EPSONEMU $IDC_DRV_README $IDC_DRV_STAREMU"
COMMAND_GROUP="$IDC_DOC_OWNCMDS $IDC_DOC_EPSONCMDS $IDC_DOC_STARCMDS"

passed=0 failed=0
ok() { passed=$((passed + 1)); echo "ok - $behaviour: $*"; }
# What of Wine's log a failure prints: its last lines.
wine_log() { tail -n 3 "$1"; }
# A failure says, for a log that keeps only its lines, what box was open and what Wine said.
bad() { failed=$((failed + 1)); echo "not ok - $behaviour: $*"; shot "failed-$passed-$failed"
    kill -0 "${menu:-0}" 2>/dev/null || echo "# the menu's process has ended"
    kill -0 ${display_pids#* } 2>/dev/null || echo "# the window manager has ended: $(tail -1 "$log/openbox.log")"
    state | grep '^box' | sed 's/^/# /'; wine_log "$log/wine$run.log" 2>/dev/null | sed 's/^/# wine: /'; }
not() { ! "$@"; }
# until_ok SECONDS COMMAND...: polls COMMAND until it succeeds.
until_ok() { local end=$((SECONDS + $1)); shift
    until "$@" >/dev/null 2>&1; do [ $SECONDS -gt $end ] && return 1; sleep 0.2; done; }
tally() { if until_ok "$@"; then ok "$what"; else bad "$what"; return 1; fi; }
check() { local what=$1; shift; tally -1 "$@"; }  # check DESCRIPTION COMMAND...: COMMAND holds now
# awaits DESCRIPTION COMMAND...: within 20 s, which a program's first start in a prefix can take.
awaits() { local what=$1; shift; tally 20 "$@"; }
# wait_for [-t SECONDS] DESCRIPTION COMMAND...: polls the menu's state, into $S, until COMMAND holds.
wait_for() { local t=10 what; [ "$1" != -t ] || { t=$2; shift 2; }; what=$1; shift; tally "$t" with_state "$@"; }
with_state() { S=$(state) && "$@"; }
gone() { ! kill -0 "$1" 2>/dev/null; }
ended() { awaits "$1 ends the menu" gone "$menu"; }  # ended HOW
# What the menu started, once all has ended: "PROGRAM=N ..." sorted, each stand-in, printui and the browser.
started() { { LC_ALL=C sed -n 's/.*\\\(.*\) ran\r\?$/\1/p' "$log"/standin*.log; grep -h " ran in " "$log"/printui*.log | cut -d' ' -f1
              sed 's/.*/browser/' "$log/browser.log"; } 2>/dev/null | sort | uniq -c | awk '{ printf "%s%s=%s", (NR > 1 ? " " : ""), $2, $1 }'; }
# finish HOW COMMAND...: COMMAND ends the menu, as HOW says; then, once every program of the prefix has
# ended, what it started is counted: $starts ("" for nothing), each exactly. Then the tally.
finish() { "${@:2}"; ended "$1"
    check "every program it started ends" timeout 30 wineserver -w
    check "it started ${starts:-nothing}, once each" [ "$(started)" = "${starts:-}" ]
    check "no planted DLL was loaded" not grep -qs " loaded" "$log"/standin*.log
    echo "e2e $mode $behaviour: $passed passed, $failed failed"; [ $failed -eq 0 ]; exit; }

# A probe that Wine could not start is tried again (up to three times), and logged.
p() { local try r
    for try in 1 2 3; do r=$(wine "$base/probe.exe" "$@" 2>>"$log/probe.err") && break; echo "probe $* exited $? (try $try)" >>"$log/probe.err"; done
    [ -z "$r" ] || printf '%s\n' "$r" | tr -d '\r'; }
state() { p state | tee -a "$log/probe.log"; echo "----" >>"$log/probe.log"; }
has() { grep -qE "$1" <<<"$S"; }
# A text of the table as the probe shows it (newlines as \n).
text() { awk -F '\t' -v k="$1" '$1 == k { print $2 }' "$top/tests/texts.tsv"; }
panel_is() { grep -qxF "panel $(text "$1")" <<<"$S"; }
box_is() { grep -qxF "box $1|$2" <<<"$S"; }
no_box() { ! has "^box"; }
shown() { awk -v id="$1" '$1 == "ctl" && $2 == id { f = $3 } END { exit f != 1 }' <<<"$S"; }
shows_group() { group_is "$1" && panel_is "panel.$2"; }  # shows_group GROUP ID: its buttons, and ID's text
group_is() {  # drivers | commands | none: which group is shown, all of it, and the other not
    local c=0 d=0 i; for i in $COMMAND_GROUP; do shown "$i" && c=$((c + 1)); done
    for i in $DRIVER_GROUP; do shown "$i" && d=$((d + 1)); done
    case $1 in commands) [ $c/$d = 3/0 ] ;; drivers) [ $c/$d = 0/4 ] ;; none) [ $c/$d = 0/0 ] ;; esac; }
# The menu's window, frame and caption included.
menu_geo() { state | awk '$1 == "menu" { printf "%dx%d+%d+%d", $5 - $3, $6 - $4, $3, $4 }'; }
shot() { import -window root -crop "$(menu_geo)" +repage "$log/$1.png" 2>/dev/null; }
# crop L T R B: that part of the screen as drawn, its width and height, then R G B a pixel a line.
crop() { echo $(($3 - $1)) $(($4 - $2)); import -window root -crop "$(($3 - $1))x$(($4 - $2))+$1+$2" -depth 8 rgb:- | od -An -v -tu1 -w3; }
# grab ID [INSET [STATE]]: the control, less INSET pixels at each edge.
grab() { crop $(awk -v id="$1" -v i="${2:-0}" '$1 == "ctl" && $2 == id { print $4 + i, $5 + i, $6 - i, $7 - i }' <<<"${3:-$(state)}"); }
pixels() { grab "$1" | md5sum; }
pixels_are() { [ "$(pixels "$1")" = "$2" ]; }
# A repaint with no erase, as Windows 2000 and later send when Alt shows the
# keyboard cues: Wine's button repaints itself so on WM_ENABLE.
repaint() { p send "$1" 0x000A 1 >/dev/null; }
# look ID: "TOP LEFT RIGHT BOTTOM BLUE RUN DX DY" as drawn: the middle pixel of each edge
# (face, hi, shadow or text when a button colour), its pure-blue pixels, their longest run
# along a row, and how far right and down of centre they lie (twice the offset).
look() {
    local st; st=$(state)
    { awk '$1 == "colours" { print }' <<<"$st"; grab "$1" 0 "$st"; } | awk '
        NR == 1 { split("face hi shadow text", n); for (i = 5; i > 1; i--) name[$i] = n[i - 1]; next }
        NR == 2 { w = $1; h = $2; l = t = 9999; next }
        { i = NR - 3; x = i % w; y = int(i / w); c = $1 "," $2 "," $3; run = x && c == last ? run + 1 : 1; last = c
          if (c == "0,0,255") { b++; best = run > best ? run : best; l = x < l ? x : l; r = x + 1; t = y < t ? y : t; btm = y + 1 }
          if (x == int(w / 2) && (y == 0 || y == h - 1) || y == int(h / 2) && (x == 0 || x == w - 1))
              e[y == 0 ? 1 : y == h - 1 ? 4 : x == 0 ? 2 : 3] = c in name ? name[c] : c }
        END { print e[1], e[2], e[3], e[4], b + 0, best + 0, b ? l - (w - r) : 0, b ? t - (h - btm) : 0 }'
}
frame_is() { [ "$(look "$1" | cut -d' ' -f1-4)" = "$2" ]; }
# Hovered: a raised frame and blue text, centred. Over 30 blue pixels and a
# run of 24: the underline under the shortest label (退 出, two characters
# of 12 px); within 3 px across and 4 px down of centre, twice the offset,
# which rounding and the underline below the text allow.
hovered() { look "$1" | awk '$1 $2 $3 $4 == "hihishadowshadow" && $5 > 30 && $6 >= 24 && $7 * $7 <= 9 && $8 * $8 <= 16 { f = 1 }
                             END { exit !f }'; }
plain() { look "$1" | awk '$1 $2 $3 $4 == "facefacefaceface" && $5 == 0 { f = 1 } END { exit !f }'; }
# The X pointer's shape: the hand is 32 x 32 with its hot spot at (6, 0).
is_hand() { [ "$(/usr/bin/python3 -c 'from Xlib import display
d = display.Display(); d.xfixes_query_version(); c = d.xfixes_get_cursor_image(d.screen().root)
print(c.width, c.height, c.xhot, c.yhot)')" = "32 32 6 0" ]; }
centre() { state | awk -v id="$1" '$1 == "ctl" && $2 == id { printf "%d %d\n", ($4 + $6) / 2, ($5 + $7) / 2 }'; }
# Moving to where the pointer is sends nothing: the second, small move does.
move() { xdotool mousemove "$1" "$2"; sleep 0.05; xdotool mousemove $(($1 + 1)) "$2"; }
hover() { move $(centre "$1"); }
click() { hover "$1"; xdotool click 1; }
# Right of the panel, half-way down: no control there.
empty_space() { move $(state | awk '$1 == "menu" { printf "%d %d\n", $5 - 15, ($4 + $6) / 2 }'); }
# answer ID: presses ID in the menu's box, then waits until the box has gone and the menu is
# enabled and in front again: a click sent sooner may land before the window manager gives it
# back, and be lost.
answer() { p answer "$1" >/dev/null; wait_for "answered $1, the box closes and the menu is in front again" back_in_front; }
back_in_front() { no_box && has "^menu .* 1$" && has "^menus 1 0 1$"; }
# tab_to ID KEY: KEY (Tab, shift+Tab) until the focus is on ID, nine presses at most, each awaited.
tab_to() { local i=0 was; S=$(state)
    until has "^focus $1$" || [ $((i += 1)) -gt 9 ]; do was=$(grep '^focus' <<<"$S"); xdotool key "$2"
        until_ok 5 with_state not has "^$was$"; S=$(state); done; has "^focus $1$"; }
# The stand-ins record their full path, one log a start of the menu.
ran() { grep -qF "\\$1 ran" "$log/standin$run.log" 2>/dev/null; }
reg() { wine reg "$@" >/dev/null 2>&1; }

# The printer-install command as this prefix's own printui stand-in got it: hidden, in the disc's
# root, the design's switches, ESC模式 intact (texts.tsv doubles its backslashes); held while $hold is.
hold=$log/printui.hold
export VELTA_PRINTUI_HOLD="Z:$hold" VELTA_STANDIN_NOUI=1
printui_line="printui $arch ran in Z:$(tr / '\\' <<<"$cd") show 0: $(text printui | sed 's/^.*PrintUIEntry //; s/\\\\/\\/g')"
printui_ran() { grep -qxF "$printui_line" "$log/printui$run.log"; }
printui_runs() { grep -c " ran in " "$log/printui$run.log"; }

run=0
# launch [TRACE-CHANNELS [FOLDER [DISC]]]: starts the menu from the disc's root, as autorun
# does, or from another folder; the disc, or a copy of it. start_menu waits until it is drawn.
# With $manager set, under the dialog manager's stand-in (dlgmgr.dll, through the probe), which
# lays the dialog out at a change of scale as Windows does: from the "scaled" rectangles, or the
# "template" in the new font.
launch() {
    run=$((run + 1))
    export VELTA_STANDIN_LOG="Z:$log/standin$run.log" VELTA_PRINTUI_LOG="Z:$log/printui$run.log" VELTA_BROWSER_LOG="$log/browser.log"
    ( cd "${2:-$cd}" && VELTA_DLGMGR_LAYOUT=${manager:-} WINEDLLOVERRIDES="mscoree,mshtml=;shell32,winspool.drv=n,b;printui=n" \
        WINEDEBUG="-all,err+process,err+module${1:-}" \
        exec wine ${manager:+"$base/probe.exe" start "Z:$base/dlgmgr.dll"} "${manager:+Z:}${3:-$cd}/SetupMenu.exe" ) >"$log/wine$run.log" 2>&1 &
    menu=$!
}
start_menu() {
    launch "$@"
    wait_for -t 30 "the menu opens (start $run)" has "^menu" || { echo "e2e $mode $behaviour: the menu did not open"; exit 1; }
    # Shown is not yet drawn: wait until two looks 0.3 s apart agree.
    local last= now
    for _ in $(seq 20); do now=$(import -window root -crop "$(menu_geo)" rgb:- 2>/dev/null | md5sum)
        [ "$now" != "$last" ] && last=$now && sleep 0.3 || break; done
}
second() { ( cd "$cd" && exec wine "$cd/SetupMenu.exe" ) >>"$log/second.log" 2>&1 &  # second WHEN: a start from the disc
    awaits "$1: a second start ends by itself" gone $!
    wait_for "and one menu remains, restored and in front" has "^menus 1 0 1$"; }

# At a scale: whole, every shown text needs no more than its control's width (the probe's "fit"
# lines).
whole() { ! awk '$1 == "fit" && $3 > $4 { print "fit", $2, $3, ">", $4; f = 1 } END { exit !f }' <<<"$S"; }
# The logo's colours: its white, blue and orange.
logo_colours='255 255 255|0 70 190|230 120 0'
# logo_fills SHARP: its static covers its place, 47 x 11 of the dialog's 416 x 311 units, a
# pixel either way; no face shows there. SHARP 1: its three colours alone,
# each pixel twice across and down; 2: its three colours alone; 0: smoothed, with blends of them.
logo_fills() {
    local st l t r b; st=$(state)
    read -r l t r b < <(awk '$1 == "logo" { print $2, $3, $4, $5 }' <<<"$st")
    awk -v w=$((r - l)) -v h=$((b - t)) '$1 == "client" {
            x = w - 47 * ($4 - $2) / 416; y = h - 11 * ($5 - $3) / 311
            exit !(x * x <= 1.5 && y * y <= 1.5) }' <<<"$st" || return 1
    crop "$l" "$t" "$r" "$b" | awk -v sharp="$1" -v known="$logo_colours" '
        NR == 1 { w = $1; next } { c = $1 " " $2 " " $3; i = NR - 2; x = i % w; y = int(i / w); px[x, y] = c; seen[c]++ }
        END { for (c in seen) { n++; if (c !~ "^(" known ")$") other++ }
              if (sharp) { if (other) exit 1; if (sharp == 1) for (k in px) { split(k, xy, SUBSEP)
                  if (px[xy[1] - xy[1] % 2, xy[2] - xy[2] % 2] != px[k]) exit 1 } }
              else if (n <= 3) exit 1 }'
}
