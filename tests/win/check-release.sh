#!/usr/bin/env bash
# The same bytes from the same commit, built seconds apart in two folders:
# a clone, which takes the last commit's time, and a copy without git
# history built with SOURCE_DATE_EPOCH set to that time, as a packager
# builds from a source archive. The same SetupMenu.exe and the same sample
# image, byte for byte, linked and dated at that time. Both copies carry
# the working tree's changes. Then a changed manifest is compiled in again,
# and, as root, a clone another user owns, whose history git will not read,
# stops its build, naming SOURCE_DATE_EPOCH.
#   check-release.sh
set -u
top=$(cd "$(dirname "$0")/../.." && pwd)
[ -e "$top/.git" ] || { echo "not a git checkout: no commit to build twice"; exit 77; }
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
failed=0
check() { if eval "$2" >/dev/null 2>&1; then echo "ok - $1"; else echo "not ok - $1"; failed=1; fi; }
when=$(git -C "$top" log -1 --format=%ct)
overlay() { (cd "$top" && git ls-files -co --exclude-standard -z | tar --null --ignore-failed-read -T - -cf -) | tar -C "$1" -xf -; }
build() { (cd "$1" && cmake --preset win && cmake --build --preset win --target cd_image) >"$1.log" 2>&1 || tail -20 "$1.log"; }

one=$tmp/one/SetupMenu two="$tmp/second copy/src"
git clone -q --no-local "$top" "$one" && overlay "$one"
mkdir -p "$two" && overlay "$two"
build "$one"
SOURCE_DATE_EPOCH=$when build "$two"
for f in SetupMenu.exe VELTA-VT480QX.iso; do
    check "the same $f: $(sha256sum <"$one/build/win/$f" | cut -c1-16)" 'cmp "$one/build/win/$f" "$two/build/win/$f"'
done
stamp=$(i686-w64-mingw32-objdump -p "$one/build/win/SetupMenu.exe" | sed -n 's/^Time\/Date[[:space:]]*//p')
check "linked at the last commit's time, $(date -u -d "@$when" +%FT%TZ)" '[ "$(date -d "$stamp" +%s)" = "$when" ]'
printf '\n' >>"$two/res/SetupMenu.manifest"
SOURCE_DATE_EPOCH=$when build "$two"
check "a changed manifest makes a changed exe" '! cmp -s "$one/build/win/SetupMenu.exe" "$two/build/win/SetupMenu.exe"'
if [ "$(id -u)" = 0 ] && id "${E2E_USER:-menuuser}" >/dev/null 2>&1; then
    git clone -q --no-local "$top" "$tmp/theirs" && overlay "$tmp/theirs" && chown -R "${E2E_USER:-menuuser}" "$tmp/theirs"
    check "a clone another user owns, built as root, stops, naming SOURCE_DATE_EPOCH" \
        '! "$tmp/theirs/cmake/source-date.sh" --update "$tmp/theirs" "$tmp/epoch" 2>"$tmp/theirs.log" &&
         grep -q "set SOURCE_DATE_EPOCH" "$tmp/theirs.log"'
fi
check "and the image dated then" 'xorriso -indev "$one/build/win/VELTA-VT480QX.iso" -pvd_info 2>&1 |
    grep -qx "Creation Time: $(date -u -d "@$when" +%Y%m%d%H%M%S)00"'
exit $failed
