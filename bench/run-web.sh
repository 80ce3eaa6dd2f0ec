#!/usr/bin/env bash
# The browser benchmark in one command: installs what it needs, builds the
# site and the bare page (bench/bare_page.cpp) with Emscripten in Release mode
# into build-bench-web/, and has bench/web_probe.py load the two in headless
# Chromium, alternating, a fresh browser profile each run, the files served on
# 127.0.0.1. Prints the machine, the browser, medians with their spread, the
# targets and MET/MISSED, and the files the first load fetched. Then
# bench/engines_probe.py gives the first frame and the bytes of the first load
# in Chromium, WebKit and Firefox, each against the bare page in that engine.
#
#   bash bench/run-web.sh [RUNS [ENGINE_RUNS]]    (default: 15 and 7 runs)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-15}
engine_runs=${2:-7}

export VARN_SETUP_WEB=1
source scripts/setup.sh

build=build-bench-web
export NODE_PATH=/usr/share/nodejs # Emscripten's link step: the preset's setting, for a plain build
cmake --preset web -B "$build" -DBUILD_TESTING=OFF -DVARN_BUILD_BENCH=ON >/dev/null
cmake --build "$build" -j"$(nproc)" --target varns-house varns-house_site bare-page varns-house_icons >/dev/null

echo "$(nproc) CPUs, $(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -1)," \
  "$(uname -r); $(/usr/bin/chromium --version 2>/dev/null); $runs runs"
/usr/bin/python3 bench/web_probe.py "$build/site" "$build/bare-page" --runs "$runs" \
  ${VARN_BENCH_VERBOSE:+--verbose}
echo
echo "$(/usr/bin/chromium --version 2>/dev/null); WebKitGTK $(dpkg-query -W -f='${Version}' \
  libwebkit2gtk-4.1-0 2>/dev/null); $(firefox-esr --version 2>/dev/null)"
/usr/bin/python3 bench/engines_probe.py "$build/site" "$build/bare-page" --runs "$engine_runs"
