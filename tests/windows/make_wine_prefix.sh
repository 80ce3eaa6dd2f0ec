#!/usr/bin/env bash
# Makes the Wine prefix the Windows tests run in, once: a 64-bit prefix (it
# runs 32-bit programs too, where the machine can), without the add-ons Wine
# would offer to download, at 96 dpi, and with no debugger started when a
# program crashes: Wine's would open its crash dialog and wait for a person,
# so a crash ends the program at once, with Wine's one-line report on its
# standard error. Usage: make_wine_prefix.sh PREFIX
set -euo pipefail
prefix=$(realpath -m "$1") # Wine takes only an absolute prefix
[ -f "$prefix/system.reg" ] && [ -f "$prefix/.ready" ] && { echo "Wine prefix ready: $prefix"; exit 0; }
rm -rf "$prefix"
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# wineboot wants no display; it must not find the developer's either.
env -u DISPLAY -u WAYLAND_DISPLAY /usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1
for view in 32 64; do
  /usr/lib/wine/wine64 reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' \
    /v Debugger /t REG_SZ /d '' /f /reg:$view >/dev/null 2>&1
done
/usr/lib/wine/wineserver64 -w
touch "$prefix/.ready"
echo "Wine prefix made: $prefix"
