#!/usr/bin/env bash
# Writes the image of the maker's disc: the build's SetupMenu.exe and
# autorun.inf at the root, and the files of FOLDER exactly, byte for byte.
# FOLDER holds them in the disc's layout (Test/news.exe, Command/*.doc,
# Driver/..., the two 模式 folders under their Chinese names) with whatever
# else the drivers need; links in it are followed. The tree is checked
# first: if a file the menu opens, runs or copies is missing, every such
# file is named and no image is written. FOLDER is only read.
#   tools/make-disc.sh [--sign CERT.pfx [--timestamp URL]] FOLDER OUT.iso
# The image is read back through its Joliet tree, as Windows reads it,
# before it is kept: Joliet shortens long names and replaces some
# characters without a word, so a file missing, renamed or different there
# is named, and no image is written.
# --sign: the disc's SetupMenu.exe (not the build's) is signed with
# Authenticode, SHA-256, by osslsigncode with the certificate and key of
# CERT.pfx, whose password is taken from $SIGN_PASSWORD; --timestamp has an
# RFC 3161 server at URL countersign it, so that the signature outlives the
# certificate. The signature is verified before the image is written.
# Prints the SHA-256 of the image and of the disc's SetupMenu.exe. The
# build's files carry its fixed time (cmake/source-date.sh), the maker's
# their own, so the same folder and build give the same image.
# Builds the menu first if needed (build/win, or $SETUPMENU_BUILD).
set -euo pipefail
usage() {
    echo "usage: tools/make-disc.sh [--sign CERT.pfx [--timestamp URL]] FOLDER OUT.iso" >&2
    echo "  FOLDER: the maker's files in the disc's layout; CERT.pfx's password in \$SIGN_PASSWORD" >&2
    exit 2
}
die() { echo "make-disc: $*" >&2; exit 1; }
cert= stamp=
while [ $# -gt 0 ]; do
    case $1 in
        --sign) [ $# -ge 2 ] || usage; cert=$2; shift 2 ;;
        --timestamp) [ $# -ge 2 ] || usage; stamp=$2; shift 2 ;;
        -*) usage ;;
        *) break ;;
    esac
