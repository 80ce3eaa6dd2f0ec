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
# from | clicked item | its caption | its rectangle in twips | to | S: show then hide, H: hide then show
mapfile -t moves < <(/usr/bin/python3 "$(dirname "$0")/../support/tour.py" walk)
((${#moves[@]} > 0)) || fail "no moves in the tour description"

expect_only_visible "$title"
for move in "${moves[@]}"; do
  IFS='|' read -r from _ _ rect to order <<<"$move"
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
