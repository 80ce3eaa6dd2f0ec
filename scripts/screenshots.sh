#!/usr/bin/env bash
# Takes the pictures of the README's tour: every scene as the real program
# shows it, window frame included, under a private X server with openbox,
# reached by clicking through the house with real X pointer events; then the
# map of every move between scenes, drawn from the compiled scene tables.
# Writes docs/screenshots/FormN.png and docs/transition-map.png.
# With "windows" it takes the same nine pictures of the Windows program instead,
# cross-built and run under Wine at 96 dpi, into docs/screenshots/windows/FormN.png
# (the 32-bit exe, natively or under emulation, or the 64-bit one where this
# machine cannot run 32-bit Wine).
# With "web" it takes them of the browser program in headless Chromium, at 100 %
# zoom, into docs/screenshots/web/FormN.png.
# With "sheet" it puts the three platforms' pictures of each scene side by side,
# one row a scene, into docs/screenshots/side-by-side.png.
# Usage: bash scripts/screenshots.sh            (BUILD_DIR picks the build folder, default build)
#        bash scripts/screenshots.sh windows    (BUILD_DIR default build-win32, or build-win64)
#        bash scripts/screenshots.sh web        (the web preset's build-web)
#        bash scripts/screenshots.sh sheet      (from the pictures the three above took)
set -euo pipefail
cd "$(dirname "$0")/.."
platform=${1:-qt}
case $platform in
qt)
  source scripts/setup.sh
  build=${BUILD_DIR:-build}
  shots=docs/screenshots
  cmake -S . -B "$build" >/dev/null
  cmake --build "$build" --target varns-house transition_map -j"$(nproc)"
  mkdir -p "$shots"
  "$build/transition_map" | dot -Tpng -o docs/transition-map.png
  PROGRAM="$build/varns-house"
  ;;
windows)
  export VARN_SETUP_WINDOWS=1
  source scripts/setup.sh
  source scripts/wine_route.sh
  wine_route_enter scripts/screenshots.sh "$@"
  preset=$wine_preset build=${BUILD_DIR:-$wine_build} VARN_WINE=$wine_loader
  shots=docs/screenshots/windows
  cmake --preset "$preset" -B "$build" >/dev/null
  cmake --build "$build" --target varns-house -j"$(nproc)"
  mkdir -p "$shots"
  # The helpers drive the exe under Wine, in the build folder's own prefix.
  bash tests/windows/make_wine_prefix.sh "$build/wine-prefix"
  export X_SESSION_PLATFORM=tests/windows/wine_session.sh VARN_WINE
  export VARN_EXE="$build/varns-house.exe" VARN_WINE_PREFIX="$PWD/$build/wine-prefix"
  ;;
web)
  export VARN_SETUP_WEB=1
  source scripts/setup.sh
  cmake --preset web >/dev/null
  cmake --build --preset web --target varns-house varns-house_site varns-house_icons -j"$(nproc)"
  exec /usr/bin/python3 tests/web/take_screenshots.py build-web/site docs/screenshots/web
  ;;
sheet)
  shots=docs/screenshots
  pictures=()
  for form in Form1 Form2 Form3 Form4 Form5 Form6 Form7 Form9 Form10; do
    pictures+=(-label "$form, Linux (Qt)" "$shots/$form.png"
      -label "$form, Windows (under Wine)" "$shots/windows/$form.png"
      -label "$form, browser (Chromium)" "$shots/web/$form.png")
  done
  montage "${pictures[@]}" -tile 3x -geometry +12+8 -background white \
    -pointsize 11 -depth 8 -define png:exclude-chunks=date,time "$shots/side-by-side.png"
  mogrify -strip "$shots/side-by-side.png"
  echo "Wrote $shots/side-by-side.png"
  exit 0
  ;;
*)
  echo "usage: bash scripts/screenshots.sh [windows | web | sheet]" >&2
  exit 2
  ;;
esac

# A private X server with openbox to draw the frames, and the helpers that
# click with real X pointer events.
source tests/e2e/x_session.sh
start_x
# Wine draws at the prefix's resolution, and the clicks below are placed for 96 dpi.
[ "$platform" = qt ] || set_wine_dpi 96
start_program

# Waits until the window with exactly this caption is the program's only
# visible window, and prints its id.
only_visible() {
  expect_only_visible "$1"
  visible_window "$1"
}

# Clicks the middle of an item, given as its rectangle in twips from the
# scene table (left top width height); 15 twips make one pixel.
click_item() {
  local window=$1 left=$2 top=$3 width=$4 height=$5
  click_in "$window" $(((left + width / 2) / 15)) $(((top + height / 2) / 15))
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
wait_for_program_exit
[ "$program_status" = 0 ] || fail "the program exited with status $program_status"
if [ "$platform" = qt ]; then
  echo "Wrote $shots/Form{1,2,3,4,5,6,7,9,10}.png and docs/transition-map.png"
else
  echo "Wrote $shots/Form{1,2,3,4,5,6,7,9,10}.png"
fi
