#!/usr/bin/env bash
# The long random-input soak: a million events (or $1) with a fresh seed (or
# $2), reporting events per second. A failure prints the seed and event number;
# replay it with the same two arguments.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON >/dev/null
cmake --build build --target test_soak -j"$(nproc)"
VARN_SOAK_EVENTS=${1:-1000000} VARN_SOAK_SEED=${2:-$RANDOM$RANDOM} QT_QPA_PLATFORM=offscreen \
  ./build/tests/test_soak randomVisitorFollowsTheMap 2>&1 | grep -v "does not support raise"
