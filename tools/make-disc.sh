#!/usr/bin/env bash
# Writes the image of the maker's disc: the build's SetupMenu.exe and
# autorun.inf at the root, and the files of FOLDER exactly, byte for byte.
# FOLDER holds them in the disc's layout (Test/news.exe, Command/*.doc,
# Driver/..., the two 模式 folders under their Chinese names) with whatever
# else the drivers need. The tree is checked first: if a file the menu opens,
# runs or copies is missing, every such file is named and no image is
# written. FOLDER is only read.
#   tools/make-disc.sh FOLDER OUT.iso
# Builds the menu first if needed (build/win, or $SETUPMENU_BUILD).
set -euo pipefail
if [ $# -ne 2 ] || [ ! -d "$1" ]; then
    echo "usage: tools/make-disc.sh FOLDER OUT.iso   (FOLDER: the maker's files in the disc's layout)" >&2
    exit 2
fi
folder=$(realpath "$1") out=$(realpath -m "$2")
case "$out/" in "$folder"/*)
    echo "make-disc: OUT.iso must lie outside FOLDER, which is only read" >&2; exit 2 ;;
esac
[ ! -d "$out" ] || { echo "make-disc: $out is a folder; name the image file" >&2; exit 2; }
top=$(cd "$(dirname "$0")/.." && pwd)
build=${SETUPMENU_BUILD:-$top/build/win}

log=$(mktemp)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp" "$log"' EXIT
# The sample CD's target builds the menu, lays out its autorun.inf and
# builds cdcheck; the sample tree itself is not used.
if ! { { [ -f "$build/build.ninja" ] || (cd "$top" && cmake --preset win); } &&
       cmake --build "$build" --target sample_cd; } >"$log" 2>&1; then
    tail -20 "$log"
    echo "make-disc: the menu could not be built (see above)" >&2
    exit 1
fi

echo "checking $folder"
if ! "$build/cdcheck" "$folder"; then
    echo "make-disc: $folder lacks the files above; no image written" >&2
    exit 1
fi

# The disc's tree: FOLDER's files as they are (links followed, times kept),
# and the menu at the root in place of any the folder has.
mkdir "$tmp/disc"
cp -RL --preserve=timestamps "$folder/." "$tmp/disc/"
chmod -R u+w "$tmp/disc"
find "$tmp/disc" -maxdepth 1 -type f \( -iname SetupMenu.exe -o -iname autorun.inf \) -print -delete |
    sed "s|^$tmp/disc/|make-disc: replaced by the build's: |"
cp "$build/cd/SetupMenu.exe" "$build/cd/autorun.inf" "$tmp/disc/"

# Into a temporary file beside OUT, renamed only when whole.
mkdir -p "$(dirname "$out")"
part=$(mktemp "$out.XXXXXX")
trap 'rm -rf "$tmp" "$log" "$part"' EXIT
"$top/cd/make-iso.sh" "$tmp/disc" "$part"
chmod 644 "$part"
mv -f "$part" "$out"
echo "wrote $out ($(stat -c %s "$out") bytes, $(find "$tmp/disc" -type f | wc -l) files)"
