#!/usr/bin/env bash
# What the end-to-end scripts of one MODE share, under OUT/base: the probe and the dialog manager's
# stand-in beside it (dlgmgr.dll), a fresh prefix of that Windows
# with the printui.dll stand-in and the shell's associations a real Windows has; the disc, from
# CD_ISO's Joliet tree as Windows reads it, read-only, with PLANTED beside the menu. As root it runs
# as E2E_USER (default menuuser) from a copy under /tmp named in OUT/stage.path: Wine run as root
# writes over read-only files. WINE_ARCH=win64: a 64-bit prefix (MENU_BITS=64: a 64-bit menu).
#   setup.sh MODE OUT PROBE_EXE CD_ISO PRINTUI_DIR PLANTED...   (PRINTUI_DIR: x86/ and x64/printui.dll)
#   setup.sh --clean MODE OUT
set -u
if [ "$1" = --clean ]; then
    stage=$(cat "$3/stage.path" 2>/dev/null) && rm -rf "${stage:?}" "$3/stage.path"
    exit 0
fi
mode=$1 out=$2 probe=$(realpath "$3") iso=$(realpath "$4") printui=$(realpath "$5")
shift 5
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/../.." && pwd)
[ "${MENU_BITS:-32}" != 32 ] || wine --version >/dev/null 2>&1 ||
    { echo "skipped: this machine cannot run Wine's 32-bit loader ($(wine --version 2>&1 | tail -1))"; exit 77; }
if [ "$(id -u)" = 0 ] && [ "${E2E_STAGED:-}" != 1 ]; then
    user=${E2E_USER:-menuuser}
    id "$user" >/dev/null 2>&1 || { echo "no user $user: run tools/install-deps.sh"; exit 1; }
    mkdir -p "$out" && { "$0" --clean "$mode" "$out"; true; }
    stage=$(mktemp -d /tmp/setupmenu-e2e.XXXXXX)
    mkdir -p "$stage/tests/e2e" "$stage/cmake" "$stage/res" "$stage/planted"
    cp "$here"/*.sh "$stage/tests/e2e/" && cp "$here/../texts.tsv" "$stage/tests/" && cp "$top/res/resource.h" "$stage/res/"
    cp -R "$top/cmake/display.sh" "$top/cmake/wine-run.sh" "$top/cmake/song-font.py" "$top/cmake/wine64" "$stage/cmake/"
    cp "$probe" "$(dirname "$probe")/dlgmgr.dll" "$iso" "$stage/" && cp -R "$printui" "$stage/printui" && cp "$@" "$stage/planted/"
    chown -R "$user" "$stage"
    echo "$stage" >"$out/stage.path"
    runuser -u "$user" -- env E2E_STAGED=1 "$stage/tests/e2e/setup.sh" "$mode" "$stage/out" "$stage/$(basename "$probe")" \
        "$stage/$(basename "$iso")" "$stage/printui" "$stage"/planted/*
    exit
fi
[ -z "${WINE_ARCH:-}" ] || PATH=$top/cmake/wine64:$PATH
base=$out/base
chmod -R u+w "$base" 2>/dev/null; rm -rf "$base"; mkdir -p "$base"
cp "$probe" "$base/probe.exe" && cp "$(dirname "$probe")/dlgmgr.dll" "$base/"
export WINE_VERSION_MODE=$mode WINE_PREFIX_ROOT=$base/prefixes
"$top/cmake/wine-run.sh" --fresh || { echo "cannot make the $mode prefix"; exit 1; }
mv "$base/prefixes/$mode${WINE_ARCH:+-$WINE_ARCH}" "$base/prefix" && rm -rf "$base/prefixes"
export WINEPREFIX=$base/prefix WINEDLLOVERRIDES="mscoree,mshtml=" WINEDEBUG=-all LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
# In a 64-bit prefix System32 is the 64-bit folder, and SysWOW64 the 32-bit one.
windows=$WINEPREFIX/drive_c/windows
if [ -d "$windows/syswow64" ]; then
    cp "$printui/x64/printui.dll" "$windows/system32/" && { [ ! -f "$printui/x86/printui.dll" ] || cp "$printui/x86/printui.dll" "$windows/syswow64/"; }
    echo x64 >"$base/arch"
else
    cp "$printui/x86/printui.dll" "$windows/system32/" && echo x86 >"$base/arch"
fi || { echo "cannot put the printui stand-ins in the prefix"; exit 1; }
# Web addresses go to a recorder, documents to WordPad, text to Notepad: a
# fresh prefix has no .doc or .txt association, which every real Windows has.
printf '#!/bin/sh\necho "$1" >>"$VELTA_BROWSER_LOG"\n' >"$base/browser.sh" && chmod +x "$base/browser.sh"
reg() { wine reg "$@" >/dev/null 2>&1; }
reg add 'HKCU\Software\Wine\WineBrowser' /v Browsers /d "$base/browser.sh" /f
reg add 'HKCR\.txt' /ve /d txtfile /f && reg add 'HKCR\.doc' /ve /d VeltaSample.Doc /f
reg add 'HKCR\VeltaSample.Doc\shell\open\command' /ve /d '"C:\Program Files\Windows NT\Accessories\wordpad.exe" "%1"' /f
wineserver -k; wineserver -w
# In a folder with a Chinese name, as a copy of the disc on a hard disk may
# be: the menu finds its own folder from its path in code page 936.
cd=$base/光盘副本
xorriso -report_about WARNING -read_fs norock -osirrox on -indev "$iso" -extract / "$cd" 2>/dev/null \
    || { echo "cannot extract $iso"; exit 1; }
chmod u+w "$cd" && cp "$@" "$cd/" && chmod a-w "$cd" "$cd"/*.DLL "$cd"/*.DRV "$cd/rundll32.exe"
[ ! -w "$cd/Driver/WIN98/ESC模式/Tm300s.drv" ] || { echo "the CD's files are writable"; exit 1; }
echo "e2e $mode: laid out in $base"
