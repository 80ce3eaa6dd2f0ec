#!/usr/bin/env bash
# The Windows benchmark in one command: builds the Windows tour and a bare
# Win32 program with one button, with the same toolchain and flags (the 32-bit
# ones where this machine runs 32-bit Wine, natively or under emulation, which
# then runs both and is named in every figure; else the 64-bit ones), and the
# measuring X client; starts a private Xvfb with openbox, and one Wine server
# and desktop kept running for both programs, as Windows itself is; and has
# x_probe alternate the two, stripped as shipped. Prints the exes' stripped
# sizes and one table.
#
#   bash bench/run-windows.sh [RUNS] [IDLE_SECONDS]    (defaults: 15 runs, 10 s idle)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-15}
idle=${2:-10}

export VARN_SETUP_WINDOWS=1
VARN_EXTRA_PACKAGES="${VARN_EXTRA_PACKAGES:-} libx11-dev libxtst-dev libxdamage-dev"
source scripts/setup.sh

cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DVARN_BUILD_BENCH=ON \
  >/dev/null
cmake --build build-bench -j"$(nproc)" --target x_probe >/dev/null

source scripts/wine_route.sh
wine_route_enter bench/run-windows.sh "$@"
arch=$wine_arch wine=$wine_loader
# Under emulation both programs run through the same emulator, and every
# figure says so.
emulated=
[ -z "${VARN_I386_EMULATED:-}" ] ||
  emulated=", emulated by $(bash scripts/emulated_i386.sh --version)"
build=build-bench-win-$arch
cmake -S . -B "$build" --toolchain "cmake/toolchains/mingw-$arch.cmake" -DCMAKE_BUILD_TYPE=Release \
  -DBUILD_TESTING=OFF -DVARN_BUILD_BENCH=ON >/dev/null
cmake --build "$build" -j"$(nproc)" --target varns-house bare_window_win32 \
  desktop_keeper_win32 >/dev/null

# What the exe carries, stripped as it would be shipped, for both architectures.
# Both measured programs run stripped, as shipped: debug sections left in would
# be loaded into memory with the rest of the image.
for target in i686 x86_64; do
  exe_build=$build
  if [ "$target" != "$arch" ]; then
    exe_build=build-bench-win-$target
    cmake -S . -B "$exe_build" --toolchain "cmake/toolchains/mingw-$target.cmake" \
      -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
    cmake --build "$exe_build" -j"$(nproc)" --target varns-house >/dev/null
  fi
  "$target-w64-mingw32-strip" -o "$exe_build/varns-house-stripped.exe" "$exe_build/varns-house.exe"
  printf '%-7s varns-house.exe stripped: %d bytes (target <= 1 MB)\n' "$target" \
    "$(stat -c %s "$exe_build/varns-house-stripped.exe")"
done
"$arch-w64-mingw32-strip" -o "$build/bare_window_win32-stripped.exe" "$build/bare_window_win32.exe"

bash tests/windows/make_wine_prefix.sh "$PWD/$build/wine-prefix" >/dev/null
export WINEPREFIX=$PWD/$build/wine-prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wineserver=/usr/lib/wine/wineserver64
[ -x "$wineserver" ] || wineserver=/usr/lib/wine/wineserver32

source tests/e2e/x_session.sh
start_x
# One Wine server for the whole run, so that neither program pays for
# starting Wine's own services; it goes when the run ends.
"$wineserver" -p
trap '"$wineserver" -k 2>/dev/null || true; cleanup' EXIT
# Wine's desktop, too, runs for the whole series (see desktop_keeper_win32.cpp).
"$wine" "$PWD/$build/desktop_keeper_win32.exe" &
for _ in $(seq 100); do pgrep -f 'explorer\.exe' >/dev/null && break; sleep 0.1; done
echo "X server $DISPLAY, $(nproc) CPUs, $(uname -r), $("$wine" --version)$emulated;" \
  "$runs runs, ${idle} s idle"
"build-bench/bench/x_probe" --tour "$wine $PWD/$build/varns-house-stripped.exe" \
  --bare "$wine $PWD/$build/bare_window_win32-stripped.exe" \
  --yardstick "a bare Win32 program with one button ($arch, under Wine$emulated)" --memory-margin 2 \
  --runs "$runs" --idle "$idle" ${VARN_BENCH_VERBOSE:+--verbose}
