#!/usr/bin/env bash
# Writes the image of the maker's disc, or the same tree as a ZIP for a
# download when OUT ends in .zip: the build's SetupMenu.exe and autorun.inf
# at the root, and the files of FOLDER exactly, byte for byte.
# FOLDER holds them in the disc's layout (Test/news.exe, Command/*.doc,
# Driver/..., the two 模式 folders under their Chinese names) with whatever
# else the drivers need; links in it are followed. The tree is checked
# first: if a file the menu opens, runs or copies is missing, every such
# file is named and no image is written; so is every name Windows cannot
# open or tell from another, every path too long for it, every file of
# 4 GiB or more and every link to a folder it lies in (a loop). A file a
# Windows 98 driver depends on that is not beside it is warned about: the
# system may have it. The printer INF is read as Windows' setup reads it,
# once for each Windows the menu runs on (2000 to 11, x86, x64 and ARM64),
# and a line for each says whether that Windows installs the standard
# driver or why not: a Windows that cannot, or gets an unsigned driver, is
# warned about. A Class not Printer, a file or a catalog it names missing,
# or no Windows that can install it, is named and no image is written.
# The rules are tools/disc_rules.py's; this script builds, checks,
# copies, writes, reads back and signs. A disc without --sign is warned
# about: Smart App Control and SmartScreen stop an unsigned menu. FOLDER is
# only read. OUT is an image or ZIP file or nothing yet:
# a device, a pipe or a folder in its place is refused and left alone.
#   tools/make-disc.sh [--sign CERT.pfx [--timestamp URL]] [--] FOLDER OUT.iso|OUT.zip
# A run needs about twice the disc's size free in TMPDIR and once beside OUT.
# The image is read back through its Joliet tree, as Windows reads it,
# before it is kept: Joliet shortens long names and replaces some
# characters without a word, so a file missing, renamed or different there
# is named, and no image is written.
# A ZIP (tools/zip936.py) names its files in code page 936 without the
# UTF-8 flag, with each name in UTF-8 beside it (Info-ZIP's Unicode Path
# field): Windows' own ZIP folder reads the first, 7-Zip, WinRAR and
# Bandizip the second, so the 模式 folders keep their names. A name code
# page 936 cannot write is refused. 7-Zip reads it back byte for byte, and
# its raw headers are read for the 936 names, which 7-Zip passes over.
# --sign: the disc's SetupMenu.exe (not the build's) is signed with
# Authenticode, SHA-256, by osslsigncode with the certificate and key of
# CERT.pfx, whose password is taken from $SIGN_PASSWORD and given to the
# signing steps alone; --timestamp has an RFC 3161 server at URL
# countersign it, so that the signature outlives the certificate. The
# signature is verified before the image is written. A certificate that is
# not for code signing is refused; one that chains to no root this system
# trusts, and a signature without a timestamp, are warned about.
# Prints the SHA-256 of the image and of the disc's SetupMenu.exe, and of
# the build's when that one is signed. The build's files carry its fixed
# time (cmake/source-date.sh), the maker's their own, so the same folder
# and build give the same image; a signed one differs by its signing time.
# Builds the menu first if needed (build/win, or $SETUPMENU_BUILD); two runs
# on one build folder take turns.
set -euo pipefail
usage() {
    echo "usage: tools/make-disc.sh [--sign CERT.pfx [--timestamp URL]] [--] FOLDER OUT.iso|OUT.zip" >&2
    echo "  FOLDER: the maker's files in the disc's layout; CERT.pfx's password in \$SIGN_PASSWORD" >&2
    echo "  OUT.zip: the same files as a ZIP to download, names for Simplified Chinese Windows" >&2
    echo "  needs about twice the disc's size free in \$TMPDIR, and once beside OUT" >&2
    exit 2
}
die() { echo "make-disc: $*" >&2; exit 1; }
warn() { echo "make-disc: warning: $*" >&2; }
# A failed step's messages, and what they mean when the space ran out.
failed() {  # failed WHAT-FAILED [WHERE-IT-WROTE]
    if grep -q 'No space left on device' "$log"; then
        die "${2:-$scratch (TMPDIR)} ran out of space: a run needs about twice the disc's size in TMPDIR and once beside OUT; no $kind written"
    fi
    tail -5 "$log" >&2
    die "$1 (above); no $kind written"
}
avail() { df -PB1 "$1" | awk 'NR == 2 { print $4 }'; }
mb() { echo "$((($1 + 999999) / 1000000)) MB"; }
listing() { (cd "$1" && find . -mindepth 1 | LC_ALL=C sort); }
# The certificate file through OpenSSL, the password through its
# environment. Older exports are encrypted with algorithms OpenSSL 3 keeps
# apart.
pfx() { SIGN_PASSWORD=$password openssl pkcs12 -in "$cert" -passin env:SIGN_PASSWORD "$@" 2>&1 ||
        SIGN_PASSWORD=$password openssl pkcs12 -legacy -in "$cert" -passin env:SIGN_PASSWORD "$@" 2>&1; }
