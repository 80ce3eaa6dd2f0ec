#!/usr/bin/env bash
# Sets up, builds and runs every test: unit and widget tests offscreen, the
# end-to-end tests against the real program under Xvfb. Then the same again
# built with AddressSanitizer, LeakSanitizer and UndefinedBehaviorSanitizer,
# where any finding fails its test (CMakePresets.json, tests/sanitizers/).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh
for preset in default asan; do
  echo "== $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j"$(nproc)"
  ctest --preset "$preset" -j"$(nproc)"
done
