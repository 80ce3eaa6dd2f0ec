#!/usr/bin/env bash
# What the Windows program draws, pixel by pixel, under Wine at 96 and at 144
# dpi: the program walks to every scene by real clicks (placed for the
# resolution), each window's client area is captured, and check_pixels.py
# compares the captures with its table of expected sizes, colours, line widths,
# overlaps and the game picture. At 96 dpi the street is also told, as Windows
# tells a window dragged onto another monitor, that it is now at 144 dpi, then
# back at 96 with its marker's words shown in between: captured both times.
# The prefix is set back to 96 dpi at the end,
# however the test ends, since the other Windows tests share it. When a check
# fails the captures are kept, and the last line of the output says where.
# Needs X_SESSION_PLATFORM=tests/windows/wine_session.sh and its variables.
source "$(dirname "$0")/../e2e/x_session.sh"
here=$(cd "$(dirname "$0")" && pwd)
declare -F set_wine_dpi >/dev/null || fail "run with X_SESSION_PLATFORM=$here/wine_session.sh"
: "${VARN_SEND_DPI_CHANGE:?set VARN_SEND_DPI_CHANGE to send_dpi_change.exe}"

captures=$(mktemp -d)
finish() {
  local status=$?
  end_wine
  env -u DISPLAY "$VARN_WINE" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD \
    /d 96 /f >/dev/null 2>&1 || echo "could not set the prefix back to 96 dpi" >&2
  "$WINESERVER" -w 2>/dev/null || true
  if [ "$status" = 0 ]; then
    rm -rf "$captures"
  else
    echo "The captures are kept in $captures" >&2
  fi
}
trap finish EXIT
trap 'exit 143' TERM INT # so that finish runs when ctest stops the test

# Clicks the middle of an item given by its rectangle in twips (left top width
# height) at the current resolution: pixels = twips * dpi / 1440, to the nearest.
click_item() {
  local window=$1 left=$2 top=$3 width=$4 height=$5
  click_in "$window" $((((2 * left + width) * dpi + 1440) / 2880)) \
    $((((2 * top + height) * dpi + 1440) / 2880))
}

# Clicks an item of the only visible window and waits for the next scene alone.
go() {
  local caption=$1 next=$2 window
  shift 2
  expect_only_visible "$caption"
  window=$(visible_window "$caption")
  click_item "$window" "$@"
  expect_only_visible "$next"
}

# Captures the client area of the only visible window as $captures/DPI/FORM.ppm
# (or FOLDER/FORM.ppm under $captures), once two captures in a row agree (the paint has finished). With openbox the
# program's X window is the client area and the frame is openbox's own window
# around it: the client sizes check_pixels.py expects confirm it.
capture() {
  local form=$1 caption=$2 folder=$captures/${3:-$dpi} window file
  file=$folder/$form.ppm
  expect_only_visible "$caption"
  window=$(visible_window "$caption")
  mkdir -p "$folder"
  sleep 0.3
  import -window "$window" -depth 8 "ppm:$file"
  for _ in $(seq 20); do
    sleep 0.3
    import -window "$window" -depth 8 "ppm:$file.next"
    cmp -s "$file" "$file.next" && { rm -f "$file.next"; return 0; }
    mv "$file.next" "$file"
  done
  fail "$caption at $dpi dpi never stopped changing"
}

# The street moved to another resolution and back: WM_DPICHANGED as Windows
# sends it (send_dpi_change.exe), the client size it then has, and captures
# at 144 dpi and back at 96, the marker shown while at 144.
move_street() {
  local size
  size=$("$VARN_WINE" "$VARN_SEND_DPI_CHANGE" Form2 96 144 | tr -d '\r')
  check_equal "the street's client area at 144 dpi" "$size" "468 309"
  capture Form2 Form2 moved-144
  dpi=144
  click_item "$(visible_window Form2)" "${marker[@]}"
  dpi=96
  size=$("$VARN_WINE" "$VARN_SEND_DPI_CHANGE" Form2 144 96 | tr -d '\r')
  check_equal "the street's client area back at 96 dpi" "$size" "312 206"
  capture Form2 Form2 moved-back-96
  click_item "$(visible_window Form2)" "${marker[@]}" # the words hidden again
}

enter=(1680 1080 1215 375)       # Form1 "Enter"
marker=(360 2160 255 255)        # Form2 "Where you are"
number_512=(3120 1680 375 255)   # Form2 "512"
reincarnate=(360 1200 3855 1695) # Form4, Form5, Form6 "Reincarnate"
garage_door=(3840 720 735 615)   # Form7 "Garage Door"

# Every scene once, by the shortest ways the tour offers.
tour() {
  capture Form1 "Varn's House"
  go "Varn's House" Form2 "${enter[@]}"
  capture Form2 Form2
  [ "$dpi" != 96 ] || move_street
  go Form2 Form7 "${number_512[@]}"
  capture Form7 Form7
  go Form7 Form9 840 1200 375 975 # "TV is here"
  capture Form9 Form9
  go Form9 Form7 1200 2520 2175 375 # "Stop Playing"
  go Form7 3 "${garage_door[@]}"
  capture Form3 3
  go 3 Form4 600 1560 495 495 # "Front Door"
  capture Form4 Form4
  go Form4 "Varn's House" "${reincarnate[@]}"
  go "Varn's House" Form2 "${enter[@]}"
  go Form2 Form7 "${number_512[@]}"
  go Form7 Form10 0 0 735 975 # "The Hallway"
  capture Form10 Form10
  go Form10 Form6 1200 2040 975 495 # "Varn's Room"
  capture Form6 Form6
  go Form6 "Varn's House" "${reincarnate[@]}"
  go "Varn's House" Form2 "${enter[@]}"
  go Form2 Form7 "${number_512[@]}"
  go Form7 3 "${garage_door[@]}"
  go 3 Form5 3360 1800 375 255 # "TR-6"
  capture Form5 Form5
  close_window Form5
  wait_for_program_exit
  [ "$program_status" = 0 ] || fail "exit status $program_status at $dpi dpi"
}

start_x
for dpi in 96 144; do
  set_wine_dpi "$dpi"
  start_program
  tour
done

check "the captures are as drawn" python3 "$here/check_pixels.py" --prefix "$VARN_WINE_PREFIX" \
  --picture "$here/../../resources/game-picture/game.bmp" "$captures"
finish_checks