# The password reaches the signer through a pipe: never on a command line.
sign() { timeout 300 osslsigncode sign -pkcs12 "$cert" "$@" -h sha256 ${stamp:+-ts "$stamp"} \
             -in "$build/cd/SetupMenu.exe" -out "$tmp/signed.exe"; }
tmp= log= part=
trap 'rm -rf "$tmp" "$log" "$part"' EXIT
# The password is for the signing steps only, not for every program this
# script starts (cmake, the compilers, xorriso, 7-Zip).
password=${SIGN_PASSWORD-} has_password=${SIGN_PASSWORD+set}
unset SIGN_PASSWORD
cert= stamp=
while [ $# -gt 0 ]; do
    case $1 in
        --sign) [ $# -ge 2 ] || usage; cert=$2; shift 2 ;;
        --timestamp) [ $# -ge 2 ] || usage; stamp=$2; shift 2 ;;
        --) shift; break ;;
        -*) usage ;;
        *) break ;;
    esac
done
if [ $# -ne 2 ] || [ ! -d "$1" ]; then usage; fi
[ -z "$stamp" ] || [ -n "$cert" ] || die "--timestamp goes with --sign"
folder=$(realpath -- "$1") out=$(realpath -m -- "$2")
kind=image
case ${out,,} in *.zip) kind=ZIP ;; esac
case "$out/" in "$folder"/*)
    echo "make-disc: OUT must lie outside FOLDER, which is only read" >&2; exit 2 ;;
esac
[ ! -d "$out" ] || { echo "make-disc: $out is a folder; name the $kind file" >&2; exit 2; }
# A burner's or any other device, a pipe: never replaced by a file.
[ ! -e "$out" ] || [ -f "$out" ] ||
    { echo "make-disc: $out is not a file (a device or a pipe?); it is left as it is: name an image or ZIP file" >&2; exit 2; }
# Where OUT goes must take a file, which the folder it is made in, if it is
# not there yet, shows as well.
dir=$(dirname "$out")
while [ ! -e "$dir" ]; do dir=$(dirname "$dir"); done
try=$(mktemp -p "$dir" .make-disc.XXXXXX 2>/dev/null) || die "$dir cannot be written in: no $kind can be put there"
rm -f "$try"
top=$(cd "$(dirname "$0")/.." && pwd)
build=${SETUPMENU_BUILD:-$top/build/win}
scratch=${TMPDIR:-/tmp}

mkdir -p "$build"
exec 9>>"$build/.make-disc.lock"
flock -n 9 || { echo "make-disc: waiting for another make-disc run on $build" >&2; flock 9; }
log=$(mktemp) && tmp=$(mktemp -d) || die "nothing can be written in $scratch (TMPDIR)"

# The certificate before anything else: its password, a key, what it is for,
# and whether Windows will trust it.
if [ -n "$cert" ]; then
    [ -f "$cert" ] || die "no certificate file $cert"
    [ -n "$has_password" ] || die "set SIGN_PASSWORD to the password of $cert"
    command -v osslsigncode >/dev/null || die "osslsigncode is not installed (tools/install-deps.sh)"
    if ! info=$(pfx -info -noout); then
        grep -q 'invalid password' <<<"$info" && die "wrong password for $cert (SIGN_PASSWORD)"
        die "cannot read $cert: $(tail -1 <<<"$info")"
    fi
    grep -q 'Keybag\|Key bag' <<<"$info" || die "$cert holds no private key: export the certificate with its key"
    pfx -nokeys -clcerts >"$tmp/signer.pem"
    pfx -nokeys -cacerts >"$tmp/chain.pem"
    signer=$(openssl x509 -in "$tmp/signer.pem" -noout -subject -nameopt utf8,sep_comma_plus | sed 's/^subject=//')
    usages=$(openssl x509 -in "$tmp/signer.pem" -noout -ext extendedKeyUsage 2>/dev/null | sed '1d; s/^ *//')
    # Without the extension a certificate serves any use.
    if [ -n "$usages" ] && ! grep -q 'Code Signing' <<<"$usages"; then
        die "$cert is not a code-signing certificate: \"$signer\" is for $usages; Windows takes only a code-signing one for a program"
    fi
    system=/etc/ssl/certs/ca-certificates.crt
    if ! openssl verify -CAfile "$system" \
            $(grep -q CERTIFICATE "$tmp/chain.pem" && echo -untrusted "$tmp/chain.pem") "$tmp/signer.pem" >/dev/null 2>&1; then
        warn "\"$signer\" ($cert) chains to no root this system trusts (self-signed, or an in-house or test CA): Windows will not trust it either, and will name the menu's publisher \"Unknown publisher\""
    fi
    [ -n "$stamp" ] || warn "no --timestamp: the signature ends when \"$signer\" expires ($(openssl x509 -in "$tmp/signer.pem" -noout -enddate | cut -d= -f2)); a timestamp server's countersignature outlives it"
    # Its certificates and the system's CAs are what the signature is verified against.
    { pfx -nokeys; cat "$system" 2>/dev/null || true; } >"$tmp/trust.pem"
