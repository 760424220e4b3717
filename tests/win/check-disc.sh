#!/usr/bin/env bash
# tools/make-disc.sh on a maker's folder. Complete, with a linked file and
# a linked folder, and the sample CD's printer INF and driver files: the
# image, read back by 7-Zip through its Joliet tree,
# holds the folder's files byte for byte, nothing else but the build's menu
# and autorun.inf; the folder is untouched; a second run gives the same
# image, whose SHA-256 it prints, with a warning that the menu is not
# signed. Two files the menu needs missing, an autorun.inf folder, names
# Joliet or Windows cannot hold, a file of 4 GiB, the INF's model misspelt: each named, a failure,
# and no image (the rules themselves are tables in
# tests/native/test_disc_rules.py). An INF with decorated models sections
# alone: a warning for Windows 2000 and for ARM64, and the image. The
# sample CD's INF: every Windows in the table, and no warning. An OUT that is a device or a pipe is
# left alone, one in a read-only folder refused at once, a TMPDIR too small
# named. Signed with a throwaway CA's certificate: the disc's menu verifies
# against that CA and its sections are the build's, with a warning that
# Windows will not trust it; a wrong password, a certificate not for code
# signing, expired or not yet valid, a timestamp server that does not
# answer or answers an error: a failure that says which, and no image. The
# password is never printed, and reaches no other program.
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
in=()  # what make_disc runs it in: a namespace, a PATH
make_disc() {  # its output in $tmp/log, and in $tmp/all.log with every other run's
    "${in[@]}" env SETUPMENU_BUILD="$build" "$top/tools/make-disc.sh" "$@" >"$tmp/log" 2>&1
    local rc=$?; cat "$tmp/log" >>"$tmp/all.log"; return $rc
}
refused() {  # DESCRIPTION SAYING ARGS...: it fails, saying so, with no image at OUT, whole or partial
    local saying=$2 iso=${*: -1}
    make_disc "${@:3}"; rc=$?
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
# The printer INF and the files it names: the sample CD's.
cp -R "$build/cd/Driver/WIN2000/ESC模式/." "$maker/Driver/WIN2000/ESC模式/"
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
check "a warning that the menu is not signed, and no other but the Windows 98 drivers'" \
    'grep -q "^make-disc: warning: the menu is not signed (no --sign): Windows 11.s Smart App Control" "$tmp/log" &&
     [ "$(grep -c "^make-disc: warning: " "$tmp/log")" = 6 ]'
# The files Windows 98's drivers depend on that the folder lacks: named, not refused.
check "a warning for each file a Windows 98 driver depends on that is not beside it, and only those" \
    '[ "$(grep -c "^make-disc: warning: Driver/WIN98/.* is not beside its driver" "$tmp/log")" = 5 ] &&
     for f in ESC模式/Iconlib.dll ESC模式/Unidrv.hlp STAR模式/Iconlib.dll STAR模式/Unidrv.dll STAR模式/Unidrv.hlp; do
         grep -qF "make-disc: warning: Driver/WIN98/$f is not beside its driver" "$tmp/log" || exit 1; done'
# A read-only folder, as a copy from a disc is, by a user without root's
# power over file modes (no capabilities: no CAP_DAC_OVERRIDE, no CAP_FOWNER).
in=(setpriv --bounding-set -all --inh-caps -all --ambient-caps -all --)
make_disc "$maker" "$tmp/out-user/VT480QX.iso"; rc=$?
in=()
check "the read-only folder makes an image without root's power over file modes" \
    '[ $rc = 0 ] && cmp "$tmp/out-user/VT480QX.iso" "$tmp/out/VT480QX.iso"' || cat "$tmp/log"
# Two runs on one build folder take turns, and both write their image: here
# both wait for a third that holds the build.
flock "$build/.make-disc.lock" sleep 2 &
until ! flock -n "$build/.make-disc.lock" true; do sleep 0.05; done
turn() { env SETUPMENU_BUILD="$build" "$top/tools/make-disc.sh" "$maker" "$tmp/turns/$1.iso" >"$tmp/turn$1.log" 2>&1 &&
         grep -q "^make-disc: waiting for another make-disc run" "$tmp/turn$1.log" && cmp "$tmp/turns/$1.iso" "$tmp/out/VT480QX.iso"; }
turn 1 & turn 2; rc2=$?; wait $!; rc1=$?
check "two runs on one build folder wait their turn, and both write their image" '[ $rc1$rc2 = 00 ]' || cat "$tmp"/turn?.log
sleep 1
make_disc "$maker" "$tmp/out/again.iso"
check "made again, the same image, whose SHA-256 is printed" 'cmp "$tmp/out/VT480QX.iso" "$tmp/out/again.iso" &&
    grep -qx "SHA-256 $(sha256sum <"$tmp/out/again.iso" | cut -d" " -f1)  again.iso" "$tmp/log"'

# The same tree as a ZIP to download. Its headers read here, apart from the writer: every name, local
# and central, in code page 936 without the UTF-8 flag, made by MS-DOS, beside an Info-ZIP Unicode
# Path field (version 1, the CRC-32 of the 936 name, the name in UTF-8).
zip_names() { /usr/bin/python3 - "$1" <<'PY'
import struct, sys, zlib
data = open(sys.argv[1], 'rb').read()
eocd = data.rindex(b'PK\5\6')
n, at = struct.unpack_from('<H', data, eocd + 10)[0], struct.unpack_from('<I', data, eocd + 16)[0]
def field(extra):
    i = 0
    while i < len(extra):
        key, size = struct.unpack_from('<HH', extra, i)
        if key == 0x7075:
            version, crc = struct.unpack_from('<BI', extra, i + 4)
            return version, crc, extra[i + 9:i + 4 + size].decode('utf-8')
        i += 4 + size
for _ in range(n):
    made, flag, nlen, xlen, clen, local = struct.unpack_from('<4xH2xH18xHHH8xI', data, at)
    name, extra = data[at + 46:at + 46 + nlen], data[at + 46 + nlen:at + 46 + nlen + xlen]
    lflag, lnlen, lxlen = struct.unpack_from('<6xH18xHH', data, local)
    lname, lextra = data[local + 30:local + 30 + lnlen], data[local + 30 + lnlen:local + 30 + lnlen + lxlen]
    text = name.decode('gbk')
    ok = made >> 8 == 0 and not flag & 0x800 and not lflag & 0x800 and lname == name and \
        field(extra) == field(lextra) == (1, zlib.crc32(name), text)
    print(text if ok else 'BAD ' + repr(name))
    at += 46 + nlen + xlen + clen
PY
}
make_disc "$maker" "$tmp/zip/VT480QX.zip"; rc=$?
check "a ZIP of the same folder, which 7-Zip tests clean" '[ $rc = 0 ] && 7z t "$tmp/zip/VT480QX.zip"' || cat "$tmp/log"
check "7-Zip reads the build's menu and autorun.inf, and every file of the folder byte for byte" \
    'LC_ALL=C.UTF-8 7z x -bd -o"$tmp/zx" "$tmp/zip/VT480QX.zip" && cmp "$tmp/zx/SetupMenu.exe" "$build/cd/SetupMenu.exe" &&
     rm "$tmp/zx/SetupMenu.exe" "$tmp/zx/autorun.inf" && diff -r "$maker" "$tmp/zx"'
zip_names "$tmp/zip/VT480QX.zip" >"$tmp/zip.names"
check "each name in code page 936, unflagged, with its UTF-8 field, in both headers, ESC模式 among them" \
    '! grep -q "^BAD" "$tmp/zip.names" && grep -qx "Driver/WIN2000/ESC模式/OEMSETUP.INF" "$tmp/zip.names" &&
     [ "$(wc -l <"$tmp/zip.names")" = "$(($(cd "$maker" && find -L . -mindepth 1 | wc -l) + 2))" ]'
sleep 1
make_disc "$maker" "$tmp/zip/again.zip"
check "made again, the same ZIP, whose SHA-256 is printed" 'cmp "$tmp/zip/VT480QX.zip" "$tmp/zip/again.zip" &&
    grep -qx "SHA-256 $(sha256sum <"$tmp/zip/again.zip" | cut -d" " -f1)  again.zip" "$tmp/log"'
short=$tmp/short
cp -R "$maker" "$short" && chmod -R u+w "$short" && : >"$short/Driver/한글.txt"
refused "a name code page 936 cannot write is refused for a ZIP, named, and no ZIP is left" \
    'make-disc: Driver/한글.txt: code page 936 has no "한"' "$short" "$tmp/zip2/VT480QX.zip"
rm -rf "$short"

short=$tmp/short
cp -R "$maker" "$short" && chmod -R u+w "$short" && rm "$short/Driver/WIN98/STAR模式/Sp500.drv" "$short/Test/news.exe"
make_disc "$short" "$tmp/out2/VT480QX.iso"; rc=$?
check "a folder lacking two files the menu needs fails, naming each, and writes no image" '[ $rc != 0 ] &&
    grep -qx "missing: Driver/WIN98/STAR模式/Sp500.drv" "$tmp/log" && [ ! -e "$tmp/out2" ] &&
    grep -qx "missing: Test/news.exe" "$tmp/log" && [ "$(grep -c missing: "$tmp/log")" = 2 ]' || cat "$tmp/log"
refused "and no ZIP" "lacks the files above; no ZIP written" "$short" "$tmp/zip3/VT480QX.zip"

# A folder where the disc's autorun.inf goes.
rm -rf "$short" && cp -R "$maker" "$short" && chmod -R u+w "$short" && mkdir "$short/autorun.inf"
refused "named and refused: autorun.inf is a folder" "autorun.inf is a folder" "$short" "$tmp/out6/VT480QX.iso"

# Joliet cuts a name past 103 characters and replaces a ";".
long=Driver/$(printf 'TM-U210B_%.0s' $(seq 11))Partial_cut.dat
rm -rf "$short" && cp -R "$maker" "$short" && chmod -R u+w "$short"
: >"$short/Driver/readme;1.txt" && : >"$short/$long"
mkdir "$tmp/out3"
refused "names Joliet cannot hold are each reported, and no image is kept" \
    "not on the disc under its name: Driver/readme;1.txt" "$short" "$tmp/out3/VT480QX.iso"
check "the long one too" 'grep -qxF "make-disc: not on the disc under its name: $long" "$tmp/log"'

# What Windows cannot open, a file too big for ISO 9660: each named with its
# rule before anything is copied.
rm -rf "$short" && cp -R "$maker" "$short" && chmod -R u+w "$short"
: >"$short/Driver/AUX.txt" && truncate -s 4G "$short/Test/big.bin"
make_disc "$short" "$tmp/out5/VT480QX.iso"; rc=$?
for n in 'Driver/AUX.txt: AUX is a device to Windows' 'Test/big.bin: 4294967296 bytes: a file on the disc must be under 4 GiB'; do
    check "refused and named: $n" '[ $rc != 0 ] && [ ! -e "$tmp/out5" ] && grep -qF "make-disc: $n" "$tmp/log"' || cat "$tmp/log"
done
# The printer INF: the model misspelt, refused; decorated models sections alone, warned for the two
# Windows that cannot read them, and written.
inf=$short/Driver/WIN2000/ESC模式/OEMSETUP.INF
rm -rf "$short" && cp -R "$maker" "$short" && chmod -R u+w "$short" && sed -i 's/"EPSON TM-U210B Partial cut"/"EPSON TM-U210B Partial-cut"/' "$inf"
refused "an INF whose model is misspelt is refused" \
    'OEMSETUP.INF: no Windows can install the standard driver "EPSON TM-U210B Partial cut" from it' "$short" "$tmp/out7/VT480QX.iso"
rm -rf "$short" && cp -R "$maker" "$short" && chmod -R u+w "$short" && sed -i 's/,NTarm64//; /^\[VELTA\]\r$/,+1d' "$inf"
make_disc "$short" "$tmp/out8/VT480QX.iso"; rc=$?
check "an INF with decorated models sections alone is warned about for Windows 2000 and ARM64, and the image written" \
    '[ $rc = 0 ] && [ -f "$tmp/out8/VT480QX.iso" ] && [ "$(grep -c "^make-disc: warning: Windows" "$tmp/log")" = 2 ] &&
     grep -q "^make-disc: warning: Windows 2000: cannot install the standard driver: the models section it reads, \[VELTA\]" "$tmp/log" &&
     grep -q "^make-disc: warning: Windows 11 on ARM: cannot install the standard driver: no models section for it" "$tmp/log"' ||
    cat "$tmp/log"
# Chinese, blanks and brackets are fine; -- lets FOLDER and OUT begin with -.
cd "$tmp" || exit 1
cp -R "$maker" "./-中文 maker" && chmod -R u+w "./-中文 maker" && mkdir "./-中文 maker/Driver/说明 (中文)"
echo x >"./-中文 maker/Driver/说明 (中文)/读我 v1.2.txt"
make_disc -- "-中文 maker" -disc.iso; rc=$?
check "after --, a FOLDER and an OUT that begin with -; 说明 (中文)/读我 v1.2.txt on the disc" '[ $rc = 0 ] &&
    LC_ALL=C.UTF-8 7z l -slt ./-disc.iso | grep -qxF "Path = Driver/说明 (中文)/读我 v1.2.txt"' || cat "$tmp/log"

# OUT no image file: refused, left as it is, nothing beside it. As root,
# device nodes too (a burner's, or a dry run's /dev/null).
mkdir dev && mkfifo dev/pipe dev/pipe.zip && { [ "$(id -u)" != 0 ] || { mknod dev/null c 1 3 && mknod dev/loop b 7 0; }; }
n=$(ls -A dev | wc -l)
for node in dev/*; do
    kind=$(stat -c %F "$node")
    make_disc "$maker" "$node"; rc=$?
    check "an OUT that is a $kind is refused and left as it is, nothing beside it" '[ $rc != 0 ] &&
        grep -q "^make-disc: .* is not a file" "$tmp/log" && [ "$(stat -c %F "$node")" = "$kind" ] && [ "$(ls -A dev | wc -l)" = $n ]'
done
# In a mount namespace of its own: a folder mounted read-only (root writes
# in any other), a TMPDIR too small.
ns() { if [ "$(id -u)" = 0 ]; then unshare -m "$@"; else unshare -rm "$@"; fi; }
mkdir ro small
in=(ns sh -c 'mount --bind "$1" "$1" && mount -o remount,bind,ro "$1" && shift && exec "$@"' - "$tmp/ro")
SECONDS=0
make_disc "$maker" ro/VT480QX.iso; rc=$?
check "an OUT in a read-only folder is refused at once, naming it" '[ $rc != 0 ] && [ $SECONDS -le 5 ] &&
    grep -qF "make-disc: $tmp/ro cannot be written in" "$tmp/log"' || cat "$tmp/log"
in=(ns sh -c 'mount -t tmpfs -o size=256k tmpfs "$1" && TMPDIR=$1 && export TMPDIR && shift && exec "$@"' - "$tmp/small")
refused "with TMPDIR too small for the disc, the space is named" "$tmp/small (TMPDIR) has" "$maker" small-out/VT480QX.iso
in=()

# ---- signed, with a throwaway CA's certificate exported with its chain ----
# cert NAME CN REQ-OPTIONS...: NAME.key and NAME.pem, valid two days from now.
cert() { openssl req -x509 -newkey rsa:2048 -nodes -keyout $1.key -out $1.pem -days 2 -subj "/CN=$2" "${@:3}" 2>/dev/null; }
cert ca "Throwaway CA"
cert cs "VELTA test signer" -CA ca.pem -CAkey ca.key -addext extendedKeyUsage=codeSigning -addext basicConstraints=CA:false
export SIGN_PASSWORD='throwaway "pass" word'
openssl pkcs12 -export -inkey cs.key -in cs.pem -certfile ca.pem -out cs.pfx -passout env:SIGN_PASSWORD
# The programs it starts, as they are started: arguments and SIGN_PASSWORD.
mkdir spy
for p in osslsigncode 7z xorriso cmake; do
    printf '#!/bin/sh\necho "$0 $* ${SIGN_PASSWORD-(none)}" >>%s/spy.log\nexec /usr/bin/%s "$@"\n' "$tmp" $p >spy/$p
done
chmod +x spy/*
in=(env PATH="$tmp/spy:$PATH")
make_disc --sign cs.pfx "$build/cd" "$signed"; rc=$?
in=()
check "signed, the disc's menu verifies against the throwaway CA" '[ $rc = 0 ] &&
    LC_ALL=C.UTF-8 7z e -bd -osigned "$signed" SetupMenu.exe &&
    osslsigncode verify -in signed/SetupMenu.exe -CAfile ca.pem | grep -q "Signature verification: ok"' || cat "$tmp/log"
make_disc --sign cs.pfx "$build/cd" signed.zip; rc=$?
check "signed as a ZIP, the ZIP's menu verifies too" '[ $rc = 0 ] && LC_ALL=C.UTF-8 7z e -bd -ozsigned signed.zip SetupMenu.exe &&
    osslsigncode verify -in zsigned/SetupMenu.exe -CAfile ca.pem | grep -q "Signature verification: ok"' || cat "$tmp/log"
check "its sections are the build's; the build's menu has no signature" '/usr/bin/python3 -c "import pefile, sys
a, b = (pefile.PE(f) for f in sys.argv[1:])
sys.exit([s.get_data() for s in a.sections] != [s.get_data() for s in b.sections] or b.OPTIONAL_HEADER.DATA_DIRECTORY[4].Size)
" signed/SetupMenu.exe "$build/cd/SetupMenu.exe"'
check "the password is on no program's command line and in the environment of none but the signing steps" \
    '[ "$(cut -d" " -f1 spy.log | sort -u | xargs -n1 basename | tr "\n" " ")" = "7z cmake osslsigncode xorriso " ] &&
     ! grep -qF "$SIGN_PASSWORD" spy.log'
windows=$(/usr/bin/python3 -c 'import sys; sys.path[0] = sys.argv[1]; import disc_rules
print("\n".join(w[0] for w in disc_rules.WINDOWS))' "$top/tools")
check "the sample CD's table names every Windows, each installing the standard driver; it warns of none, nor does the signed menu" \
    'while read -r w; do grep -qF "make-disc:   $w: installs ([VELTA" "$tmp/log" || exit 1; done <<<"$windows" &&
     [ "$(grep -c "^make-disc:   Windows" "$tmp/log")" = "$(wc -l <<<"$windows")" ] && ! grep -q "warning: Windows\|warning: Driver/WIN2000\|not signed" "$tmp/log"'
check "a warning names the test CA's certificate: Windows will not trust it" \
    'grep -q "^make-disc: warning: \"CN=VELTA test signer\" (cs.pfx) .*Windows will not trust it" "$tmp/log"'
check "another, that without --timestamp the signature ends with the certificate" 'grep -q "^make-disc: warning: no --timestamp" "$tmp/log"'
check "and the SHA-256 of the build's menu, which the signature removed gives back" \
    'grep -qx "SHA-256 $(sha256sum <"$build/cd/SetupMenu.exe" | cut -d" " -f1)  SetupMenu.exe without its signature, the build'"'"'s" "$tmp/log"'
# Self-signed, with an empty password: it signs, and is warned about.
cert self "VELTA self-signed" -addext extendedKeyUsage=codeSigning
openssl pkcs12 -export -inkey self.key -in self.pem -out self.pfx -passout pass:
SIGN_PASSWORD= make_disc --sign self.pfx "$maker" self/VT480QX.iso; rc=$?
check "a self-signed certificate with an empty password signs, with a warning naming it" '[ $rc = 0 ] && [ -f self/VT480QX.iso ] &&
    grep -q "^make-disc: warning: \"CN=VELTA self-signed\" (self.pfx) .*Windows will not trust it" "$tmp/log"' || cat "$tmp/log"
# Refused: a TLS server's certificate; one expired, one not yet valid (the
# signature is verified after signing).
# OpenSSL's reason for a signature that does not verify.
for c in "tls serverAuth +0 is not a code-signing" "old codeSigning -400 (certificate has expired); no image" \
         "new codeSigning +30 (certificate is not yet valid); no image"; do
    set -- $c
    faketime -f "${3}d" bash -c "$(declare -f cert); cert $1 'VELTA $1' -addext extendedKeyUsage=$2"
    openssl pkcs12 -export -inkey $1.key -in $1.pem -out $1.pfx -passout env:SIGN_PASSWORD
    refused "$1.pfx is refused: its certificate ${*:4}" "${*:4}" --sign $1.pfx "$maker" $1/VT480QX.iso
done
SIGN_PASSWORD=wrong refused "a wrong password is named as such, and no image is written" "wrong password for cs.pfx" \
    --sign cs.pfx "$maker" wrong/VT480QX.iso
port=$(/usr/bin/python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
refused "a timestamp server that does not answer is named, and no image is written" \
    "timestamp server http://127.0.0.1:$port/ did not answer" --sign cs.pfx --timestamp "http://127.0.0.1:$port/" "$maker" stamp/VT480QX.iso
/usr/bin/python3 -c 'import http.server as h, sys; h.HTTPServer(("127.0.0.1", int(sys.argv[1])), type("H",
    (h.BaseHTTPRequestHandler,), {"do_POST": lambda s: s.send_error(500)})).serve_forever()' $port 2>/dev/null &
server=$!
SECONDS=0; until (echo >/dev/tcp/127.0.0.1/$port) 2>/dev/null || [ $SECONDS -gt 5 ]; do sleep 0.1; done
refused "one that answers an error is said to, with the error" "answered HTTP 500" \
    --sign cs.pfx --timestamp "http://127.0.0.1:$port/" "$maker" stamp/VT480QX.iso
kill $server
check "the password is never printed" '! grep -qF "$SIGN_PASSWORD" "$tmp/all.log"'

exit $failed
