#!/bin/sh
# Runs a Windows program under Wine in a private prefix of the build tree.
#   wine-run.sh PROGRAM.exe [ARGS...]   run it (ctest's cross-compiling emulator)
#   wine-run.sh --fresh                  make the prefix anew, then exit
# WINE_VERSION_MODE   the prefix's Windows version (default winxp): win98 and
#                     winxp for the two families, or any other Wine knows
# WINE_PREFIX_ROOT    where the prefixes live (default: ./wineprefix)
# WINE_ARCH           win64 for a 64-bit prefix (Debian's wine64 needed),
#                     where the 32-bit menu runs under WoW64; else win32
# Without $DISPLAY an Xvfb server with a small window manager is started
# for the run (display.sh).
set -eu

mode=${WINE_VERSION_MODE:-winxp}
case $mode in win95|win98|winme|nt40|win2k|winxp|win2003|vista|win7|win8|win81|win10) ;;
    *) echo "wine-run.sh: unknown version mode $mode" >&2; exit 2 ;; esac
root=${WINE_PREFIX_ROOT:-$PWD/wineprefix}
mkdir -p "$root"
export WINEPREFIX="$root/$mode${WINE_ARCH:+-$WINE_ARCH}"
# Beside wine64, a prefix made without WINEARCH is a 64-bit one: win98 and
# winxp are 32-bit Windows. Debian's wine and wineboot start the 32-bit
# loader whenever it is installed, even where the kernel cannot run it;
# cmake/wine64 names the 64-bit one.
export WINEARCH=${WINE_ARCH:-win32}
if [ -n "${WINE_ARCH:-}" ]; then
    PATH="$(cd "$(dirname "$0")" && pwd)/wine64:$PATH"
fi
export WINEDEBUG="${WINEDEBUG:--all}"
# No Mono or Gecko installer, and no menu entries in the user's desktop.
export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8

fresh=0
if [ "${1:-}" = "--fresh" ]; then fresh=1; shift; fi

make_prefix() {
    wineserver -k 2>/dev/null || true
    rm -rf "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1
    # The version is case-sensitive; a wrong one silently means Windows 10.
    # Wine has no 宋体: without a replacement it draws the dialogs' font in
    # a Hei face with a taller line, and the menu comes out a third taller
    # than on Windows. SetupMenu Song is AR PL UMing's glyphs, a Song face
    # with 宋体's advances, with 宋体's own line metrics (song-font.py),
    # made once beside the prefixes.
    local song="$root/setupmenu-song.ttf"
    if [ ! -s "$song" ]; then
        /usr/bin/python3 "$(dirname "$0")/song-font.py" "$song.$$" && mv "$song.$$" "$song" || {
            echo "wine-run.sh: could not make $song (python3-fonttools, fonts-arphic-uming)" >&2; exit 1; }
    fi
    cp "$song" "$WINEPREFIX/drive_c/windows/Fonts/"
    # One import (a version-5 file is UTF-16) instead of a process a value.
    local reg="$WINEPREFIX/setupmenu.reg" face
    { printf 'Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Software\\Wine]\r\n"Version"="%s"\r\n' "$mode"
      printf '\r\n[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n'
      for face in 宋体 SimSun 新宋体 NSimSun; do printf '"%s"="SetupMenu Song"\r\n' "$face"; done
    } | iconv -f UTF-8 -t UTF-16 >"$reg"
    wine regedit /S "Z:$(echo "$reg" | tr / '\\')" >/dev/null 2>&1
    rm -f "$reg"
    # The services wineboot started linger for seconds; stopping the server
    # now writes the registry out just the same.
    wineserver -k 2>/dev/null || true
    wineserver -w
    grep -q "\"Version\"=\"$mode\"" "$WINEPREFIX/user.reg" || {
        echo "wine-run.sh: could not set version $mode in $WINEPREFIX" >&2; exit 1; }
    # 宋体 as user.reg writes it.
    grep -q '^"\\x5b8b\\x4f53"="SetupMenu Song"' "$WINEPREFIX/user.reg" || {
        echo "wine-run.sh: could not register the 宋体 replacement in $WINEPREFIX" >&2; exit 1; }
    touch "$WINEPREFIX/.ready"
}

# One maker at a time: ctest may start several tests at once.
exec 9>"$WINEPREFIX.lock"
flock 9
if [ $fresh = 1 ] || [ ! -f "$WINEPREFIX/.ready" ]; then make_prefix; fi
flock -u 9
[ $fresh = 1 ] && exit 0

if [ -z "${DISPLAY:-}" ]; then
    . "$(dirname "$0")/display.sh"
    start_display
    trap 'kill $display_pids 2>/dev/null || true' EXIT INT TERM
fi

set +e
wine "$@"
rc=$?
exit $rc