fi

[ -n "$cert" ] || warn "the menu is not signed (no --sign): Windows 11's Smart App Control, where it is on, blocks an unsigned program outright, and SmartScreen warns before one from a downloaded image runs; sign it with a code-signing certificate from a CA Windows trusts"

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
    die "$folder lacks the files above; no $kind written"
fi
# Windows 98 installs these from beside the driver when the system lacks
# them; a system may have them, so only a warning.
"$build/cdcheck" --dependent | while IFS= read -r f; do
    [ -f "$folder/$f" ] ||
        warn "$f is not beside its driver: as Windows 98, a system without one of its own cannot install that driver (the driver-failure box)"
done
# The printer INF as Windows' setup will read it for the menu's own
# printer-install command (its INF and model, from cdcheck).
{ read -r inf && read -r model; } < <("$build/cdcheck" --printui)
/usr/bin/python3 "$top/tools/disc_rules.py" inf "$folder" "$inf" "$model" ||
    die "Windows could not install the standard driver from $inf as above; no $kind written"
for f in autorun.inf SetupMenu.exe; do
    if found=$(find "$folder/" -maxdepth 1 -iname "$f" -type d | grep .); then
        die "$found is a folder (left by a USB \"vaccine\" tool?): the disc's $f goes there; remove or rename it; no $kind written"
    fi
done
# Names as Windows opens them from the disc (its CD file system ignores
# case throughout Unicode), and what ISO 9660 holds. Prints the disc's size.
size=$(/usr/bin/python3 "$top/tools/disc_rules.py" names "$folder") || die "Windows could not use the disc with the names or files above; no $kind written"
[ $kind = image ] || /usr/bin/python3 "$top/tools/zip936.py" names "$folder" ||
    die "the ZIP cannot name the files above for Simplified Chinese Windows; no ZIP written"
# Checked now, not found full half-way.
[ "$(avail "$scratch")" -ge $((2 * size)) ] ||
    die "$scratch (TMPDIR) has $(mb "$(avail "$scratch")") free; the disc needs about $(mb $((2 * size))) there: set TMPDIR to a roomier folder; no $kind written"
[ "$(avail "$dir")" -ge "$size" ] ||
    die "$dir has $(mb "$(avail "$dir")") free; the $kind needs about $(mb "$size"); no $kind written"

# The disc's tree: FOLDER's files as they are (links followed, times kept),
# and the menu at the root in place of any the folder has.
mkdir "$tmp/disc"
cp -RL --preserve=timestamps "$folder/." "$tmp/disc/" 2>"$log" || failed "FOLDER has a file that cannot be read"
chmod -R u+w "$tmp/disc"
find "$tmp/disc" -maxdepth 1 -type f \( -iname SetupMenu.exe -o -iname autorun.inf \) -print -delete |
    sed "s|^$tmp/disc/|make-disc: replaced by the build's: |"
cp --preserve=timestamps "$build/cd/SetupMenu.exe" "$build/cd/autorun.inf" "$tmp/disc/" 2>"$log" || failed "the build's menu cannot be copied"

