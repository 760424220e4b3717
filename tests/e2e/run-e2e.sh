#!/usr/bin/env bash
# End to end: the real SetupMenu.exe, started from a disc as a user meets
# it: the files of a CD image (a maker's disc, signed, as it ships),
# read-only, with the current directory at their root, run by an ordinary user (not root), under Wine, Xvfb and
# openbox, driven with real pointer and key events (xdotool) and read back
# with probe.exe, the X cursor and screenshots. DLLs named like the
# system's SHELL32.DLL and WINSPOOL.DRV lie beside the menu, and Wine
# prefers them to its own; so does a rundll32.exe. As Windows 98, one run
# starts the menu from another folder. The prefix's printui.dll is a
# stand-in (tests/e2e/printui.cpp) that records which one ran.
#   run-e2e.sh MODE OUT PROBE_EXE CD_ISO PRINTUI_DIR PLANTED...
# MODE: win98 or winxp, or win10 (with WINE_ARCH=win64): the 32-bit menu's
# printer-install command on 64-bit Windows. PRINTUI_DIR: x86/ and x64/
# printui.dll.
# Leaves OUT/*.png, OUT/probe.log and OUT/wine*.log; prints one line a check.
# Run as root, it runs itself as the user E2E_USER (default menuuser, made
# by tools/install-deps.sh) from a copy of what it needs under /tmp.
# WINE_ARCH=win64: 64-bit prefixes; with MENU_BITS=64, for the menu built
# as a 64-bit program.
# Where this machine cannot run 32-bit programs (a kernel without ia32
# emulation), the 32-bit run says so and is skipped (exit 77).
set -u
mode=$1 out=$2 probe=$(realpath "$3") iso=$(realpath "$4") printui=$(realpath "$5")
shift 5
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/../.." && pwd)

if [ "${MENU_BITS:-32}" = 32 ] && ! wine --version >/dev/null 2>&1; then
    echo "skipped: this machine cannot run Wine's 32-bit loader ($(wine --version 2>&1 | tail -1)); the 64-bit build's run (build/win64) stands in"
    exit 77
