#!/usr/bin/env bash
# Makes the Wine prefix the Windows tests run in, once: a 64-bit prefix (it
# runs 32-bit programs too, where the machine can), without the add-ons Wine
# would offer to download, at 96 dpi. Usage: make_wine_prefix.sh PREFIX
set -euo pipefail
prefix=$(realpath -m "$1") # Wine takes only an absolute prefix
[ -f "$prefix/system.reg" ] && [ -f "$prefix/.made" ] && { echo "Wine prefix ready: $prefix"; exit 0; }
rm -rf "$prefix"
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# wineboot wants no display; it must not find the developer's either.
env -u DISPLAY -u WAYLAND_DISPLAY /usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1
/usr/lib/wine/wineserver64 -w
touch "$prefix/.made"
echo "Wine prefix made: $prefix"
