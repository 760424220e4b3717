#!/usr/bin/env bash
# tools/make-disc.sh on a maker's folder. Complete: the image, read back by
# 7-Zip through its Joliet tree, holds the folder's files byte for byte,
# nothing else but the build's menu and autorun.inf, and the folder is
# untouched. Two files the menu needs missing: both named, a failure, and
# no image, whole or partial.
#   check-disc.sh BUILD_DIR
set -u
build=$(realpath "$1")
top=$(cd "$(dirname "$0")/../.." && pwd)
tmp=$(mktemp -d)
trap 'chmod -R u+w "$tmp"; rm -rf "$tmp"' EXIT
failed=0
check() { if eval "$2" >/dev/null 2>&1; then echo "ok - $1"; else echo "not ok - $1"; failed=1; return 1; fi; }
make_disc() { SETUPMENU_BUILD=$build "$top/tools/make-disc.sh" "$@" >"$tmp/log" 2>&1; }
# Every file with its bytes, mode and time.
listing() { (cd "$1" && find . -printf '%p %m %T@\n' -type f -exec sha256sum {} + | sort); }

# The maker's files: every one the menu names, none like a stand-in;
# binary and empty ones beside the drivers, a deeper folder and a Chinese
# name.
maker=$tmp/maker
"$build/cdcheck" --list | while read -r f; do
    mkdir -p "$maker/$(dirname "$f")" && head -c $((RANDOM + 1)) /dev/urandom >"$maker/$f"
done
head -c 70000 /dev/urandom >"$maker/Driver/WIN98/ESC模式/TMPROCES.dll"
: >"$maker/Driver/WIN98/ESC模式/Tmctrla.ini"
mkdir "$maker/Driver/WIN2000/ESC模式/i386"
head -c 3000 /dev/urandom >"$maker/Driver/WIN2000/ESC模式/i386/TM300S.DLL"
printf '\xcb\xb5\xc3\xf7\r\n' >"$maker/说明.txt"
chmod -R a-w "$maker"
listing "$maker" >"$tmp/before"

make_disc "$maker" "$tmp/out/VT480QX.iso"; rc=$?
check "a complete folder makes an image" '[ $rc = 0 ] && [ -s "$tmp/out/VT480QX.iso" ]' || cat "$tmp/log"
LC_ALL=C.UTF-8 7z x -bd -o"$tmp/x" "$tmp/out/VT480QX.iso" >"$tmp/7z.log" 2>&1
check "7-Zip reads the build's menu and autorun.inf at its root" \
    'cmp "$tmp/x/SetupMenu.exe" "$build/cd/SetupMenu.exe" && cmp "$tmp/x/autorun.inf" "$build/cd/autorun.inf"'
rm -f "$tmp/x/SetupMenu.exe" "$tmp/x/autorun.inf"
check "and every file of the folder byte for byte, nothing more" 'diff -r "$maker" "$tmp/x"'
check "the folder is untouched" 'listing "$maker" | cmp - "$tmp/before"'

short=$tmp/short
cp -R "$maker" "$short" && chmod -R u+w "$short"
rm "$short/Driver/WIN98/STAR模式/Sp500.drv" "$short/Test/news.exe"
make_disc "$short" "$tmp/out2/VT480QX.iso"; rc=$?
check "a folder lacking files the menu needs fails" '[ $rc != 0 ]'
check "naming each of them" 'grep -qx "missing: Driver/WIN98/STAR模式/Sp500.drv" "$tmp/log" &&
    grep -qx "missing: Test/news.exe" "$tmp/log" && [ "$(grep -c missing: "$tmp/log")" = 2 ]' || cat "$tmp/log"
check "and writes no image, whole or partial" '[ ! -e "$tmp/out2" ]'

exit $failed
