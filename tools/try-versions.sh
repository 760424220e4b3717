#!/usr/bin/env bash
# Tries the sample CD's menu as every Windows version Wine can be, in a
# fresh prefix each, and in a 64-bit one when Debian's wine64 is there:
# does it open, does hovering 安装驱动程序 show the four driver buttons, and
# what does a click on 常规驱动程序 bring up (the spooler's success box as
# Windows 9x; nothing where the printer-install command starts)? One line a
# version. Minutes: each prefix takes seconds to make.
#   tools/try-versions.sh [MODE...]     default: every mode, then win10 in 64 bits
set -u
cd "$(dirname "$0")/.."
top=$PWD
{ cmake --preset win && cmake --build --preset win; } >/dev/null || exit 1
probe=$top/build/win/win-tests/probe.exe
modes=${*:-win95 win98 winme nt40 win2k winxp win2003 vista win7 win8 win81 win10 win10:win64}
tmp=$(mktemp -d)
. "$top/cmake/display.sh"
start_display
trap 'kill $display_pids 2>/dev/null; rm -rf "$tmp"' EXIT
export WINE_PREFIX_ROOT=$tmp LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
p() { "$top/cmake/wine-run.sh" "$probe" "$@" 2>/dev/null | tr -d '\r'; }
point() { p state | awk -v id="$1" '$1 == "ctl" && $2 == id { printf "%d %d", ($4 + $6) / 2, ($5 + $7) / 2 }'; }
for m in $modes; do
    export WINE_VERSION_MODE=${m%%:*} WINE_ARCH=
    case $m in *:win64) WINE_ARCH=win64 ;; esac
    "$top/cmake/wine-run.sh" --fresh >/dev/null 2>&1 || { echo "$m: no prefix (64 bits need Debian's wine64)"; continue; }
    (cd build/win/cd && exec "$top/cmake/wine-run.sh" SetupMenu.exe) >/dev/null 2>&1 &
    for _ in $(seq 100); do p state | grep -q '^menu' && break; sleep 0.2; done
    sleep 0.5
    xdotool mousemove $(point 1002) sleep 0.05 mousemove_relative 1 0 sleep 1
    shown=$(p state | awk '$1 == "ctl" && $2 ~ /^101[5-8]$/ && $3 == 1' | wc -l)
    xdotool mousemove $(point 1015) sleep 0.05 mousemove_relative 1 0 sleep 0.3 click 1 sleep 3
    printf '%-12s menu open: %s, driver buttons shown: %s, after 常规驱动程序: %s\n' "$m" \
        "$(p state | awk '$1 == "menus" { n = $2 } END { print n + 0 }')" "$shown" "$(p state | sed -n 's/^box //p' | head -1 | grep . || echo 'no box')"
    WINEPREFIX=$tmp/$WINE_VERSION_MODE${WINE_ARCH:+-$WINE_ARCH} wineserver -k
done
