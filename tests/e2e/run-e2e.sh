#!/usr/bin/env bash
# End to end: the real SetupMenu.exe, started from a disc as a user meets
# it: the files of the CD image, read-only, with the current directory at
# their root, run by an ordinary user (not root), under Wine, Xvfb and
# openbox, driven with real pointer and key events (xdotool) and read back
# with probe.exe and screenshots. DLLs named like the system's SHELL32.DLL
# and WINSPOOL.DRV lie beside the menu, and Wine prefers them to its own.
#   run-e2e.sh MODE OUT PROBE_EXE CD_ISO PLANTED_DLL...     MODE: win98 or winxp
# Leaves OUT/*.png, OUT/probe.log and OUT/wine.log; prints one line a check.
# Run as root, it runs itself as the user E2E_USER (default menuuser, made
# by tools/install-deps.sh) from a copy of what it needs under /tmp.
set -u
mode=$1 out=$2 probe=$(realpath "$3") iso=$(realpath "$4")
shift 4
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/../.." && pwd)

if [ "$(id -u)" = 0 ]; then
    user=${E2E_USER:-menuuser}
    id "$user" >/dev/null 2>&1 || { echo "no user $user: run tools/install-deps.sh"; exit 1; }
    stage=$(mktemp -d /tmp/setupmenu-e2e.XXXXXX)
    mkdir -p "$stage/tests/e2e" "$stage/cmake" "$stage/planted"
    cp "$here/run-e2e.sh" "$stage/tests/e2e/"
    cp "$top/cmake/display.sh" "$top/cmake/wine-run.sh" "$stage/cmake/"
    cp "$probe" "$stage/probe.exe"
    cp "$iso" "$stage/cd.iso"
    cp "$@" "$stage/planted/"
    chown -R "$user" "$stage"
    runuser -u "$user" -- "$stage/tests/e2e/run-e2e.sh" "$mode" "$stage/out" \
        "$stage/probe.exe" "$stage/cd.iso" "$stage"/planted/*
    rc=$?
    rm -rf "$out"
    mkdir -p "$out"
    find "$stage/out" -maxdepth 1 -type f -exec cp {} "$out/" \;
    rm -rf "$stage"
    exit $rc
fi

chmod -R u+w "$out" 2>/dev/null; rm -rf "$out"
mkdir -p "$out"
export WINE_VERSION_MODE=$mode WINE_PREFIX_ROOT=$out/prefix
"$top/cmake/wine-run.sh" --fresh || { echo "cannot make the $mode prefix"; exit 1; }
export WINEPREFIX=$WINE_PREFIX_ROOT/$mode WINEDLLOVERRIDES="mscoree,mshtml="
export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8

# The disc: the image's files through its Joliet tree, as Windows reads
# them, with the modes the image gives them (no write bits), and the
# planted DLLs beside the menu.
cd=$out/cd
xorriso -report_about WARNING -read_fs norock -osirrox on -indev "$iso" -extract / "$cd" 2>/dev/null \
    || { echo "cannot extract $iso"; exit 1; }
chmod u+w "$cd" && cp "$@" "$cd/" && chmod a-w "$cd" "$cd"/*.DLL "$cd"/*.DRV
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
cat >"$out/browser.sh" <<EOS
#!/bin/sh
echo "\$1" >>"$out/browser.log"
EOS
chmod +x "$out/browser.sh"
WINEDEBUG=-all wine reg add 'HKCU\Software\Wine\WineBrowser' /v Browsers /d "$out/browser.sh" /f >/dev/null 2>&1
WINEDEBUG=-all wine reg add 'HKCR\.txt' /ve /d txtfile /f >/dev/null 2>&1
WINEDEBUG=-all wine reg add 'HKCR\.doc' /ve /d VeltaSample.Doc /f >/dev/null 2>&1
WINEDEBUG=-all wine reg add 'HKCR\VeltaSample.Doc\shell\open\command' /ve /d '"C:\Program Files\Windows NT\Accessories\wordpad.exe" "%1"' /f >/dev/null 2>&1


passed=0 failed=0
ok() { passed=$((passed + 1)); echo "ok - $*"; }
bad() { failed=$((failed + 1)); echo "not ok - $*"; shot "failed-$passed-$failed"; }
# The menu's window, frame and caption included.
shot() {
    local geom
    geom=$(state | awk '$1 == "menu" { printf "%dx%d+%d+%d", $5 - $3, $6 - $4, $3, $4 }')
    import -window root -crop "${geom:-640x560+0+0}" +repage "$out/$1.png" 2>/dev/null
}

state() { WINEDEBUG=-all wine "$probe" state 2>/dev/null | tr -d '\r' | tee -a "$out/probe.log"; echo "----" >>"$out/probe.log"; }
# wait_for DESCRIPTION TEST-COMMAND [SECONDS]: TEST-COMMAND reads the state from stdin.
wait_for() {
    local what=$1 test=$2 secs=${3:-10} end=$((SECONDS + ${3:-10}))
    while [ $SECONDS -le $end ]; do
        if state | eval "$test" >/dev/null 2>&1; then ok "$what"; return 0; fi
        sleep 0.2
    done
    bad "$what"
    return 1
}
visible() { grep -q "^ctl $1 1 "; }
hidden() { grep -q "^ctl $1 0 "; }
group_shown() {  # drivers | commands | none, from stdin
    local s; s=$(cat)
    local c=0 d=0
    for i in 1000 1008 1009; do echo "$s" | visible $i && c=$((c + 1)); done
    for i in 1015 1017 1016 1018; do echo "$s" | visible $i && d=$((d + 1)); done
    case "$c/$d" in 3/0) echo commands ;; 0/4) echo drivers ;; 0/0) echo none ;; *) echo "mixed $c/$d" ;; esac
}
centre() { state | awk -v id="$1" '$1 == "ctl" && $2 == id { printf "%d %d\n", ($4 + $6) / 2, ($5 + $7) / 2 }'; }
hover() {
    local x y; read -r x y < <(centre "$1")
    xdotool mousemove "$x" "$y"; sleep 0.05; xdotool mousemove $((x + 1)) "$y"
}
click() {
    local x y; read -r x y < <(centre "$1")
    xdotool mousemove "$x" "$y"; sleep 0.05; xdotool mousemove $((x + 1)) "$y" click 1
}
# Right of the panel, half-way down: no control there.
empty_space() {
    local x y; read -r x y < <(state | awk '$1 == "menu" { printf "%d %d\n", $5 - 15, ($4 + $6) / 2 }')
    xdotool mousemove "$x" "$y"; sleep 0.05; xdotool mousemove $((x + 1)) "$y"
}
answer() { WINEDEBUG=-all wine "$probe" answer "$1" >/dev/null 2>&1; }
ran() { grep -q "^$1 ran" "$out/standin.log" 2>/dev/null; }

# ---- start-up ----
export VELTA_STANDIN_LOG="Z:$out/standin.log" VELTA_STANDIN_NOUI=1
# Wine prefers DLLs of these names found beside the exe to its own, as
# Windows itself does.
( cd "$cd" && WINEDLLOVERRIDES="mscoree,mshtml=;shell32,winspool.drv=n,b" WINEDEBUG=-all,+printui \
    exec wine SetupMenu.exe ) >"$out/wine.log" 2>&1 &
menu=$!

wait_for "the menu opens" 'grep -q "^menu"' 30 || { echo "e2e $mode: the menu did not open"; exit 1; }
sleep 0.5
wait_for "starts with both groups hidden" 'grep -q "^ctl 1015 0 " && [ "$(group_shown)" = none ]'
wait_for "starts with the welcome text" 'grep -q "^panel       非常感谢您购买了VT-480QX打印机\\\\n\\\\n本光盘"'
wait_for "every other control is visible" '! grep -E "^ctl (1|2|1002|1003|1005|1007|-1) 0 "'
# 630 x 530 with a Song face for 宋体, as on Windows; 647 high with Wine's Hei fallback.
wait_for "the menu is drawn in a Song face (under 560 px high)" 'awk "\$1 == \"menu\" { h = \$6 - \$4 } END { exit !(h > 400 && h < 560) }"'
shot start

# ---- categories ----
hover 1002
wait_for "install drivers shows the driver group" '[ "$(group_shown)" = drivers ]'
wait_for "install drivers shows its text" 'grep -q "^panel 打印机驱动程序安装\\\\n"'
sleep 0.1; shot hover-drivers
hover 1003
wait_for "printer commands shows the document group" '[ "$(group_shown)" = commands ]'
wait_for "printer commands shows its text" 'grep -q "^panel 打印机常用指令\\\\n"'
sleep 0.1; shot hover-commands
hover 1005
wait_for "the test program hides both groups" 'grep -q "^ctl 1000 0 " && [ "$(group_shown)" = none ]'
wait_for "the test program shows its text" 'grep -q "^panel VT系列打印机测试程序\\\\n"'
sleep 0.1; shot hover-testprog
hover 1
wait_for "the web-site link shows its text" 'grep -q "^panel VELTA电子技术有限公司网站\\\\n"'
sleep 0.1; shot hover-website
hover 2
sleep 0.3
wait_for "the exit button changes nothing" 'grep -q "^panel VELTA电子技术有限公司网站\\\\n"'
hover 1002
wait_for "back to the driver group" '[ "$(group_shown)" = drivers ]'
empty_space
sleep 0.3
wait_for "leaving keeps the driver group" '[ "$(group_shown)" = drivers ]'

# ---- Enter opens the web site ----
xdotool key Return
for _ in $(seq 50); do [ -s "$out/browser.log" ] && break; sleep 0.2; done
if grep -q '^http://' "$out/browser.log" 2>/dev/null; then ok "Enter opens the web site ($(cat "$out/browser.log"))"; else bad "Enter opens the web site"; fi
wait_for "the menu stays open after Enter" 'grep -q "^menu"'

# ---- launchers ----
hover 1002
click 1017
wait_for "the read-me opens in Notepad" 'grep -qi "^window .*Readme"' 15
WINEDEBUG=-all wine "$probe" close Readme >/dev/null 2>&1
hover 1003
for d in "1000 VTtm" "1008 EPSON" "1009 STAR"; do
    set -- $d
    click "$1"
    wait_for "$2.doc opens in WordPad" "grep -qi '^window .*$2'" 15
    WINEDEBUG=-all wine "$probe" close "$2" >/dev/null 2>&1
    sleep 0.5
done
click 1005
for _ in $(seq 50); do ran news.exe && break; sleep 0.2; done
if ran news.exe; then ok "the test button starts the test program"; else bad "the test button starts the test program"; fi

# ---- driver installs ----
hover 1002
if [ "$mode" = win98 ]; then
    # Twice each: the second copy lands on the first, which came from a
    # read-only disc.
    for round in first second; do
        click 1015
        wait_for "the standard driver installs, $round time" 'grep -q "^box 安装480QX|恭喜,安装480QX打印机成功!"' 15
        [ $round = first ] && shot install-win98
        answer 1
        wait_for "the box closes" '! grep -q "^box"'
        click 1018
        wait_for "the STAR driver installs, $round time" 'grep -q "^box 安装480QX|恭喜,安装480QX打印机成功!"' 15
        answer 1
        wait_for "the box closes" '! grep -q "^box"'
    done
    spool=$WINEPREFIX/drive_c/windows/system32/spool/drivers/win40
    for f in ESC模式/Tm300s.drv STAR模式/Sp500.drv; do
        copy=$spool/${f#*/}
        if [ -w "$copy" ] && cmp -s "$copy" "$cd/Driver/WIN98/$f"; then
            ok "${f#*/} is in the spooler's folder, whole and writable"
        else
            bad "${f#*/} is in the spooler's folder, whole and writable ($(ls -l "$copy" 2>&1))"
        fi
    done
    if WINEDEBUG=-all wine reg query 'HKLM\System\CurrentControlSet\Control\Print\Printers\VELTA VT-480QX(STAR)' >/dev/null 2>&1; then
        ok "the spooler knows VELTA VT-480QX(STAR)"; else bad "the spooler knows VELTA VT-480QX(STAR)"; fi
    click 1016
    wait_for "the EPSON emulation asks (TM-U210B)" 'grep -q "^box 驱动安装|EPSON打印驱动程序\\\\n\\\\n仿真EPSON驱动程序打印，请选择EPSON TM-U210B Receipt"' 15
    answer 6
    for _ in $(seq 50); do ran Adt210e.exe && break; sleep 0.2; done
    if ran Adt210e.exe; then ok "Yes starts the 9x EPSON installer"; else bad "Yes starts the 9x EPSON installer"; fi