if [ -n "$cert" ]; then
    # An empty password is no password at all to osslsigncode.
    rc=0
    if [ -n "$password" ]; then sign -readpass <(printf '%s' "$password"); else sign; fi >"$log" 2>&1 || rc=$?
    if [ $rc != 0 ]; then
        if [ -n "$stamp" ]; then
            if [ $rc = 124 ] || grep -qiE 'connect error|timed out|resolve|unreachable' "$log"; then
                die "the timestamp server $stamp did not answer; no $kind written"
            fi
            answer=$(grep -o 'code=[0-9]*, reason=[^:]*' "$log" | head -1)
            [ -z "$answer" ] || die "the timestamp server $stamp answered HTTP ${answer#code=}, not a timestamp; no $kind written"
            ! grep -qi 'timestamp' "$log" ||
                die "the timestamp server $stamp answered with no timestamp ($(grep -i error "$log" | tail -1)); no $kind written"
        fi
        failed "SetupMenu.exe could not be signed"
    fi
    if ! osslsigncode verify -in "$tmp/signed.exe" -CAfile "$tmp/trust.pem" -TSA-CAfile "$tmp/trust.pem" >"$log" 2>&1; then
        grep -i 'fail\|error' "$log" | tail -5 >&2
        why=$(grep -o 'Verify error: .*' "$log" | head -1)
        die "the signature does not verify against $cert's certificates and the system's CAs${why:+ (${why#Verify error: })}; no $kind written"
    fi
    # A signature is added, nothing else changed: code and resources are the build's.
    osslsigncode remove-signature -in "$tmp/signed.exe" -out "$tmp/unsigned.exe" >"$log" 2>&1 &&
        cmp -s "$tmp/unsigned.exe" "$build/cd/SetupMenu.exe" ||
        die "the signed SetupMenu.exe is more than the build's with a signature; no $kind written"
    touch -r "$build/cd/SetupMenu.exe" "$tmp/signed.exe"
    cp --preserve=timestamps "$tmp/signed.exe" "$tmp/disc/SetupMenu.exe"
fi
touch -d "@$epoch" "$tmp/disc"

# Into a temporary file beside OUT, renamed only when read back whole.
mkdir -p "$(dirname "$out")"
part=$(mktemp "$out.XXXXXX")
if [ $kind = ZIP ]; then
    /usr/bin/python3 "$top/tools/zip936.py" write "$tmp/disc" "$part" 2>"$log"
else
    SOURCE_DATE_EPOCH=$epoch "$top/cd/make-iso.sh" "$tmp/disc" "$part" 2>"$log"
fi || failed "the $kind could not be written" "$(dirname "$out")"

# Read back by 7-Zip, another code base than the writer, through the Joliet
# tree or the ZIP's UTF-8 names: every name, every folder and every byte as
# in the disc's tree.
LC_ALL=C.UTF-8 7z x -bd -y -o"$tmp/back" "$part" >"$log" 2>&1 || failed "the $kind cannot be read back"
listing "$tmp/disc" >"$tmp/want"
listing "$tmp/back" >"$tmp/got"
bad=$({
    LC_ALL=C comm -23 "$tmp/want" "$tmp/got" | sed 's/^/not on the disc under its name: /'
    LC_ALL=C comm -13 "$tmp/want" "$tmp/got" | sed 's/^/on the disc, not in FOLDER: /'
    LC_ALL=C comm -12 "$tmp/want" "$tmp/got" | while IFS= read -r f; do
        { [ -d "$tmp/disc/$f" ] && [ -d "$tmp/back/$f" ]; } || cmp -s "$tmp/disc/$f" "$tmp/back/$f" ||
            echo "different on the disc: $f"
    done
} | sed 's|: \./|: |')
if [ -n "$bad" ]; then
    sed 's/^/make-disc: /' <<<"$bad" >&2
    [ $kind = ZIP ] && die "the ZIP does not hold FOLDER as it is; no ZIP written"
    die "the disc would not hold FOLDER as it is (a Joliet name holds at most 103 characters and no ;); no $kind written"
fi
# The names Windows' own ZIP folder reads, which 7-Zip passes over for the
# UTF-8 ones: from the raw headers.
[ $kind = image ] || /usr/bin/python3 "$top/tools/zip936.py" check "$part" "$tmp/disc" ||
    die "the ZIP's code-page-936 names are not FOLDER's (above); no ZIP written"

chmod 644 "$part"
mv -f "$part" "$out"
bytes=$(stat -c %s "$out")
echo "wrote $out ($bytes bytes, $(find "$tmp/disc" -type f | wc -l) files, read back whole)"
# 80 minutes of CD: 360,000 sectors of 2,048 bytes.
[ $kind = ZIP ] || [ "$bytes" -le 737280000 ] || warn "the image is $(mb "$bytes"), more than a CD holds (700 MB): it needs a DVD"
echo "SHA-256 $(sha256sum <"$out" | cut -d' ' -f1)  $(basename "$out")"
echo "SHA-256 $(sha256sum <"$tmp/disc/SetupMenu.exe" | cut -d' ' -f1)  SetupMenu.exe${cert:+, signed}"
if [ -n "$cert" ]; then
    # What to check a signed disc against: its signature taken off
    # (osslsigncode remove-signature) gives back the build's menu.
    echo "SHA-256 $(sha256sum <"$build/cd/SetupMenu.exe" | cut -d' ' -f1)  SetupMenu.exe without its signature, the build's"
fi
