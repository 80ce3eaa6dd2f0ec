#!/usr/bin/env bash
# Closing the visible window with the window manager ends the program with
# status 0 from every scene, including right after a hide-then-show step. Each
# route starts the program afresh, walks there with real clicks, closes the
# window and checks that nothing of the program is left running.
source "$(dirname "$0")/x_session.sh"

enter="Varn's House 150 84"
to_ground="$enter;Form2 216 120"
# name | clicks on the way, "window-title x y" separated by ";" | window closed at the end
routes=(
  "title||Varn's House"
  "street|$enter|Form2"
  "driveway|$enter;Form2 220 60|3"
  "door handle|$enter;Form2 220 60;3 56 120|Form4"
  "car|$enter;Form2 220 60;3 236 128|Form5"
  "ground floor|$to_ground|Form7"
  "hallway|$to_ground;Form7 24 30|Form10"
  "game|$to_ground;Form7 60 110|Form9"
  "unfinished, by the room|$to_ground;Form7 24 30;Form10 112 152|Form6"
  "unfinished, just after hide-then-show|$to_ground;Form7 216 16|Form6"
  "title, just after reincarnating|$to_ground;Form7 216 16;Form6 152 136|Varn's House"
)

# Runs in a subshell: a failure ends only this route, and its own cleanup
# stops the program it started.
run_route() {
  local steps=$1 last=$2 step title x y window
  owned_pids=()
  trap cleanup EXIT
  start_program
  IFS=';' read -ra steps <<<"$steps"
  for step in "${steps[@]}"; do
    title=${step% * *}
    x=${step% *} x=${x##* } y=${step##* }
    window=$(visible_window "$title")
    expect_only_visible "$title"
    click_in "$window" "$x" "$y"
  done
  visible_window "$last" >/dev/null
  expect_only_visible "$last"
  close_window "$last"
  wait_for_program_exit
  [ "$program_status" = 0 ] || fail "exit status $program_status"
  [ -z "$(pgrep -P "$program_pid" || true)" ] || fail "a child of the program is still running"
}

start_x
for route in "${routes[@]}"; do
  IFS='|' read -r name steps last <<<"$route"
  # Its own subshell with errexit in force: a failure ends only this route.
  set +e
  (
    set -e
    run_route "$steps" "$last"
  )
  status=$?
  set -e
  check "close $last ($name)" [ "$status" = 0 ]
done
finish_checks
