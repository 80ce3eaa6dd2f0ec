#!/usr/bin/env bash
# The first complete loop with real X events: the title centred on the
# screen, frame and all; title, street, driveway, front door, reincarnate,
# back to the same title window where it was left; then closing the visible
# window ends the program with status 0.
source "$(dirname "$0")/x_session.sh"
start_x
start_program

title=$(visible_window "Varn's House")
expect_only_visible "Varn's House"
read -r dx dy < <(frame_centre_offset "$title")
((dx * dx <= 1 && dy * dy <= 1)) || fail "the title's frame is $dx, $dy px off the screen's centre"
xdotool windowmove "$title" 100 120
sleep 0.3
title_origin=$(client_origin "$title")

click_in "$title" 150 84 # "Enter", on its face
street=$(visible_window Form2)
expect_only_visible Form2
click_in "$street" 32 152 # the marker
click_in "$street" 220 60 # "Enter the Driveway"
driveway=$(visible_window 3)
expect_only_visible 3
click_in "$driveway" 56 120 # "Front Door"
ending=$(visible_window Form4)
expect_only_visible Form4
press_key "$ending" space # the focus is on "Reincarnate"
expect_only_visible "Varn's House"
[ "$(visible_window "Varn's House")" = "$title" ] || fail "a new title window appeared"
[ "$(client_origin "$title")" = "$title_origin" ] || fail "the title window moved"

click_in "$title" 150 84
expect_only_visible Form2
[ "$(visible_window Form2)" = "$street" ] || fail "a new street window appeared"

close_window Form2 # the window manager's close, as from the title bar
wait_for_program_exit
[ "$program_status" = 0 ] || fail "exit status $program_status after closing the visible window"
echo "1 passed, 0 failed"
