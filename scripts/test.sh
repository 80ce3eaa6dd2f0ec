#!/usr/bin/env bash
# Sets up, builds and runs every test: unit and widget tests offscreen, the
# end-to-end tests against the real program under Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON >/dev/null
cmake --build build -j"$(nproc)"
ctest --test-dir build --output-on-failure -j"$(nproc)"
