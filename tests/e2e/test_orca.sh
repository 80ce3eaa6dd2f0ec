#!/usr/bin/env bash
# The tour by keyboard alone with Orca, the desktop's screen reader, listening:
# Tab, Space and Orca's own flat review commands, every exit taken, and what
# Orca speaks checked at each step (orca_tour.py). Orca runs headless with no
# speech engine; its debug log's SPEECH OUTPUT lines are what it would say.
here=$(dirname "$0")
if ! command -v orca >/dev/null || ! /usr/bin/python3 -c 'import orca' 2>/dev/null; then
  echo "NOT RUN: the tour with Orca — orca is not installed (scripts/setup.sh installs it)"
  exit 0
fi
# A private session bus, as a desktop session has, for the accessibility bus.
if [ -z "${VARN_PRIVATE_BUS:-}" ]; then
  VARN_PRIVATE_BUS=1 exec dbus-run-session -- bash "$0" "$@"
fi
source "$here/x_session.sh"
start_x

dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress \
  >/dev/null || fail "the accessibility bus did not start"
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
start_program
visible_window "Varn's House" >/dev/null

# Orca's settings and log live in a directory of this test's own.
orca_home=$(mktemp -d)
trap 'cleanup; rm -rf "$orca_home"' EXIT
export XDG_CONFIG_HOME=$orca_home/config XDG_DATA_HOME=$orca_home/data
orca_log=${VARN_ORCA_LOG:-$orca_home/orca.log} # VARN_ORCA_LOG keeps it for a look
/usr/bin/python3 "$here/orca_headless.py" "$orca_log" "$orca_home/prefs" >"$orca_home/orca.out" 2>&1 &
owned_pids+=($!)

results=$orca_home/results
/usr/bin/python3 "$here/orca_tour.py" "$orca_log" "$((patience / 20))" | tee "$results" ||
  echo "FAIL: the walk with Orca stopped early" | tee -a "$results"

close_window "$(visible_titles | head -n1)"
wait_for_program_exit
check_equal "the program's exit status once its window is closed" "$program_status" 0
passed=$((passed + $(grep -c '^ok:' "$results" || true)))
failed=$((failed + $(grep -c '^FAIL:' "$results" || true)))
finish_checks
