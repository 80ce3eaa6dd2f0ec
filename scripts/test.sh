#!/usr/bin/env bash
# Sets up, builds and runs every test: unit and widget tests offscreen, the
# end-to-end tests against the real program under Xvfb. Then the same again
# built with AddressSanitizer, LeakSanitizer and UndefinedBehaviorSanitizer,
# where any finding fails its test (CMakePresets.json, tests/sanitizers/).
# Then the Windows program, cross-built for 32-bit and 64-bit Windows: both
# executables are read back, and the end-to-end tests drive it under Wine: the
# 32-bit exe where this machine runs 32-bit Wine (natively, or under user-mode
# emulation where the kernel runs no 32-bit code), the 64-bit build of the
# same source where it does not (each build's tests say which; VARN_WINE32=0,
# 1 or emulated picks the route). Last, the browser program, built with Emscripten and
# driven in Chromium, WebKit and Firefox.
set -euo pipefail
cd "$(dirname "$0")/.."
export VARN_SETUP_WINDOWS=1 VARN_SETUP_WEB=1
source scripts/setup.sh
# Asked once, so that both Windows builds take the same route.
source scripts/wine_route.sh
export VARN_WINE32=$wine_route
for preset in default asan windows-i686 windows-x86_64 web; do
  echo "== $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j"$(nproc)"
  ctest --preset "$preset" -j"$(nproc)"
done
