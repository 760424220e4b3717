#!/usr/bin/env bash
# Installs what the build, the menu under Wine and the tests need, on
# Debian 12 as root: the i386 architecture, Wine (32- and 64-bit: the menu
# runs in a 64-bit prefix too), mingw-w64 for both, CMake, Ninja,
# GoogleTest, Xvfb, openbox, xdotool, ImageMagick, xorriso, 7-Zip (reads
# images back), osslsigncode and OpenSSL (the signed disc), pefile and
# python-xlib (the resource and pointer checks),
# CJK fonts (a Song face stands in for 宋体, with 宋体's line metrics by fontTools), the zh_CN.UTF-8 locale, and an ordinary
# user for the end-to-end tests (E2E_USER, default menuuser): the menu must
# be tried as a user meets it, and Wine run as root writes over read-only
# files. Does nothing for what is already there.
set -euo pipefail
export DEBIAN_FRONTEND=noninteractive

packages=(
    cmake ninja-build g++ googletest libgtest-dev
    g++-mingw-w64-i686 binutils-mingw-w64-i686 mingw-w64-i686-dev
    g++-mingw-w64-x86-64-win32 binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev
    wine wine32:i386 wine64
    xvfb openbox x11-utils xdotool imagemagick
    locales fonts-wqy-zenhei fonts-arphic-uming
    xorriso p7zip-full osslsigncode openssl ca-certificates faketime python3-pefile python3-xlib python3-fonttools
)

if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
fi
install_packages() {
    local missing=() p log
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    [ ${#missing[@]} -gt 0 ] || return 0
    echo "installing: ${missing[*]}"
    log=$(mktemp)
    if ! { apt-get update -qq && apt-get install -y -qq --no-install-recommends "${missing[@]}"; } >"$log" 2>&1; then
        tail -40 "$log"
        exit 1
    fi
    rm -f "$log"
}
install_packages "${packages[@]}"
# zh_CN gives Wine's programs code page 936; en_US, 1252, another language's.
for l in zh_CN en_US; do
    locale -a 2>/dev/null | grep -qix "$l.utf8" || localedef -i $l -f UTF-8 $l.UTF-8
done
user=${E2E_USER:-menuuser}
if ! id "$user" >/dev/null 2>&1; then
    useradd --create-home --shell /bin/bash "$user"
fi
