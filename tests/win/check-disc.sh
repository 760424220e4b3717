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
mkdir "$maker/Driver/WIN2000/ESC模式/i386" && : >"$maker/Driver/WIN98/ESC模式/Tmctrla.ini"
for f in Driver/WIN98/ESC模式/TMPROCES.dll Driver/WIN2000/ESC模式/i386/TM300S.DLL 说明.txt; do
    head -c 70000 /dev/urandom >"$maker/$f"
done
chmod -R a-w "$maker"
listing "$maker" >"$tmp/before"

make_disc "$maker" "$tmp/out/VT480QX.iso"; rc=$?
check "a complete folder makes an image that 7-Zip reads" \
    '[ $rc = 0 ] && LC_ALL=C.UTF-8 7z x -bd -o"$tmp/x" "$tmp/out/VT480QX.iso"' || cat "$tmp/log"
check "7-Zip reads the build's menu and autorun.inf at its root" \
    'cmp "$tmp/x/SetupMenu.exe" "$build/cd/SetupMenu.exe" && cmp "$tmp/x/autorun.inf" "$build/cd/autorun.inf"'
rm -f "$tmp/x/SetupMenu.exe" "$tmp/x/autorun.inf"
check "and every file of the folder byte for byte, nothing more" 'diff -r "$maker" "$tmp/x"'
check "the folder is untouched" 'listing "$maker" | cmp - "$tmp/before"'

short=$tmp/short
cp -R "$maker" "$short" && chmod -R u+w "$short" && rm "$short/Driver/WIN98/STAR模式/Sp500.drv" "$short/Test/news.exe"
make_disc "$short" "$tmp/out2/VT480QX.iso"; rc=$?
check "a folder lacking two files the menu needs fails, naming each" '[ $rc != 0 ] &&
    grep -qx "missing: Driver/WIN98/STAR模式/Sp500.drv" "$tmp/log" &&
    grep -qx "missing: Test/news.exe" "$tmp/log" && [ "$(grep -c missing: "$tmp/log")" = 2 ]' || cat "$tmp/log"
check "and writes no image, whole or partial" '[ ! -e "$tmp/out2" ]'

exit $failed