done
if [ $# -ne 2 ] || [ ! -d "$1" ]; then usage; fi
[ -z "$stamp" ] || [ -n "$cert" ] || die "--timestamp goes with --sign"
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

# The certificate before anything else: its password, and a key in it.
if [ -n "$cert" ]; then
    [ -f "$cert" ] || die "no certificate file $cert"
    [ -n "${SIGN_PASSWORD+set}" ] || die "set SIGN_PASSWORD to the password of $cert"
    command -v osslsigncode >/dev/null || die "osslsigncode is not installed (tools/install-deps.sh)"
    # Older exports are encrypted with algorithms OpenSSL 3 keeps apart.
    pfx() { openssl pkcs12 -in "$cert" -passin env:SIGN_PASSWORD "$@" 2>&1 ||
            openssl pkcs12 -legacy -in "$cert" -passin env:SIGN_PASSWORD "$@" 2>&1; }
    if ! info=$(pfx -info -noout); then
        grep -q 'invalid password' <<<"$info" && die "wrong password for $cert (SIGN_PASSWORD)"
        die "cannot read $cert: $(tail -1 <<<"$info")"
    fi
    grep -q 'Keybag\|Key bag' <<<"$info" || die "$cert holds no private key: export the certificate with its key"
    # Its certificates and the system's CAs are what the signature is verified against.
    { pfx -nokeys; cat /etc/ssl/certs/ca-certificates.crt 2>/dev/null || true; } >"$tmp/trust.pem"
fi

# The sample CD's target builds the menu, lays out its autorun.inf and
# builds cdcheck; the sample tree itself is not used.
if ! { { [ -f "$build/build.ninja" ] || (cd "$top" && cmake --preset win -B "$build"); } &&
       cmake --build "$build" --target sample_cd; } >"$log" 2>&1; then
    tail -20 "$log"
    die "the menu could not be built (see above)"
fi
epoch=$(cat "$build/source-date-epoch")

echo "checking $folder"
if ! "$build/cdcheck" "$folder"; then
    die "$folder lacks the files above; no image written"
fi

# The disc's tree: FOLDER's files as they are (links followed, times kept),
# and the menu at the root in place of any the folder has.
mkdir "$tmp/disc"
cp -RL --preserve=timestamps "$folder/." "$tmp/disc/" || die "FOLDER has a file that cannot be read (above); no image written"
chmod -R u+w "$tmp/disc"
find "$tmp/disc" -maxdepth 1 -type f \( -iname SetupMenu.exe -o -iname autorun.inf \) -print -delete |
    sed "s|^$tmp/disc/|make-disc: replaced by the build's: |"
cp --preserve=timestamps "$build/cd/SetupMenu.exe" "$build/cd/autorun.inf" "$tmp/disc/"

if [ -n "$cert" ]; then
    # The password reaches the signer through a pipe: never on a command line.
    rc=0
    timeout 300 osslsigncode sign -pkcs12 "$cert" -readpass <(printf '%s' "$SIGN_PASSWORD") -h sha256 \
        ${stamp:+-ts "$stamp"} -in "$build/cd/SetupMenu.exe" -out "$tmp/signed.exe" >"$log" 2>&1 || rc=$?
    if [ $rc != 0 ]; then
        if [ -n "$stamp" ] && { [ $rc = 124 ] || grep -qi 'timestamp' "$log"; }; then
            die "the timestamp server $stamp did not answer; no image written"
        fi
        tail -5 "$log" >&2
        die "SetupMenu.exe could not be signed (above); no image written"
    fi
    if ! osslsigncode verify -in "$tmp/signed.exe" -CAfile "$tmp/trust.pem" -TSA-CAfile "$tmp/trust.pem" >"$log" 2>&1; then
        grep -i 'fail\|error' "$log" | tail -5 >&2
        die "the signature does not verify against $cert's certificates and the system's CAs; no image written"
    fi
    # A signature is added, nothing else changed: code and resources are the build's.
    osslsigncode remove-signature -in "$tmp/signed.exe" -out "$tmp/unsigned.exe" >"$log" 2>&1 &&
        cmp -s "$tmp/unsigned.exe" "$build/cd/SetupMenu.exe" ||
        die "the signed SetupMenu.exe is more than the build's with a signature; no image written"
    touch -r "$build/cd/SetupMenu.exe" "$tmp/signed.exe"
    cp --preserve=timestamps "$tmp/signed.exe" "$tmp/disc/SetupMenu.exe"
fi
touch -d "@$epoch" "$tmp/disc"

# Into a temporary file beside OUT, renamed only when read back whole.
mkdir -p "$(dirname "$out")"
part=$(mktemp "$out.XXXXXX")
trap 'rm -rf "$tmp" "$log" "$part"' EXIT
SOURCE_DATE_EPOCH=$epoch "$top/cd/make-iso.sh" "$tmp/disc" "$part"

# Read back by 7-Zip, another code base than the writer, through the Joliet
# tree: every name, every folder and every byte as in the disc's tree.
LC_ALL=C.UTF-8 7z x -bd -y -o"$tmp/back" "$part" >"$log" 2>&1 || { tail -5 "$log" >&2; die "the image cannot be read back; no image written"; }
listing() { (cd "$1" && find . -mindepth 1 | LC_ALL=C sort); }
listing "$tmp/disc" >"$tmp/want"
listing "$tmp/back" >"$tmp/got"
bad=$({
    LC_ALL=C comm -23 "$tmp/want" "$tmp/got" | sed 's/^/not on the disc under its name: /'
    LC_ALL=C comm -13 "$tmp/want" "$tmp/got" | sed 's/^/on the disc, not in FOLDER: /'
    LC_ALL=C comm -12 "$tmp/want" "$tmp/got" | while IFS= read -r f; do
        { [ -d "$tmp/disc/$f" ] && [ -d "$tmp/back/$f" ]; } || cmp -s "$tmp/disc/$f" "$tmp/back/$f" ||
            echo "different on the disc: $f"
    done
    awk '{ n = tolower($0) } seen[n]++ { print "the same name to Windows, which ignores case: " $0 }' "$tmp/want"
} | sed 's|: \./|: |')
if [ -n "$bad" ]; then
    sed 's/^/make-disc: /' <<<"$bad" >&2
    die "the disc would not hold FOLDER as it is (a Joliet name holds at most 103 characters and no ; * ? : \\); no image written"
fi

chmod 644 "$part"
mv -f "$part" "$out"
echo "wrote $out ($(stat -c %s "$out") bytes, $(find "$tmp/disc" -type f | wc -l) files, read back whole)"
echo "SHA-256 $(sha256sum <"$out" | cut -d' ' -f1)  $(basename "$out")"
echo "SHA-256 $(sha256sum <"$tmp/disc/SetupMenu.exe" | cut -d' ' -f1)  SetupMenu.exe${cert:+, signed}"
