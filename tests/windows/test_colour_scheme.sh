#!/usr/bin/env bash
# The tour under a desktop colour scheme of the user's own: what the scenes do
# not colour themselves takes the scheme's colours (the driveway's background
# and a standard button's face the 3-D face colour, the lines the window-text
# colour, the message box the window colour), while the colours the scenes
# name stay as they are (the title's black, the street's white, the marker's
# and the message's red). Then, under a scheme like Windows' High Contrast
# Black, High Contrast is turned on while the tour runs (turn_on_high_contrast:
# Wine never turns it on itself): the title is drawn anew at once, and on
# every scene, reached by the shared walk, each thing that shows words (the
# markers' words shown) reads at least 7:1 against its background. The scheme
# is put back at the end.
source "$(dirname "$0")/../e2e/x_session.sh"
look() { /usr/bin/python3 "$(dirname "$0")/../e2e/x_look.py" "$@"; }
colours='HKCU\Control Panel\Colors'
scheme() { # name "R G B"
  "$VARN_WINE" reg add "$colours" /v "$1" /t REG_SZ /d "$2" /f >/dev/null 2>&1 ||
    fail "could not set the colour $1"
}
old=()
for name in ButtonFace ButtonText WindowText Window; do
  old+=("$name=$("$VARN_WINE" reg query "$colours" /v "$name" 2>/dev/null |
    sed -n "s/.*REG_SZ *//p" | tr -d '\r')")
done
restore() {
  for entry in "${old[@]}"; do scheme "${entry%%=*}" "${entry#*=}"; done
  end_wine
}
trap restore EXIT
scheme ButtonFace "32 128 192"
scheme WindowText "0 0 160"
scheme Window "255 255 208"
"$WINESERVER" -w

start_x
start_program
expect_pixel() { # name, title, x, y, wanted RRGGBB
  check_equal "$1" "$(look pixel "$(visible_window "$2")" "$3" "$4")" "$5"
}
go() { # title x y next-title
  click_in "$(visible_window "$1")" "$2" "$3"
  expect_only_visible "$4"
  sleep 0.3
}

title="Varn's House"
expect_only_visible "$title"
expect_pixel "the title's own black" "$title" 5 5 000000
go "$title" 150 84 Form2
click_in "$(visible_window Form2)" 32 152 # shows the marker's words
expect_pixel "the street's own white" Form2 5 5 FFFFFF
expect_pixel "the marker's own red" Form2 32 152 FF0000
expect_pixel "a street line in the window-text colour" Form2 100 168 0000A0
go Form2 220 60 3
expect_pixel "the driveway's background" 3 5 200 2080C0
expect_pixel "a standard button's face" 3 45 130 2080C0
go 3 56 120 Form4 # "Front Door"
expect_pixel "the message box's background" Form4 270 55 FFFFD0
check "the message stays red" [ "$(look red "$(visible_window Form4)" 16 8 265 57)" -gt 20 ]
close_window Form4
wait_for_program_exit

: "${VARN_HIGH_CONTRAST_HOOK:?set VARN_HIGH_CONTRAST_HOOK to high_contrast_hook.dll}"
: "${VARN_TURN_ON_HIGH_CONTRAST:?set VARN_TURN_ON_HIGH_CONTRAST to turn_on_high_contrast.exe}"
tour() { /usr/bin/python3 "$(dirname "$0")/../support/tour.py" "$@"; }
# Each thing showing words in the visible scene, read for its contrast inside
# its frame (a button's bevel, a message box's edge), its markers pressed first.
words_readable() { # title
  local window kind name rect left top width height inset ratio
  window=$(visible_window "$1")
  while IFS='|' read -r kind name rect; do
    read -r left top width height <<<"$rect"
    if [ "$kind" = marker ]; then
      click_item "$window" "$left" "$top" "$width" "$height"
      sleep 0.3
      continue
    fi
    inset=$(case $kind in button) echo 4 ;; message) echo 3 ;; *) echo 0 ;; esac)
    ratio=$(look contrast "$window" $((left / 15 + inset)) $((top / 15 + inset)) \
      $((width / 15 - 2 * inset)) $((height / 15 - 2 * inset)))
    echo "High Contrast: $1's $kind $name reads $ratio:1"
    check "High Contrast: $1's $kind $name reads at least 7:1" \
      /usr/bin/python3 -c "import sys; sys.exit(float('$ratio') < 7)"
  done < <(tour words "$1")
}

scheme ButtonFace "0 0 0"
scheme ButtonText "255 255 255"
scheme WindowText "255 255 0"
scheme Window "0 0 0"
"$WINESERVER" -w
start_program
expect_only_visible "$title"
check "High Contrast off: the title in its own red" \
  [ "$(look red "$(visible_window "$title")" 24 16 265 73)" -gt 20 ]
check "High Contrast turned on" "$VARN_WINE" "$VARN_TURN_ON_HIGH_CONTRAST" \
  "Z:${VARN_HIGH_CONTRAST_HOOK//\//\\}"
sleep 0.5
read_scenes=()
while IFS='|' read -r from _ _ rect to _; do
  if [[ " ${read_scenes[*]} " != *" $from "* ]]; then
    words_readable "$from"
    read_scenes+=("$from")
  fi
  # shellcheck disable=SC2086
  click_item "$(visible_window "$from")" $rect
  expect_only_visible "$to"
  sleep 0.3
  last=$to
done < <(tour walk)
[[ " ${read_scenes[*]} " == *" $last "* ]] || { words_readable "$last"; read_scenes+=("$last"); }
check_equal "High Contrast: scenes read" "${#read_scenes[@]}" \
  "$(/usr/bin/python3 -c 'import sys; sys.path[:0] = [sys.argv[1]]; import tour; print(len(tour.SCENES))' \
    "$(dirname "$0")/../support")"
finish_checks
