#!/bin/sh
# The sample CD's image, read back through its Joliet tree only (as Windows
# reads it): the volume label, the Chinese folder names, an autorun.inf that
# starts SetupMenu.exe, and every file the menu names.
#   check-iso.sh CD.iso CDCHECK
set -eu
iso=$1 cdcheck=$2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

xorriso -indev "$iso" -pvd_info 2>&1 | grep -q "Volume Id    : VELTA_VT480QX" \
    || { echo "no volume label VELTA_VT480QX"; exit 1; }
mkdir "$tmp/x"
xorriso -report_about WARNING -read_fs norock -osirrox on \
    -indev "$iso" -extract / "$tmp/x" 2>/dev/null
for d in "Driver/WIN98/ESC模式" "Driver/WIN98/STAR模式" "Driver/WIN2000/ESC模式"; do
    [ -d "$tmp/x/$d" ] || { echo "Joliet tree lacks $d"; exit 1; }
done
tr -d '\r' <"$tmp/x/autorun.inf" | grep -qx 'open=SetupMenu.exe' || { echo "autorun.inf does not start SetupMenu.exe"; exit 1; }
"$cdcheck" "$tmp/x"