fi
[ -z "${WINE_ARCH:-}" ] || PATH=$top/cmake/wine64:$PATH
if [ "$(id -u)" = 0 ]; then
    user=${E2E_USER:-menuuser}
    id "$user" >/dev/null 2>&1 || { echo "no user $user: run tools/install-deps.sh"; exit 1; }
    stage=$(mktemp -d /tmp/setupmenu-e2e.XXXXXX)
    mkdir -p "$stage/tests/e2e" "$stage/cmake/wine64" "$stage/planted"
    cp "$here/run-e2e.sh" "$stage/tests/e2e/"
    cp "$here/../texts.tsv" "$stage/tests/"
    cp "$top/cmake/display.sh" "$top/cmake/wine-run.sh" "$stage/cmake/"
    cp -P "$top"/cmake/wine64/* "$stage/cmake/wine64/"
    cp "$probe" "$stage/probe.exe"
    cp "$iso" "$stage/cd.iso"
    cp -R "$printui" "$stage/printui"
    cp "$@" "$stage/planted/"
    chown -R "$user" "$stage"
    runuser -u "$user" -- "$stage/tests/e2e/run-e2e.sh" "$mode" "$stage/out" \
        "$stage/probe.exe" "$stage/cd.iso" "$stage/printui" "$stage"/planted/*
    rc=$?
    rm -rf "$out"
    mkdir -p "$out"
    find "$stage/out" -maxdepth 1 -type f -exec cp {} "$out/" \;
    rm -rf "$stage"
    exit $rc
fi
texts=$here/../texts.tsv

chmod -R u+w "$out" 2>/dev/null; rm -rf "$out"
mkdir -p "$out"
export WINE_VERSION_MODE=$mode WINE_PREFIX_ROOT=$out/prefix
"$top/cmake/wine-run.sh" --fresh || { echo "cannot make the $mode prefix"; exit 1; }
export WINEPREFIX=$WINE_PREFIX_ROOT/$mode${WINE_ARCH:+-$WINE_ARCH} WINEDLLOVERRIDES="mscoree,mshtml="
export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
# The printui stand-ins in place of Wine's: in a 64-bit prefix System32 is
# the 64-bit folder, and SysWOW64 the 32-bit one.
windows=$WINEPREFIX/drive_c/windows
if [ -d "$windows/syswow64" ]; then
    cp "$printui/x64/printui.dll" "$windows/system32/" && { [ ! -f "$printui/x86/printui.dll" ] || cp "$printui/x86/printui.dll" "$windows/syswow64/"; }
    arch=x64
else
    cp "$printui/x86/printui.dll" "$windows/system32/"
    arch=x86
fi || { echo "cannot put the printui stand-ins in the prefix"; exit 1; }

# The disc: the image's files through its Joliet tree, as Windows reads
# them, with the modes the image gives them (no write bits), and the
# planted DLLs beside the menu.
# In a folder with a Chinese name, as a copy of the disc on a hard disk may
# be: the menu's own folder is found from its path in code page 936.
cd=$out/光盘副本
xorriso -report_about WARNING -read_fs norock -osirrox on -indev "$iso" -extract / "$cd" 2>/dev/null \
    || { echo "cannot extract $iso"; exit 1; }
chmod u+w "$cd" && cp "$@" "$cd/" && chmod a-w "$cd" "$cd"/*.DLL "$cd"/*.DRV "$cd/rundll32.exe"
[ ! -w "$cd/Driver/WIN98/ESC模式/Tm300s.drv" ] || { echo "the CD's files are writable"; exit 1; }

# The display first: the prefix's first process starts Wine's desktop
# process, which needs it.
. "$top/cmake/display.sh"
start_display
cleanup() { wineserver -k 2>/dev/null; kill $display_pids 2>/dev/null || true; }
trap cleanup EXIT

# What the shell opens: web addresses go to a recorder, documents to
# WordPad, text to Notepad. A fresh prefix has no .doc or .txt association,
# which every real Windows has.
printf '#!/bin/sh\necho "$1" >>"%s"\n' "$out/browser.log" >"$out/browser.sh" && chmod +x "$out/browser.sh"
reg() { WINEDEBUG=-all wine reg "$@" >/dev/null 2>&1; }
reg add 'HKCU\Software\Wine\WineBrowser' /v Browsers /d "$out/browser.sh" /f
reg add 'HKCR\.txt' /ve /d txtfile /f
reg add 'HKCR\.doc' /ve /d VeltaSample.Doc /f
reg add 'HKCR\VeltaSample.Doc\shell\open\command' /ve /d '"C:\Program Files\Windows NT\Accessories\wordpad.exe" "%1"' /f

passed=0 failed=0
ok() { passed=$((passed + 1)); echo "ok - $*"; }
bad() { failed=$((failed + 1)); echo "not ok - $*"; shot "failed-$passed-$failed"
    kill -0 "${menu:-0}" 2>/dev/null || echo "# the menu's process has ended"; }
check() { if eval "$2" >/dev/null 2>&1; then ok "$1"; else bad "$1"; fi; }
# until COMMAND [SECONDS]: polls COMMAND until it succeeds.
until_ok() {
    local end=$((SECONDS + ${2:-10}))
    until eval "$1" >/dev/null 2>&1; do [ $SECONDS -gt $end ] && return 1; sleep 0.2; done
}
# The menu's window, frame and caption included.
menu_geo() { state | awk '$1 == "menu" { printf "%dx%d+%d+%d", $5 - $3, $6 - $4, $3, $4 }'; }
shot() { import -window root -crop "$(menu_geo)" +repage "$out/$1.png" 2>/dev/null; }
# A probe that Wine could not start is tried again (up to three times), and logged.
p() {
    local try r
    for try in 1 2 3; do r=$(WINEDEBUG=-all wine "$probe" "$@" 2>>"$out/probe.err") && break; echo "probe $* exited $? (try $try)" >>"$out/probe.err"; done
    [ -z "$r" ] || printf '%s\n' "$r" | tr -d '\r'
}
state() { p state | tee -a "$out/probe.log"; echo "----" >>"$out/probe.log"; }
# wait_for DESCRIPTION TEST [SECONDS]: polls the state, into $S, until TEST holds.
wait_for() {
    if until_ok 'S=$(state) && '"$2" "${3:-10}"; then ok "$1"; else bad "$1"; return 1; fi
}
has() { grep -qE "$1" <<<"$S"; }
# A text of the table as the probe shows it (newlines as \n).
text() { awk -F '\t' -v k="$1" '$1 == k { print $2 }' "$texts"; }
panel_is() { grep -qxF "panel $(text "$1")" <<<"$S"; }
box_is() { grep -qxF "box $1|$2" <<<"$S"; }
group_shown() {  # drivers | commands | none
    awk '$1 == "ctl" && $3 == 1 { if ($2 ~ /^100[089]$/) c++; if ($2 ~ /^101[5-8]$/) d++ }
         END { s = c + 0 "/" d + 0; print s == "3/0" ? "commands" : s == "0/4" ? "drivers" : s == "0/0" ? "none" : "mixed " s }' <<<"$S"
}
# crop L T R B: that part of the screen as drawn, its width and height, then R G B a pixel a line.
crop() { echo $(($3 - $1)) $(($4 - $2)); import -window root -crop "$(($3 - $1))x$(($4 - $2))+$1+$2" -depth 8 rgb:- | od -An -v -tu1 -w3; }
# grab ID [INSET [STATE]]: the control, less INSET pixels at each edge.
grab() { crop $(awk -v id="$1" -v i="${2:-0}" '$1 == "ctl" && $2 == id { print $4 + i, $5 + i, $6 - i, $7 - i }' <<<"${3:-$(state)}"); }
pixels() { grab "$1" | md5sum; }
# rules: "rules Y...": the rows, from the top, of the open popup menu that are a separator's
# shadow line, nine tenths of it 4 px in from each side.
rules() {
    local st
    st=$(state)
    { awk '$1 == "colours" { print $4 }' <<<"$st"; crop $(awk '$1 == "popup" { print $2 + 4, $3, $4 - 4, $5 }' <<<"$st"); } |
        awk 'NR == 1 { s = $1; next } NR == 2 { w = $1; h = $2; next } $1 "," $2 "," $3 == s { n[int((NR - 3) / w)]++ }
             END { printf "rules"; for (y = 0; y < h; y++) if (n[y] * 10 > w * 9) printf " %d", y; print "" }'
}
# look ID: "TOP LEFT RIGHT BOTTOM BLUE RUN DX DY" as drawn: the middle pixel of each edge
# (face, hi, shadow or text when a button colour), its pure-blue pixels, their longest run
# along a row, and how far right and down of centre they lie (twice the offset).
# hovered: a raised frame, blue text, centred, underlined.
look() {
    local st
    st=$(state)
    { awk '$1 == "colours" { print }' <<<"$st"; grab "$1" 0 "$st"; } | awk '
        NR == 1 { split("face hi shadow text", n); for (i = 5; i > 1; i--) name[$i] = n[i - 1]; next }
        NR == 2 { w = $1; h = $2; l = t = 9999; next }
        { i = NR - 3; x = i % w; y = int(i / w); c = $1 "," $2 "," $3; run = x && c == last ? run + 1 : 1; last = c
          if (c == "0,0,255") { b++; best = run > best ? run : best; l = x < l ? x : l; r = x + 1; t = y < t ? y : t; btm = y + 1 }
          if (x == int(w / 2) && (y == 0 || y == h - 1) || y == int(h / 2) && (x == 0 || x == w - 1))
              e[y == 0 ? 1 : y == h - 1 ? 4 : x == 0 ? 2 : 3] = c in name ? name[c] : c }
        END { print e[1], e[2], e[3], e[4], b + 0, best + 0, b ? l - (w - r) : 0, b ? t - (h - btm) : 0 }'
}
hovered() {
    look "$1" | awk '$1 $2 $3 $4 == "hihishadowshadow" && $5 > 30 && $6 >= 24 && $7 * $7 <= 9 && $8 * $8 <= 16 { f = 1 }
                     END { exit !f }'
}
plain() { look "$1" | awk '$1 $2 $3 $4 == "facefacefaceface" && $5 == 0 { f = 1 } END { exit !f }'; }
# The X pointer's shape: "W H XHOT YHOT"; the hand is 32 x 32 with its hot spot at (6, 0).
pointer() {
    /usr/bin/python3 -c 'from Xlib import display
d = display.Display(); d.xfixes_query_version(); c = d.xfixes_get_cursor_image(d.screen().root)
print(c.width, c.height, c.xhot, c.yhot)'
}
centre() { state | awk -v id="$1" '$1 == "ctl" && $2 == id { printf "%d %d\n", ($4 + $6) / 2, ($5 + $7) / 2 }'; }
# Moving to where the pointer is sends nothing: the second, small move does.
move() { xdotool mousemove "$1" "$2"; sleep 0.05; xdotool mousemove $(($1 + 1)) "$2"; }
hover() { move $(centre "$1"); }
click() { hover "$1"; xdotool click 1; }
# Right of the panel, half-way down: no control there.
empty_space() { move $(state | awk '$1 == "menu" { printf "%d %d\n", $5 - 15, ($4 + $6) / 2 }'); }
answer() { p answer "$1" >/dev/null; }
# contrast ID: "RATIO R G B", the WCAG contrast, times 100, of its commonest colour inside its
# frame, that colour, against the next commonest (its label's).
contrast() {
    grab "$1" 2 | sed 1d | sort | uniq -c | sort -rn | head -2 | awk '
        function l(c) { c /= 255; return c <= 0.04045 ? c / 12.92 : exp(2.4 * log((c + 0.055) / 1.055)) }
        { y[NR] = 0.2126 * l($2) + 0.7152 * l($3) + 0.0722 * l($4) + 0.05; if (NR == 1) rgb = $2 " " $3 " " $4 }
        END { printf "%d %s\n", 100 * (y[1] > y[2] ? y[1] / y[2] : y[2] / y[1]), rgb }'
}
# tab_to ID KEY [DESCRIPTION]: KEY (Tab, shift+Tab) until the focus is on ID, nine presses at most.
tab_to() {
    local i=0
    until has "^focus $1$" || [ $((i += 1)) -gt 9 ]; do xdotool key "$2"; sleep 0.2; S=$(state); done
    [ -z "${3:-}" ] || check "$3" "has '^focus $1\$'"
}
# A repaint with no erase, as Windows 2000 and later send when Alt shows the
# keyboard cues: Wine's button repaints itself so on WM_ENABLE.
repaint() { p send "$1" 0x000A 1 >/dev/null; }
# The stand-ins record their full path, one log a run.
ran() { grep -qF "\\$1 ran" "$out/standin$run.log" 2>/dev/null; }
# awaits DESCRIPTION COMMAND: 20 s, which a program's first start in a prefix can take.
awaits() { until_ok "$2" 20 && ok "$1" || bad "$1"; }

# The printer-install command as the stand-in printui of this prefix's own
# architecture was given it: hidden, in the disc's root, with the design's
# switches, ESC模式 intact (texts.tsv doubles its backslashes). It holds the
# command open while $hold exists.
hold=$out/printui.hold
export VELTA_PRINTUI_HOLD="Z:$hold"
printui_line="printui $arch ran in Z:$(tr / '\\' <<<"$cd") show 0: $(text printui | sed 's/^.*PrintUIEntry //; s/\\\\/\\/g')"
printui_ran() { grep -qxF "$printui_line" "$out/printui$run.log"; }
printui_runs() { grep -c " ran in " "$out/printui$run.log"; }

export VELTA_STANDIN_NOUI=1
run=0
# start_menu [TRACE-CHANNELS [FOLDER [DISC]]]: from the disc's root, as
# autorun starts it, or from another folder; the disc, or a copy of it.
start_menu() {
    run=$((run + 1))
    export VELTA_STANDIN_LOG="Z:$out/standin$run.log" VELTA_PRINTUI_LOG="Z:$out/printui$run.log"
    ( cd "${2:-$cd}" && WINEDLLOVERRIDES="mscoree,mshtml=;shell32,winspool.drv=n,b;printui=n" WINEDEBUG="-all${1:-}" \
        exec wine "${3:-$cd}/SetupMenu.exe" ) >"$out/wine$run.log" 2>&1 &
    menu=$!
    wait_for "the menu opens (run $run)" 'has "^menu"' 30 || { echo "e2e $mode: the menu did not open"; exit 1; }
    # Shown is not yet drawn: wait until two looks 0.3 s apart agree.
    local last= now
    for _ in $(seq 20); do now=$(import -window root -crop "$(menu_geo)" rgb:- 2>/dev/null | md5sum)
        [ "$now" != "$last" ] && last=$now && sleep 0.3 || break; done
}
ended() { awaits "$1 ends the menu" '! kill -0 $menu'; }  # ended HOW

# The standard driver on the NT family: the command of an earlier click
# still running, a click starts nothing, and the menu answers meanwhile.
standard_driver_nt() {
    : >"$hold"
    click 1015
    awaits "the standard driver runs the $arch printui, hidden, in the disc's root, with the design's switches" printui_ran
    check "with the system's rundll32.exe, not the one beside the menu" '! ran rundll32.exe'
    click 1015
    # A second start would have come by now: the first took longer.
    check "a click while it runs starts nothing" '! until_ok "[ \$(printui_runs) -gt 1 ]" 5'
    wait_for "and shows nothing" '! has "^box"'
    hover 1003
    awaits "meanwhile the menu hovers" 'hovered 1003 && S=$(state) && panel_is panel.1003'
    before=$(pixels 1003); repaint 1003
    awaits "and repaints" '[ "$(pixels 1003)" = "$before" ] && hovered 1003'
    rm "$hold"
    awaits "let go, the command ends" 'grep -qx "printui $arch ended" "$out/printui$run.log"'
    hover 1002; click 1015
    awaits "a click after it has ended runs it again" '[ "$(printui_runs)" = 2 ]'
    sleep 1
    wait_for "and shows no box" '! has "^box"'
}

# ---- start-up ----
start_menu
wait_for "starts with both groups hidden, every other control shown, and the welcome text" \
    '[ "$(group_shown)" = none ] && panel_is welcome && ! has "^ctl (1|2|1002|1003|1005|1007|-1) 0 "'
# Windows 95, 98 and ME fail most W functions: there the menu must be ANSI.
check "its window is $([ $mode = win98 ] && echo ANSI || echo Unicode), as its family needs" \
    "has '^unicode $([ $mode = win98 ] && echo 0 || echo 1)\$'"
if [ "$mode" = win10 ]; then
    hover 1002
    wait_for "hovering 1002 shows the driver group" '[ "$(group_shown)" = drivers ]'
    standard_driver_nt
    xdotool key Escape
    ended "Escape"
    echo "e2e $mode: $passed passed, $failed failed"
    [ $failed -eq 0 ]
    exit
fi
# 630 x 530 with a Song face for 宋体, as on Windows; 647 high with Wine's Hei fallback.
wait_for "the menu is drawn in a Song face (under 560 px high)" 'awk "\$1 == \"menu\" { h = \$6 - \$4 } END { exit !(h > 400 && h < 560) }" <<<"$S"'
shot start
texts936=$(grep '^text ' <<<"$S")
plain1002=$(pixels 1002) plain2=$(pixels 2)
# Focus starts on the web-site link, and no button is the default.
xdotool key Return
wait_for "Enter opens the web site, and the menu stays as it was" \
    'grep -qxF "$(text web)" "$out/browser.log" && [ "$(group_shown)" = none ] && panel_is welcome'

# ---- categories, looks and the pointer ----
for c in "1002 drivers drivers" "1003 commands commands" "1005 none testprog" "1 none website"; do
    set -- $c
    hover "$1"
    wait_for "hovering $1 shows the $2 group and its text" "[ \"\$(group_shown)\" = $2 ] && panel_is panel.$1"
    awaits "$1 is drawn hovered: raised frame, blue underlined text, centred" "hovered $1"
    check "the pointer over $1 is the hand" '[ "$(pointer)" = "32 32 6 0" ]'
    [ "$1" != 1002 ] || { before=$(pixels 1002); repaint 1002
        awaits "repainted without an erase, 1002 keeps its hovered look" '[ "$(pixels 1002)" = "$before" ] && hovered 1002'; }
    shot "hover-$3"
    if [ "$1" = 1002 ]; then
        xdotool mousedown 1
        awaits "pressed, 1002 is drawn sunken" '[ "$(look 1002 | cut -d" " -f1-4)" = "shadow shadow hi hi" ]'
        empty_space; xdotool mouseup 1  # released outside: no click
    fi
    empty_space
    awaits "leaving $1 draws it plain" "plain $1"
    check "the pointer away from $1 is not the hand" '[ "$(pointer)" != "32 32 6 0" ]'
    wait_for "leaving $1 keeps its group and text" "[ \"\$(group_shown)\" = $2 ] && panel_is panel.$1"
done
click 1003; click 1002
sleep 1
wait_for "clicking a category opens nothing" '! has "^(box|window)" && [ ! -e "$out/standin$run.log" ] && [ "$(wc -l <"$out/browser.log")" = 1 ]'
# The look a click leaves under the pointer waits on the hover timer's next
# tick (a release ends the hover, a tick still due brings it back): away from it.
empty_space
awaits "and, the keyboard unused, draws no focus cue on it" '[ "$(pixels 1002)" = "$plain1002" ]'
# Tab takes the capture from a pressed button, and the release goes
# elsewhere. After the pictures, and after the click that must show no
# focus cue: from this Tab on, the focused link shows one.
hover 1003; xdotool mousedown 1; empty_space; xdotool key Tab; xdotool mouseup 1
awaits "pressed, moved off, Tab, released: 1003 is drawn plain" "plain 1003"
hover 1003
awaits "and hovers again" "hovered 1003"
empty_space
awaits "and lets go again" "plain 1003"
hover 1002
hover 2
awaits "the exit button is drawn hovered" "hovered 2"
wait_for "and changes neither the group nor the text" '[ "$(group_shown)" = drivers ] && panel_is panel.1002'

# ---- the About box, from the system menu's last item ----
p post 0x112 0xF100 0x20  # SC_KEYMENU, space: the system menu
# Its separator lines, then its bottom edge: the last item has one just above it.
awaits "the system menu ends with a separator and one item" "rules | awk '{ exit !(NF > 2 && \$NF - \$(NF - 1) < 30) }'"
xdotool key Up Return
wait_for "the system menu's last item opens the About box, modal" 'has "^box 关于MENURIX\|" && has "^menu .* 0$"'
answer 1
wait_for "its OK closes it" '! has "^box" && has "^menu .* 1$"'

# ---- launchers ----
# The read-me in Notepad, the documents in WordPad.
for d in "1002 1017 Readme" "1003 1000 VTtm" "1003 1008 EPSON" "1003 1009 STAR"; do
    set -- $d
    hover "$1"; click "$2"
    wait_for "$2 opens $3" "has '^window .*$3'" 15
    p close "$3" >/dev/null
    sleep 0.5
done

# ---- driver installs ----
hover 1002
printers='HKLM\System\CurrentControlSet\Control\Print\Printers'
if [ "$mode" = win98 ]; then
    spool=$WINEPREFIX/drive_c/windows/system32/spool/drivers/win40
    mkdir -p "$spool/Tm300s.drv"  # a folder in the copy's way
    click 1015
    wait_for "a failed copy is told in the application's box" "box_is SetupMenu '$(text copyfailed)'" 15
    answer 1
    check "and adds no printer" "! reg query '$printers\\VELTA VT-480QX'"
    rmdir "$spool/Tm300s.drv"
    # Twice each, the copy seen after every install as the next one meets
    # it. The ESC copy lands first on a read-only one left by an earlier
    # install, the STAR copy in an empty place: Wine keeps the mode of a
    # file it writes over, so only there does a read-only source show.
    echo old >"$spool/Tm300s.drv" && chmod a-w "$spool/Tm300s.drv"
    # A Unidrv.dll of the system's own, which the install keeps.
    echo "the system's own" >"$spool/Unidrv.dll"
    esc=$cd/Driver/WIN98/ESC模式
    for round in first second; do
        for f in 1015:ESC模式/Tm300s.drv 1018:STAR模式/Sp500.drv; do
            b=${f%%:*} f=${f#*:}
            click $b
            wait_for "$b installs, $round time" "box_is '$(text installcaption)' '$(text installed)'" 15
            [ $round$b = first1015 ] && shot install-win98
            [ $round$b = first1015 ] && check "and beside it, from the disc, every file it depends on that the folder lacked, writable" \
                'for dep in TMPROCES.dll Iconlib.dll Unidrv.hlp Tmctrla.ini; do [ -w "$spool/$dep" ] && cmp -s "$spool/$dep" "$esc/$dep" || exit 1; done' &&
                check "and the folder's own Unidrv.dll as it was" '[ "$(cat "$spool/Unidrv.dll")" = "the system'"'"'s own" ]'
            answer 1
            wait_for "the box closes" '! has "^box"'
            check "and leaves ${f#*/} in the spooler's folder, whole and writable" \
                "[ -w '$spool/${f#*/}' ] && cmp -s '$spool/${f#*/}' '$cd/Driver/WIN98/$f'"
        done
    done
    for pr in "VELTA VT-480QX|EPSON TM-U210B Partial cut" "VELTA VT-480QX(STAR)|Star SP542 (NF_Fcut)"; do
        WINEDEBUG=-all wine reg query "$printers\\${pr%|*}" 2>/dev/null | tr -d '\r' >"$out/printer.txt"
        check "the spooler knows ${pr%|*} on LPT1: with ${pr#*|}" \
            "grep -qxF '    Port    REG_SZ    LPT1:' '$out/printer.txt' && grep -qxF '    Printer Driver    REG_SZ    ${pr#*|}' '$out/printer.txt'"
    done
    click 1016
    wait_for "the EPSON emulation asks (TM-U210B)" "box_is '$(text promptcaption)' '$(text prompt.epson9x)'" 15
    answer 6
    awaits "Yes starts the 9x EPSON installer" 'ran Adt210e.exe'
else
    standard_driver_nt
    shot install-winxp
    for answer in 7 6; do
        click 1016
        wait_for "the EPSON emulation asks (TM-U210)" "box_is '$(text promptcaption)' '$(text prompt.epsonnt)'" 15
        answer $answer
        sleep 1
        if [ $answer = 7 ]; then check "No starts nothing" '! ran ATM_301bE.exe'; fi
    done
    awaits "Yes starts the NT EPSON installer" 'ran ATM_301bE.exe'
    click 1018
    wait_for "the STAR emulation asks" "box_is '$(text promptcaption)' '$(text prompt.starnt)'" 15
    answer 6
    awaits "Yes starts the STAR installer" 'ran linemode_2k-xp.exe'
fi

wait_for "no box is left open" '! has "^box"'
xdotool key Escape
ended "Escape"

# ---- the keyboard alone, the pointer away from the menu ----
start_menu
xdotool mousemove 1020 760
wait_for "the pointer away from the menu, the focus starts on the web-site link" \
    'has "^focus 1$" && awk "\$1 == \"menu\" { exit !(\$5 < 1020 || \$6 < 760) }" <<<"$S"'
tab_to 2 Tab "Tab reaches 退 出"
awaits "which shows the focus" '[ "$(pixels 2)" != "$plain2" ]'
cue2=$(pixels 2); repaint 2
awaits "and keeps it through a repaint without an erase" '[ "$(pixels 2)" = "$cue2" ]'
tab_to 1002 Tab "Tab reaches 安装驱动程序"
awaits "which shows the focus" '[ "$(pixels 1002)" != "$plain1002" ]'
repaint 2
awaits "退 出, left and repainted without an erase, looks as before the keyboard" '[ "$(pixels 2)" = "$plain2" ]'
xdotool key space
wait_for "Space on it shows its text and the four driver buttons" '[ "$(group_shown)" = drivers ] && panel_is panel.1002'
tab_to 1015 Tab "Tab then reaches 常规驱动程序"
awaits "and 安装驱动程序, left, looks as before the keyboard" '[ "$(pixels 1002)" = "$plain1002" ]'
xdotool key space
if [ "$mode" = win98 ]; then
    wait_for "Space on it installs" "box_is '$(text installcaption)' '$(text installed)'" 15
    xdotool key Return
    wait_for "Enter closes the box" '! has "^box" && has "^focus 1015$"'
else
    awaits "Space on it starts the printer-install command" printui_ran
fi
tab_to 1003 shift+Tab
xdotool key space
wait_for "Space on 打印机控制指令 swaps in the three document buttons" '[ "$(group_shown)" = commands ] && panel_is panel.1003'
tab_to 1005 Tab
xdotool key space
awaits "Space on the test-program link starts it" 'ran news.exe'

# ---- one menu at a time ----
second() {  # a second start from the disc; it must end by itself
    ( cd "$cd" && WINEDEBUG=-all exec wine "$cd/SetupMenu.exe" ) >>"$out/second.log" 2>&1 &
    local pid=$!
    awaits "$1: a second start ends by itself" '! kill -0 $pid'
    wait_for "and one menu remains, restored and in front" 'has "^menus 1 0 1$"'
}
second "with a menu open"
p post 0x112 0xF020 0  # SC_MINIMIZE
wait_for "the menu minimised" 'has "^menus 1 1 "'
second "with it minimised"
# Another program in front of the menu.
( WINEDEBUG=-all exec wine notepad ) >/dev/null 2>&1 & other=$!
wait_for "another program's window comes in front of the menu" 'has "^menus 1 0 0$"' 20
second "with another program in front of it"
kill $other
# Alt+F4 goes to the window the window manager has active: not before it has
# gone back to the menu.
wait_for "that program gone, the menu is in front again" '! has "^window .*记事本" && has "^menus 1 0 1$"'
xdotool key alt+F4
ended "Alt+F4"

# ---- the hover font: made once a button, from the dialog's, heavy and underlined;
# ---- a hover repaints its own button, not the dialog
start_menu ",+font,+message"
for _ in 1 2; do
    for id in 1002 1003 1005 1 2; do hover $id; until_ok "hovered $id" 5; done
done
face='L"\5b8b\4f53"'  # 宋体, as Wine's font trace writes it
check "five hover fonts for ten hovers, each 宋体 underlined" \
    '[ "$(grep -acF "NtGdiHfontCreate (-12 0 0 0 0 0 0 2 1) $face Bold  Underline" "$out/wine$run.log")" = 5 ]'
check "drawn at weight 900" 'grep -aqF "font_SelectFont $face, h=-12, it=0, weight=900" "$out/wine$run.log"'
# The legal line's paints (版权所有 as Wine's message trace writes it): its first only.
legal_paints() { grep -aF "[000f] WM_PAINT dispatched" "$out/wine$run.log" | grep -acF '\7248\6743\6240\6709 (C) VELTA'; }
check "ten hovers leave the legal line unpainted (painted $(legal_paints) times)" '[ "$(legal_paints)" -le 2 ]'
click 2
ended "The exit button"

# ---- closing the window ----
# As Windows 98 the menu is first started from another folder, where the
# driver install would otherwise look for the disc's files. (Wine's
# ShellExecute looks in the menu's own folder first, so what the menu opens
# cannot tell where it was started from; nor can anything as XP.)
if [ "$mode" = win98 ]; then
    # A copy of the disc that lacks Tmctrla.ini, which the driver folder lacks too.
    short=$out/缺文件的光盘
    cp -a "$cd" "$short" && chmod u+w "$short/Driver/WIN98/ESC模式" && rm "$short/Driver/WIN98/ESC模式/Tmctrla.ini" &&
        chmod a-w "$short/Driver/WIN98/ESC模式" && rm -f "$spool/Tmctrla.ini"
    start_menu "" "$out" "$short"
    hover 1002
    click 1015
    wait_for "with Tmctrla.ini on neither side, the standard driver fails, with the driver-failure box" \
        "box_is '$(text errorcaption)' '$(text driverfailed)'" 15
    answer 1
    check "and Tmctrla.ini is not in the driver folder" "[ ! -e '$spool/Tmctrla.ini' ]"
    cp "$esc/Tmctrla.ini" "$spool/"
    click 1015
    wait_for "with it in the driver folder, and started from another folder, the standard driver installs from the disc" \
        "box_is '$(text installcaption)' '$(text installed)'" 15
    answer 1
    p post 0x112 0xF100 0x20
    sleep 0.5
    xdotool key c  # 关闭(&C)
    ended "Close on the system menu"
fi

# ---- English as the language for non-Unicode programs (code page 1252) ----
# Wine takes a process's ANSI code page from its locale. On the NT family
# what the menu shows, opens and looks for does not depend on it.
# same_picture NAME: the client area as drawn now, against NAME.png's (the
# caption bar, which Wine letters per language, left out).
same_picture() {
    local geo
    geo=$(state | awk '$1 == "menu" { l = $3; t = $4 }
        $1 == "client" { printf "%dx%d+%d+%d %dx%d+%d+%d", $4 - $2, $5 - $3, $2, $3, $4 - $2, $5 - $3, $2 - l, $3 - t }')
    import -window root -crop "${geo%% *}" +repage "$out/1252-$1.png" &&
        convert "$out/$1.png" -crop "${geo#* }" +repage "$out/936-$1.png" &&
        [ "$(compare -metric AE "$out/1252-$1.png" "$out/936-$1.png" null: 2>&1)" = 0 ]
}
if [ "$mode" = winxp ]; then
    export LANG=en_US.UTF-8 LC_ALL=en_US.UTF-8
    xdotool mousemove 1020 760  # off the menu, as at the first start
    start_menu
    check "in code page 1252, found by its caption, every control's text is the 936 run's" \
        '[ "$(grep "^text " <<<"$S")" = "$texts936" ] && panel_is welcome'
    awaits "and it looks as in 936 at start-up" "same_picture start"
    for c in "1002 drivers" "1003 commands" "1005 testprog" "1 website"; do
        set -- $c; hover "$1"
        wait_for "hovering $1 shows its text and looks as in 936" "panel_is panel.$1 && hovered $1 && same_picture hover-$2"
    done
    hover 1002; click 1016
    wait_for "a prompt's caption and text are the design's" "box_is '$(text promptcaption)' '$(text prompt.epsonnt)'" 15
    answer 7; click 1015
    awaits "the printer-install command reaches printui with ESC模式 intact" printui_ran
    second "in code page 1252"
    xdotool key Escape; ended "Escape"
    export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
fi

# ---- High Contrast Black: every hovered label readable on its face ----
# Wine never reports the flag, and reads the colours when its server starts.
reg add 'HKCU\Control Panel\Accessibility\HighContrast' /v Flags /d 1 /f
for c in "ButtonFace 0 0 0" "ButtonText 255 255 255" "ButtonHilight 255 255 255" "ButtonShadow 128 128 128" \
         "Window 0 0 0" "WindowText 255 255 255" "GrayText 0 255 0"; do
    reg add 'HKCU\Control Panel\Colors' /v "${c%% *}" /d "${c#* }" /f
done
wineserver -k; wineserver -w
start_menu
for id in 1002 1003 1005 1; do
    hover $id
    # Its frame drawn, then its most common colour, the dark face, against the next, its label's.
    until_ok '[ "$(look $id | cut -d" " -f1-4)" = "hi hi shadow shadow" ]' 5
    c=$(contrast $id)
    check "hovered in High Contrast Black, $id reads at 4.5:1 or more (${c%% *})" \
        'awk "\$1 >= 450 && \$2 + \$3 + \$4 < 30 { f = 1 } END { exit !f }" <<<"$c"'
done
move $(state | awk '$1 == "menu" { print $5 - 14, $4 + 10 }')  # the caption's close button
xdotool click 1
ended "The caption's close button"

check "no run loaded a planted DLL" '! cat "$out"/standin*.log | grep -q " loaded"'
echo "e2e $mode: $passed passed, $failed failed"
[ $failed -eq 0 ]
