#!/usr/bin/env bash
# What a visitor does with mouse and keyboard beyond the moves themselves,
# with real X events: the four-headed cursor over "Enter" only; the street's
# marker shown, hidden and shown again, kept across "Reincarnate" and
# independent of the driveway's; the corners of the clickable labels "512",
# "TV is here" and "TR-6" take clicks while the street name, the marker's own
# words and the car's outline around "TR-6" do nothing; a moved window comes
# back where it was left; and the endings' keyboard: Space reincarnates where
# the button has the focus, and in the car ending only after Tab; the
# unfinished-area ending alone offers no minimise and maximise boxes; the
# windows carry the program's icon in the title bar's sizes.
source "$(dirname "$0")/x_session.sh"
start_x
start_program
look() { /usr/bin/python3 "$(dirname "$0")/x_look.py" "$@"; }

cursor_at() { # window x y wanted-shape
  xdotool mousemove --window "$1" "$2" "$3"
  sleep 0.3
  [ "$(look cursor)" = "$4" ]
}
# The marker label's words are red text; an empty label has no red at all.
marker_words() { # window, the label's rectangle in pixels; prints shown or hidden
  (($(look red "$@") > 20)) && echo shown || echo hidden
}
# A click that must lead nowhere: afterwards the same scene is still the only one.
inert_click() { # title x y
  click_in "$(visible_window "$1")" "$2" "$3"
  sleep 0.5
  expect_only_visible "$1"
}
go() { # title x y next-title: click a pixel and arrive
  click_in "$(visible_window "$1")" "$2" "$3"
  expect_only_visible "$4"
}
# Whether the window asks the window manager for minimise and maximise
# functions (Motif hints: 0x8 minimise, 0x10 maximise, when its flags say so).
min_max_offered() { # title; prints yes or no
  local hints
  hints=$(xprop -id "$(visible_window "$1")" _MOTIF_WM_HINTS | sed 's/.*= //')
  IFS=', ' read -r flags functions _ <<<"$hints"
  ((!(flags & 1) || (functions & 0x18) == 0x18)) && echo yes || echo no
}
key_leads() { # title key next-title
  press_key "$(visible_window "$1")" "$2"
  expect_only_visible "$3"
}

title="Varn's House"
street_words=(24 184 257 17)   # Form2 Label3
driveway_words=(200 176 73 17) # Form3 Label1

expect_only_visible "$title"
icon_sizes=$(xprop -id "$(visible_window "$title")" _NET_WM_ICON | grep -o 'Icon ([0-9]* x [0-9]*)')
check "the title window has the program's icon at 16 pixels" \
  grep -q 'Icon (16 x 16)' <<<"$icon_sizes"
check "... and at 32 pixels" grep -q 'Icon (32 x 32)' <<<"$icon_sizes"
check "four-headed cursor over Enter" cursor_at "$(visible_window "$title")" 150 84 four-headed
check "arrow cursor beside Enter" cursor_at "$(visible_window "$title")" 40 84 arrow
go "$title" 150 84 Form2
street=$(visible_window Form2)
xdotool windowmove "$street" 40 50
sleep 0.3
street_origin=$(client_origin "$street")

check "street marker starts hidden" [ "$(marker_words "$street" "${street_words[@]}")" = hidden ]
for state in shown hidden shown; do
  click_in "$street" 32 152
  sleep 0.3
  check "street marker $state" [ "$(marker_words "$street" "${street_words[@]}")" = "$state" ]
done
# Quick clicks, inside the double-click time, are clicks each: two leave the
# words as they were, three change them.
for quick in "2 shown" "3 hidden"; do
  read -r clicks state <<<"$quick"
  xdotool mousemove --window "$street" 32 152 click --repeat "$clicks" --delay 200 1
  sleep 0.5
  check "street marker $state after $clicks quick clicks" \
    [ "$(marker_words "$street" "${street_words[@]}")" = "$state" ]
done
click_in "$street" 32 152
sleep 0.3
inert_click Form2 150 190 # the marker's own words
inert_click Form2 100 150 # the street name
check "clicks elsewhere leave the marker" [ "$(marker_words "$street" "${street_words[@]}")" = shown ]

go Form2 209 113 Form7 # "512", top-left corner
go Form7 57 81 Form9   # "TV is here", top-left corner
go Form9 152 180 Form7 # "Stop Playing"
go Form7 79 143 Form9  # "TV is here", bottom-right corner
go Form9 152 180 Form7
go Form7 280 68 3 # "Garage Door"
driveway=$(visible_window 3)
check "driveway marker independent" [ "$(marker_words "$driveway" "${driveway_words[@]}")" = hidden ]
inert_click 3 236 80   # inside the car's outline, outside "TR-6"
go 3 225 121 Form5     # "TR-6", top-left corner
check "the car ending can be minimised and maximised" [ "$(min_max_offered Form5)" = yes ]
press_key "$(visible_window Form5)" space # the message has the focus: nothing
sleep 0.5
expect_only_visible Form5
press_key "$(visible_window Form5)" Tab
key_leads Form5 space "$title"

go "$title" 150 84 Form2
check "the street comes back where it was moved" [ "$(client_origin "$street")" = "$street_origin" ]
check "the marker outlives Reincarnate" \
  [ "$(marker_words "$street" "${street_words[@]}")" = shown ]
go Form2 231 127 Form7 # "512", bottom-right corner
go Form7 216 16 Form6  # "^ Kitchen and stuff ^"
check "the unfinished ending cannot be minimised or maximised" [ "$(min_max_offered Form6)" = no ]
key_leads Form6 space "$title"
go "$title" 150 84 Form2
go Form2 220 60 3
go 3 247 135 Form5 # "TR-6", bottom-right corner
go Form5 152 136 "$title"

close_window "$title"
wait_for_program_exit
check "exit status 0 after closing" [ "$program_status" = 0 ]
finish_checks