else
    click 1015
    for _ in $(seq 50); do grep -q 'PrintUIEntry\|/if' "$out/wine.log" && break; sleep 0.2; done
    if grep -q '/if' "$out/wine.log"; then ok "the standard driver runs the printer-install command"; else bad "the standard driver runs the printer-install command"; fi
    sleep 1
    wait_for "and shows no box" '! grep -q "^box"'
    shot install-winxp
    click 1016
    wait_for "the EPSON emulation asks (TM-U210)" 'grep -q "^box 驱动安装|EPSON打印驱动程序\\\\n\\\\n仿真EPSON驱动程序打印，请选择EPSON TM-U210 Receipt"' 15
    answer 7
    sleep 1
    if ! ran ATM_301bE.exe; then ok "No starts nothing"; else bad "No starts nothing"; fi
    click 1016
    wait_for "the EPSON emulation asks again" 'grep -q "^box 驱动安装|"' 15
    answer 6
    for _ in $(seq 50); do ran ATM_301bE.exe && break; sleep 0.2; done
    if ran ATM_301bE.exe; then ok "Yes starts the NT EPSON installer"; else bad "Yes starts the NT EPSON installer"; fi
    click 1018
    wait_for "the STAR emulation asks" 'grep -q "^box 驱动安装|STAR打印驱动程序\\\\n"' 15
    answer 6
    for _ in $(seq 50); do ran linemode_2k-xp.exe && break; sleep 0.2; done
    if ran linemode_2k-xp.exe; then ok "Yes starts the STAR installer"; else bad "Yes starts the STAR installer"; fi
fi

# ---- the planted DLLs ----
if grep -q ' loaded' "$out/standin.log" 2>/dev/null; then
    bad "a planted DLL was loaded: $(grep ' loaded' "$out/standin.log" | tr -d '\r' | paste -sd' ')"
else
    ok "neither planted DLL was loaded"
fi

# ---- Escape ends it ----
wait_for "no box is left open" '! grep -q "^box"'
xdotool key Escape
for _ in $(seq 50); do kill -0 $menu 2>/dev/null || break; sleep 0.2; done
if ! kill -0 $menu 2>/dev/null; then ok "Escape ends the menu"; else bad "Escape ends the menu"; fi

echo "e2e $mode: $passed passed, $failed failed"
[ $failed -eq 0 ]
