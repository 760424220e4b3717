#!/bin/sh
# Lays out the sample CD tree: the menu at the root, and a stand-in for
# every file the menu names, for each file the Windows 98 drivers depend on
# (cdcheck --dependent), beside its driver, and for the files the NT
# driver's INF names.
#   make-cd.sh OUT SETUPMENU_EXE STANDIN_EXE CDCHECK
set -eu
out=$1 exe=$2 standin=$3 cdcheck=$4
src=$(cd "$(dirname "$0")" && pwd)

rm -rf "$out"
mkdir -p "$out/Test" "$out/Command" "$out/Driver/WIN2000/ESC模式" \
         "$out/Driver/WIN98/ESC模式" "$out/Driver/WIN98/STAR模式"

cp "$exe" "$out/SetupMenu.exe"
# autorun.inf and the read-me are Windows texts: CRLF, code page 936.
sed 's/$/\r/' "$src/autorun.inf" >"$out/autorun.inf"
iconv -f UTF-8 -t CP936 "$src/Readme.txt" | sed 's/$/\r/' >"$out/Driver/Readme.txt"

for p in Test/news.exe Driver/Adt210e.exe Driver/ATM_301bE.exe Driver/linemode_2k-xp.exe; do
    cp "$standin" "$out/$p"
done
for d in VTtm EPSON STAR; do cp "$src/$d.doc" "$out/Command/$d.doc"; done
inf=$out/Driver/WIN2000/ESC模式/OEMSETUP.INF
sed 's/$/\r/' "$src/OEMSETUP.INF" >"$inf"
# The driver files and the catalog the INF names, each naming itself.
/usr/bin/python3 "$src/../tools/disc_rules.py" inf-files "$inf" | while IFS= read -r p; do
    mkdir -p "$(dirname "${inf%/*}/$p")"
    printf 'VELTA VT-480QX sample CD: a stand-in for %s\r\n' "$p" >"${inf%/*}/$p"
done
sed 's/$/\r/' "$src/placeholder.txt" >"$out/Driver/WIN98/ESC模式/Tm300s.drv"
sed 's/$/\r/' "$src/placeholder.txt" >"$out/Driver/WIN98/STAR模式/Sp500.drv"
# Each names itself, so that a copy shows where it came from.
"$cdcheck" --dependent | while IFS= read -r p; do
    printf 'VELTA VT-480QX sample CD: a stand-in for %s\r\n' "$p" >"$out/$p"
done

# The same tree from the same inputs: fixed times, fixed modes.
find "$out" -type d -exec chmod 755 {} +
find "$out" -type f -exec chmod 644 {} +
find "$out" -exec touch -h -d "@${SOURCE_DATE_EPOCH:-1199145600}" {} +
