#!/usr/bin/env bash
# Builds the Windows program (the 32-bit varns-house.exe, under emulation where
# the kernel runs no 32-bit code, or the 64-bit one where this machine cannot
# run 32-bit Wine at all: scripts/can_run_wine32.sh) and
# starts it under Wine, in a Wine prefix of its own inside the build folder.
set -euo pipefail
cd "$(dirname "$0")/.."
export VARN_SETUP_WINDOWS=1
source scripts/setup.sh
source scripts/wine_route.sh
wine_route_enter scripts/play-windows.sh "$@"
preset=$wine_preset build=$wine_build wine=$wine_loader
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" --target varns-house -j"$(nproc)"
bash tests/windows/make_wine_prefix.sh "$build/wine-prefix"
WINEPREFIX="$PWD/$build/wine-prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" \
  exec "$wine" "$build/varns-house.exe"
