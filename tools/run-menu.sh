#!/usr/bin/env bash
# Builds SetupMenu.exe and opens its menu under Wine, with the current
# directory at the root of the sample CD (build/win/cd), as Windows starts
# it from the disc.
#   tools/run-menu.sh [--family 9x|nt] [--screenshot FILE]
# With $DISPLAY set, the menu opens there and the script returns when it is
# closed. Without one, it runs under Xvfb, writes a screenshot (default
# build/menu.png) and closes the menu.
set -eu
cd "$(dirname "$0")/.."
top=$PWD

family=nt
shot=$top/build/menu.png
while [ $# -gt 0 ]; do
    case $1 in
        --family) family=$2; shift 2 ;;
        --screenshot) shot=$2; shift 2 ;;
        *) echo "usage: $0 [--family 9x|nt] [--screenshot FILE]" >&2; exit 2 ;;
    esac
done
case $family in 9x) mode=win98 ;; nt) mode=winxp ;; *) echo "family: 9x or nt" >&2; exit 2 ;; esac

cmake --preset win >/dev/null
cmake --build --preset win >/dev/null
cd=$top/build/win/cd  # the sample CD tree the build lays out

export WINE_VERSION_MODE=$mode WINE_PREFIX_ROOT=$top/build/run-prefix
cd "$cd"
if [ -n "${DISPLAY:-}" ]; then
    exec "$top/cmake/wine-run.sh" SetupMenu.exe
fi

# No display: our own, a screenshot, then close the menu.
. "$top/cmake/display.sh"
start_display
trap 'kill $display_pids 2>/dev/null || true' EXIT
"$top/cmake/wine-run.sh" SetupMenu.exe &
menu=$!
win=
for _ in $(seq 300); do
    win=$(xdotool search --name 'VELTA' 2>/dev/null | head -1) && [ -n "$win" ] && break
    sleep 0.1
done
if [ -z "$win" ]; then echo "the menu did not open" >&2; exit 1; fi
sleep 1  # let it paint
import -window root "$shot"
echo "menu ($family) screenshot: $shot"
xdotool key --window "$win" Escape 2>/dev/null || true
for _ in $(seq 50); do kill -0 $menu 2>/dev/null || break; sleep 0.1; done
WINEPREFIX=$WINE_PREFIX_ROOT/$mode wineserver -k 2>/dev/null || true
