#!/bin/sh
# Copies the pictures of the last end-to-end run into docs/, which the
# README shows. Run the tests first (tests/run-all.sh).
set -eu
cd "$(dirname "$0")/.."
e2e=build/win/e2e
for f in startup/start hover/hover-drivers hover/hover-commands hover/hover-testprog hover/hover-website \
         install-9x/install-win98; do
    [ -f "$e2e/win98/$f.png" ] || { echo "no $e2e/win98/$f.png: run the tests first" >&2; exit 1; }
    cp "$e2e/win98/$f.png" "docs/${f#*/}.png"
done
# 150 %, as XP draws the menu DPI-aware at 144 dpi.
[ -f "$e2e/winxp/dpi/start-150.png" ] || { echo "no $e2e/winxp/dpi/start-150.png: run the tests first" >&2; exit 1; }
cp "$e2e/winxp/dpi/start-150.png" docs/start-150.png
echo "docs/ pictures updated from $e2e/win98 and $e2e/winxp/dpi"
