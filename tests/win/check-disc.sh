#!/usr/bin/env bash
# tools/make-disc.sh on a maker's folder. Complete, with a linked file and
# a linked folder: the image, read back by 7-Zip through its Joliet tree,
# holds the folder's files byte for byte, nothing else but the build's menu
# and autorun.inf; the folder is untouched; a second run gives the same
# image, whose SHA-256 it prints. Two files the menu needs missing, or
# names Joliet cannot hold: each named, a failure, and no image. Signed
# with a throwaway CA's certificate: the disc's menu verifies against that
# CA and its sections are the build's; a wrong password or a timestamp server that does not answer: a failure
# that says which, and no image. The password is never printed.
# The signed disc, made from the sample CD, is left at SIGNED_ISO for the
# end-to-end runs, which start it as Windows 98 (which ignores the
# signature) and as XP.
#   check-disc.sh BUILD_DIR SIGNED_ISO
set -u
build=$(realpath "$1") signed=$(realpath -m "$2")
rm -f "$signed"
top=$(cd "$(dirname "$0")/../.." && pwd)
tmp=$(mktemp -d)
trap 'chmod -R u+w "$tmp"; rm -rf "$tmp"' EXIT
failed=0
check() { if eval "$2" >/dev/null 2>&1; then echo "ok - $1"; else echo "not ok - $1"; failed=1; return 1; fi; }
make_disc() {  # its output in $tmp/log, and in $tmp/all.log with every other run's
    SETUPMENU_BUILD=$build "$top/tools/make-disc.sh" "$@" >"$tmp/log" 2>&1
    local rc=$?; cat "$tmp/log" >>"$tmp/all.log"; return $rc
}
failed_alone() {  # DESCRIPTION SAYING OUT: failed, saying so, with no image, whole or partial
    local saying=$2 iso=$3
    check "$1" '[ $rc != 0 ] && grep -qF "$saying" "$tmp/log" && [ -z "$(ls "$(dirname "$iso")" 2>/dev/null)" ]' || cat "$tmp/log"
}
# Every file with its bytes, mode and time.
listing() { (cd "$1" && find . -printf '%p %m %T@\n' -type f -exec sha256sum {} + | sort); }

# The maker's files: every one the menu names, none like a stand-in;
# binary and empty ones beside the drivers, a deeper folder, a Chinese
# name, and a file and a folder that are links to others outside it.
maker=$tmp/maker
"$build/cdcheck" --list | while read -r f; do
    mkdir -p "$maker/$(dirname "$f")" && head -c $((RANDOM + 1)) /dev/urandom >"$maker/$f"
done
mkdir -p "$maker/Driver/WIN2000/ESC模式/i386" "$tmp/elsewhere/Tools" && : >"$maker/Driver/WIN98/ESC模式/Tmctrla.ini"
for f in Driver/WIN98/ESC模式/TMPROCES.dll Driver/WIN2000/ESC模式/i386/TM300S.DLL 说明.txt; do
    head -c 70000 /dev/urandom >"$maker/$f"
done
head -c 5000 /dev/urandom >"$tmp/elsewhere/Tools/port.exe" && head -c 900 /dev/urandom >"$tmp/elsewhere/Unidrv.dll"
ln -s "$tmp/elsewhere/Unidrv.dll" "$maker/Driver/WIN98/ESC模式/Unidrv.dll" && ln -s "$tmp/elsewhere/Tools" "$maker/Tools"
chmod -R a-w "$maker"
listing "$maker" >"$tmp/before"

make_disc "$maker" "$tmp/out/VT480QX.iso"; rc=$?
check "a complete folder makes an image that 7-Zip reads" \
    '[ $rc = 0 ] && LC_ALL=C.UTF-8 7z x -bd -o"$tmp/x" "$tmp/out/VT480QX.iso"' || cat "$tmp/log"
check "7-Zip reads the build's menu and autorun.inf at its root" \
    'cmp "$tmp/x/SetupMenu.exe" "$build/cd/SetupMenu.exe" && cmp "$tmp/x/autorun.inf" "$build/cd/autorun.inf"'
rm -f "$tmp/x/SetupMenu.exe" "$tmp/x/autorun.inf"
check "and every file of the folder byte for byte, links as files, nothing more" \
    'diff -r "$maker" "$tmp/x" && [ -f "$tmp/x/Tools/port.exe" ] && [ ! -L "$tmp/x/Tools" ]'
