#!/usr/bin/env bash
# One command for the whole benchmark: installs what it needs, builds the tour,
# the bare Qt window and the measuring X client in Release mode into
# build-bench/, starts a private Xvfb with openbox, and has x_probe alternate
# the two programs. Prints medians, ratios, targets and MET/MISSED.
#
#   bash bench/run.sh [RUNS] [IDLE_SECONDS]    (defaults: 15 runs, 10 s idle)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-15}
idle=${2:-10}

VARN_EXTRA_PACKAGES="${VARN_EXTRA_PACKAGES:-} libx11-dev libxtst-dev libxdamage-dev dbus-daemon at-spi2-core"
source scripts/setup.sh

build=build-bench
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DVARN_BUILD_BENCH=ON \
  >/dev/null
cmake --build "$build" -j"$(nproc)" --target varns-house bare_window x_probe >/dev/null

source tests/e2e/x_session.sh
start_x
echo "X server $DISPLAY, $(nproc) CPUs, $(uname -r); $runs runs, ${idle} s idle"
# Both programs run inside a session bus with the accessibility bus behind it,
# as in any desktop session. Without one, the toolkit's accessibility bridge
# has libdbus try to launch a bus (a fork and a failed exec) at the first
# widget text set: some 15 ms that no desktop session pays.
dbus-run-session -- "$build/bench/x_probe" --tour "$build/varns-house" --bare "$build/bench/bare_window" \
  --yardstick "a bare Qt window with one button" --memory-margin 5 \
  --runs "$runs" --idle "$idle" ${VARN_BENCH_VERBOSE:+--verbose}
