#!/usr/bin/env bash
# Takes the pictures of the README's tour: every scene as the real program
# shows it, window frame included, under a private X server with openbox,
# reached by clicking through the house with real X pointer events; then the
# map of every move between scenes, drawn from the compiled scene tables.
# Writes docs/screenshots/FormN.png and docs/transition-map.png.
# Usage: bash scripts/screenshots.sh   (BUILD_DIR picks the build folder, default build)
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh
build=${BUILD_DIR:-build}
shots=docs/screenshots

cmake -S . -B "$build" >/dev/null
cmake --build "$build" --target varns-house transition_map -j"$(nproc)"
mkdir -p "$shots"

"$build/transition_map" | dot -Tpng -o docs/transition-map.png

owned_pids=()
cleanup() {
  for pid in "${owned_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
}
trap cleanup EXIT
fail() { echo "screenshots: $*" >&2; exit 1; }

# A private X server on a free display, and openbox to draw the frames.
display_file=$(mktemp)
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$display_file" 2>/dev/null &
owned_pids+=($!)
for _ in $(seq 100); do [ -s "$display_file" ] && break; sleep 0.05; done
export DISPLAY=":$(head -n1 "$display_file")"
rm -f "$display_file"
[ "$DISPLAY" != ":" ] || fail "Xvfb did not start"
openbox >/dev/null 2>&1 &
owned_pids+=($!)
for _ in $(seq 100); do wmctrl -m >/dev/null 2>&1 && break; sleep 0.05; done
unset QT_QPA_PLATFORM

"$build/varns-house" >/dev/null 2>&1 &
program=$!
owned_pids+=($program)

# Waits until the window with exactly this caption is the program's only
# visible window, and prints its id.
only_visible() {
  local caption=$1 ids id names
  for _ in $(seq 200); do
    ids=$(xdotool search --onlyvisible --pid "$program" --name '.' 2>/dev/null || true)
    names=$(for id in $ids; do xdotool getwindowname "$id"; done)
    if [ "$names" = "$caption" ]; then
      echo "$ids"
      return 0
    fi
    sleep 0.05
  done
  fail "expected only '$caption' visible, saw: ${names//$'\n'/, }"
}

# Clicks the middle of an item, given as its rectangle in twips from the
# scene table (left top width height); 15 twips make one pixel.
click_item() {
  local window=$1 left=$2 top=$3 width=$4 height=$5
  xdotool mousemove --window "$window" $(((left + width / 2) / 15)) $(((top + height / 2) / 15))
  sleep 0.2
  xdotool mousedown 1
  sleep 0.1
  xdotool mouseup 1
}

# Waits for the scene, then captures its window with the frame.
capture() {
  local form=$1 caption=$2 window
  window=$(only_visible "$caption")
  sleep 0.5 # let the window manager finish drawing the frame
  import -frame -window "$window" "$shots/$form.png"
  echo "$window"
}

# Clicks an item of the visible scene and waits for the next one.
go() {
  local caption=$1 next=$2 window
  shift 2
  window=$(only_visible "$caption")
  click_item "$window" "$@"
  only_visible "$next" >/dev/null
}

enter=(1680 1080 1215 375)          # Form1 "Enter"
reincarnate=(360 1200 3855 1695)    # Form4, Form5, Form6 "Reincarnate"
number_512=(3120 1680 375 255)      # Form2 "512"

capture Form1 "Varn's House" >/dev/null
go "Varn's House" Form2 "${enter[@]}"
capture Form2 Form2 >/dev/null
go Form2 3 2640 840 1335 495 # "Enter the Driveway"
capture Form3 3 >/dev/null
go 3 Form4 600 1560 495 495 # "Front Door"
capture Form4 Form4 >/dev/null
go Form4 "Varn's House" "${reincarnate[@]}"
go "Varn's House" Form2 "${enter[@]}"
go Form2 Form7 "${number_512[@]}"
capture Form7 Form7 >/dev/null
go Form7 Form9 840 1200 375 975 # "TV is here"
capture Form9 Form9 >/dev/null
go Form9 Form7 1200 2520 2175 375 # "Stop Playing"
go Form7 Form10 0 0 735 975       # "The Hallway"
capture Form10 Form10 >/dev/null
go Form10 Form6 1200 2040 975 495 # "Varn's Room"
capture Form6 Form6 >/dev/null
go Form6 "Varn's House" "${reincarnate[@]}"
go "Varn's House" Form2 "${enter[@]}"
go Form2 Form7 "${number_512[@]}"
go Form7 3 3840 720 735 615 # "Garage Door"
go 3 Form5 3360 1800 375 255 # "TR-6"
last=$(capture Form5 Form5)

# Closing the visible scene ends the tour.
wmctrl -i -c "$(printf '0x%x' "$last")"
for _ in $(seq 100); do kill -0 "$program" 2>/dev/null || break; sleep 0.05; done
status=0
wait "$program" || status=$?
[ "$status" = 0 ] || fail "the program exited with status $status"
echo "Wrote $shots/Form{1,2,3,4,5,6,7,9,10}.png and docs/transition-map.png"
