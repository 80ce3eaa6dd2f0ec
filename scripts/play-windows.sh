#!/usr/bin/env bash
# Builds the Windows program (the 32-bit varns-house.exe, or the 64-bit one
# where this machine cannot run 32-bit code) and starts it under Wine, in a
# Wine prefix of its own inside the build folder.
set -euo pipefail
cd "$(dirname "$0")/.."
export VARN_SETUP_WINDOWS=1
source scripts/setup.sh
if bash scripts/can_run_i386.sh; then
  preset=windows-i686 build=build-win32 wine=/usr/lib/wine/wine
else
  preset=windows-x86_64 build=build-win64 wine=/usr/lib/wine/wine64
  echo "This machine cannot run 32-bit code: starting the 64-bit build of the same program."
fi
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" --target varns-house -j"$(nproc)"
bash tests/windows/make_wine_prefix.sh "$build/wine-prefix"
WINEPREFIX="$PWD/$build/wine-prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" \
  exec "$wine" "$build/varns-house.exe"