check "the folder is untouched" 'listing "$maker" | cmp - "$tmp/before"'
sleep 1
make_disc "$maker" "$tmp/out/again.iso"
check "made again, the same image, whose SHA-256 is printed" 'cmp "$tmp/out/VT480QX.iso" "$tmp/out/again.iso" &&
    grep -qx "SHA-256 $(sha256sum <"$tmp/out/again.iso" | cut -d" " -f1)  again.iso" "$tmp/log"'

short=$tmp/short
cp -R "$maker" "$short" && chmod -R u+w "$short" && rm "$short/Driver/WIN98/STAR模式/Sp500.drv" "$short/Test/news.exe"
make_disc "$short" "$tmp/out2/VT480QX.iso"; rc=$?
check "a folder lacking two files the menu needs fails, naming each" '[ $rc != 0 ] &&
    grep -qx "missing: Driver/WIN98/STAR模式/Sp500.drv" "$tmp/log" &&
    grep -qx "missing: Test/news.exe" "$tmp/log" && [ "$(grep -c missing: "$tmp/log")" = 2 ]' || cat "$tmp/log"
check "and writes no image, whole or partial" '[ ! -e "$tmp/out2" ]'

# Joliet cuts a name past 103 characters and replaces a ";".
long=Driver/$(printf 'TM-U210B_%.0s' $(seq 11))Partial_cut.dat
rm -rf "$short" && cp -R "$maker" "$short" && chmod -R u+w "$short"
: >"$short/Driver/readme;1.txt" && : >"$short/$long"
mkdir "$tmp/out3"
make_disc "$short" "$tmp/out3/VT480QX.iso"; rc=$?
failed_alone "names Joliet cannot hold are each reported, and no image is kept" \
    "not on the disc under its name: Driver/readme;1.txt" "$tmp/out3/VT480QX.iso"
check "the long one too" 'grep -qxF "make-disc: not on the disc under its name: $long" "$tmp/log"'

# ---- signed, with a throwaway CA's certificate exported with its chain ----
cd "$tmp" || exit 1
openssl req -x509 -newkey rsa:2048 -nodes -keyout ca.key -out ca.pem -days 2 -subj "/CN=Throwaway CA" 2>/dev/null
openssl req -x509 -newkey rsa:2048 -nodes -keyout cs.key -out cs.pem -days 2 -subj "/CN=VELTA test signer" \
    -CA ca.pem -CAkey ca.key -addext extendedKeyUsage=codeSigning -addext basicConstraints=CA:false 2>/dev/null
export SIGN_PASSWORD='throwaway "pass" word'
openssl pkcs12 -export -inkey cs.key -in cs.pem -certfile ca.pem -out cs.pfx -passout env:SIGN_PASSWORD
make_disc --sign cs.pfx "$build/cd" "$signed"; rc=$?
check "signed, the disc's menu verifies against the throwaway CA" '[ $rc = 0 ] &&
    LC_ALL=C.UTF-8 7z e -bd -osigned "$signed" SetupMenu.exe &&
    osslsigncode verify -in signed/SetupMenu.exe -CAfile ca.pem | grep -q "Signature verification: ok"' || cat "$tmp/log"
check "its sections are the build's; the build's menu has no signature" '/usr/bin/python3 -c "import pefile, sys
a, b = (pefile.PE(f) for f in sys.argv[1:])
sys.exit([s.get_data() for s in a.sections] != [s.get_data() for s in b.sections] or b.OPTIONAL_HEADER.DATA_DIRECTORY[4].Size)
" signed/SetupMenu.exe "$build/cd/SetupMenu.exe"'
SIGN_PASSWORD=wrong make_disc --sign cs.pfx "$maker" wrong/VT480QX.iso; rc=$?
failed_alone "a wrong password is named as such, and no image is written" "wrong password for cs.pfx" wrong/VT480QX.iso
port=$(/usr/bin/python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
make_disc --sign cs.pfx --timestamp "http://127.0.0.1:$port/" "$maker" stamp/VT480QX.iso; rc=$?
failed_alone "a timestamp server that does not answer is named, and no image is written" \
    "timestamp server http://127.0.0.1:$port/ did not answer" stamp/VT480QX.iso
check "the password is never printed" '! grep -qF "$SIGN_PASSWORD" "$tmp/all.log"'

exit $failed
