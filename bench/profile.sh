#!/usr/bin/env bash
# Counts, with callgrind, the work the tour does on a walk through every scene
# that visits the game scene twice: how many scene windows are built, how often
# the game picture is decoded, and how often each kind of item is painted per
# window paint. Instruction counts are repeatable where wall time is not.
#
#   bash bench/profile.sh            (writes build-bench/callgrind.tour.out)
set -euo pipefail
cd "$(dirname "$0")/.."

VARN_EXTRA_PACKAGES="${VARN_EXTRA_PACKAGES:-} valgrind"
source scripts/setup.sh

build=build-bench
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DVARN_BUILD_BENCH=ON \
  >/dev/null
cmake --build "$build" -j"$(nproc)" --target varns-house >/dev/null

source tests/e2e/x_session.sh
start_x
out=$PWD/$build/callgrind.tour.out
valgrind --tool=callgrind --callgrind-out-file="$out" "$build/varns-house" >/dev/null 2>&1 &
program=$!
owned_pids+=($program)

# Under valgrind everything is some fifty times slower: wait for each window.
window() {
  local id
  for _ in $(seq 600); do
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n1 || true)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  echo "no window '$1'" >&2
  exit 1
}
click() { # title x y
  local id
  id=$(window "$1")
  sleep 1.5 # its first paint
  xdotool mousemove --window "$id" "$2" "$3"
  sleep 0.5
  xdotool click 1
}

click "Varn's House" 152 84 # Enter
click Form2 216 120          # the house number
click Form7 68 112           # TV is here: the game, first visit
click Form9 152 180          # Stop Playing
click Form7 68 112           # the game again
click Form9 152 180
click Form7 24 32            # The Hallway
click Form10 112 152         # Varn's Room
click Form6 152 136          # Reincarnate
click "Varn's House" 152 84
click Form2 220 72           # Enter the Driveway
click 3 236 128              # TR-6
click Form5 152 136          # Reincarnate
click "Varn's House" 152 84
click Form2 220 72
click 3 56 120               # Front Door
window Form4 >/dev/null
sleep 1.5
wmctrl -c Form4 # closing the visible window ends the program
wait "$program" || true

/usr/bin/python3 bench/callgrind_calls.py "$out"
