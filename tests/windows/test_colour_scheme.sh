#!/usr/bin/env bash
# The tour under a desktop colour scheme of the user's own: what the scenes do
# not colour themselves takes the scheme's colours (the driveway's background
# and a standard button's face the 3-D face colour, the lines the window-text
# colour, the message box the window colour), while the colours the scenes
# name stay as they are (the title's black, the street's white, the marker's
# and the message's red). The scheme is put back at the end.
source "$(dirname "$0")/../e2e/x_session.sh"
look() { /usr/bin/python3 "$(dirname "$0")/../e2e/x_look.py" "$@"; }
colours='HKCU\Control Panel\Colors'
scheme() { # name "R G B"
  "$VARN_WINE" reg add "$colours" /v "$1" /t REG_SZ /d "$2" /f >/dev/null 2>&1 ||
    fail "could not set the colour $1"
}
old=()
for name in ButtonFace WindowText Window; do
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
finish_checks
