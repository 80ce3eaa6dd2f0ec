#!/usr/bin/env bash
# Sets up, builds and starts the tour.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target varns-house -j"$(nproc)"
exec ./build/varns-house
