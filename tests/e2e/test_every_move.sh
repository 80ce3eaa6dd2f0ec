#!/usr/bin/env bash
# Every one of the seventeen moves between scenes, clicked with real X
# events, in one walk through the house: after each click the scene it leads
# to is the only window showing, and the X server mapped and unmapped the two
# windows in the move's order: the new one shown before the old one is hidden,
# or, for the four hide-then-show moves, the old one hidden first. Runs
# without a window manager, so that the mapping is watched as it happens.
source "$(dirname "$0")/x_session.sh"
X_SESSION_NO_WM=1 start_x
start_program
order_log=$(mktemp)
trap 'cleanup; rm -f "$order_log"' EXIT
/usr/bin/python3 "$(dirname "$0")/x_look.py" watch "$window_pid" >"$order_log" &
owned_pids+=($!)
for _ in $(seq "$patience"); do grep -q ready "$order_log" && break; sleep 0.05; done

title="Varn's House"
enter=(1680 1080 1215 375)
to_driveway=(2640 840 1335 495)
number_512=(3120 1680 375 255)
reincarnate=(360 1200 3855 1695)
hallway=(0 0 735 975)
# from | the clicked item's rectangle in twips | to | S: show then hide, H: hide then show
moves=(
  "$title|${enter[*]}|Form2|S"
  "Form2|${to_driveway[*]}|3|S"
  "3|2160 840 735 495|Form7|S"          # Garage Door, into the house
  "Form7|3840 720 735 615|3|S"          # Garage Door, out again
  "3|600 1560 495 495|Form4|S"          # Front Door
  "Form4|${reincarnate[*]}|$title|S"
  "$title|${enter[*]}|Form2|S"
  "Form2|${number_512[*]}|Form7|S"
  "Form7|840 1200 375 975|Form9|S"      # TV is here
  "Form9|1200 2520 2175 375|Form7|S"    # Stop Playing
  "Form7|720 2520 615 495|Form4|S"      # Front Door, from inside
  "Form4|${reincarnate[*]}|$title|S"
  "$title|${enter[*]}|Form2|S"
  "Form2|${number_512[*]}|Form7|S"
  "Form7|${hallway[*]}|Form10|S"
  "Form10|1200 2040 975 495|Form6|H"    # Varn's Room
  "Form6|${reincarnate[*]}|$title|H"
  "$title|${enter[*]}|Form2|S"
  "Form2|${number_512[*]}|Form7|S"
  "Form7|2400 0 1695 495|Form6|H"       # ^ Kitchen and stuff ^
  "Form6|${reincarnate[*]}|$title|H"
  "$title|${enter[*]}|Form2|S"
  "Form2|${number_512[*]}|Form7|S"
  "Form7|${hallway[*]}|Form10|S"
  "Form10|3240 2040 1095 495|Form6|H"   # Morva's Old Room
  "Form6|${reincarnate[*]}|$title|H"
  "$title|${enter[*]}|Form2|S"
  "Form2|${to_driveway[*]}|3|S"
  "3|3360 1800 375 255|Form5|S"         # TR-6
  "Form5|${reincarnate[*]}|$title|S"
)

expect_only_visible "$title"
for move in "${moves[@]}"; do
  IFS='|' read -r from rect to order <<<"$move"
  seen=$(grep -c . "$order_log")
  # shellcheck disable=SC2086
  click_item "$(visible_window "$from")" $rect
  expect_only_visible "$to"
  for _ in $(seq "$patience"); do (($(grep -c . "$order_log") >= seen + 2)) && break; sleep 0.05; done
  happened=$(tail -n +"$((seen + 1))" "$order_log" | paste -sd, -)
  if [ "$order" = S ]; then wanted="show $to,hide $from"; else wanted="hide $from,show $to"; fi
  check_equal "$from -> $to: the windows went" "$happened" "$wanted"
done
finish_checks
