#!/bin/sh
# The CD image: built twice from the tree, the same bytes; read back through
# its Joliet tree only (as Windows reads it), it holds the Chinese folder
# names, an autorun.inf that starts SetupMenu.exe, and every file the menu
# names.
#   check-iso.sh CD_DIR CDCHECK
set -eu
here=$(cd "$(dirname "$0")" && pwd)
cd_dir=$1 cdcheck=$2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

"$here/make-iso.sh" "$cd_dir" "$tmp/a.iso"
sleep 1
"$here/make-iso.sh" "$cd_dir" "$tmp/b.iso"
cmp "$tmp/a.iso" "$tmp/b.iso" || { echo "two builds of the image differ"; exit 1; }
echo "reproducible: $(sha256sum <"$tmp/a.iso" | cut -c1-16) ($(stat -c %s "$tmp/a.iso") bytes)"

xorriso -indev "$tmp/a.iso" -pvd_info 2>&1 | grep -q "Volume Id    : VELTA_VT480QX" \
    || { echo "no volume label VELTA_VT480QX"; exit 1; }
mkdir "$tmp/x"
xorriso -report_about WARNING -read_fs norock -osirrox on \
    -indev "$tmp/a.iso" -extract / "$tmp/x" 2>/dev/null
for d in "Driver/WIN98/ESC模式" "Driver/WIN98/STAR模式" "Driver/WIN2000/ESC模式"; do
    [ -d "$tmp/x/$d" ] || { echo "Joliet tree lacks $d"; exit 1; }
done
tr -d '\r' <"$tmp/x/autorun.inf" | grep -qx 'open=SetupMenu.exe' || { echo "autorun.inf does not start SetupMenu.exe"; exit 1; }
"$cdcheck" "$tmp/x"
