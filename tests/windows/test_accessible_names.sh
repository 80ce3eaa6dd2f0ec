#!/usr/bin/env bash
# What a Windows screen reader calls the controls that show no words: read
# from another process through the standard means (class and window text),
# as assistive technology does. Every marker button is "Where you are" and the
# game picture is "Game picture"; captioned buttons are their captions.
source "$(dirname "$0")/../e2e/x_session.sh"
: "${VARN_LIST_CONTROLS:?set VARN_LIST_CONTROLS to list_controls.exe}"
start_x
start_program
go() { # title x y next-title
  click_in "$(visible_window "$1")" "$2" "$3"
  expect_only_visible "$4"
}
controls() { "$VARN_WINE" "$VARN_LIST_CONTROLS" "$1" | tr -d '\r'; }

expect_controls() { # title, then the lines wanted, in any order
  local title=$1
  shift
  check_equal "$title's controls" "$(controls "$title" | sort | paste -sd';')" \
    "$(printf '%s\n' "$@" | sort | paste -sd';')"
}

go "Varn's House" 150 84 Form2
expect_controls Form2 "Button|Where you are" "Button|Enter the Driveway"
go Form2 220 60 3
expect_controls 3 "Button|Where you are" "Button|Garage Door" "Button|Front Door"
go 3 168 72 Form7 # "Garage Door"
go Form7 60 110 Form9
expect_controls Form9 "Button|Stop Playing" \
  "Edit|You sat down to play a game of Mario.  Good luck at winning!" \
  "VarnsHousePictureBox|Game picture"
finish_checks
