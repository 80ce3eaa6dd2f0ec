# Shared by the screen-reader tests, the desktop program's and the site's: a
# private session bus (the calling test runs again under dbus-run-session), a
# private X server with a window manager, and the accessibility bus up, as on
# a desktop. Source it. Then `start_orca` starts Orca headless with no speech
# engine (orca_headless.py), its settings in a directory of the test's own and
# its debug log, whose SPEECH OUTPUT lines are what it would say, in
# $orca_log; `run_walk WALK [ARG...]` runs a walk (a Python script printing
# "ok:", "FAIL:" and "NOT RUN:" lines) and counts its checks into the tally
# (x_session.sh's check and finish_checks).
# The session gets a runtime directory of its own too: the accessibility bus
# and every application's accessibility socket live there, and two sessions
# sharing one (tests running side by side) take each other's bus.
if [ -z "${VARN_PRIVATE_BUS:-}" ]; then
  XDG_RUNTIME_DIR=$(mktemp -d) VARN_PRIVATE_BUS=1 exec dbus-run-session -- bash "$0" "$@"
fi
source "$(dirname "${BASH_SOURCE[0]}")/x_session.sh"
trap 'cleanup; rm -rf "$XDG_RUNTIME_DIR"' EXIT
start_x
dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress \
  >/dev/null || fail "the accessibility bus did not start"

start_orca() {
  if ! command -v orca >/dev/null || ! /usr/bin/python3 -c 'import orca' 2>/dev/null; then
    echo "NOT RUN: the tour with Orca — orca is not installed (scripts/setup.sh installs it)"
    exit 0
  fi
  orca_home=$(mktemp -d -p "$XDG_RUNTIME_DIR") # goes with the session's runtime directory
  orca_log=${VARN_ORCA_LOG:-$orca_home/orca.log} # VARN_ORCA_LOG keeps it for a look
  XDG_CONFIG_HOME=$orca_home/config XDG_DATA_HOME=$orca_home/data \
    /usr/bin/python3 "$(dirname "${BASH_SOURCE[0]}")/orca_headless.py" "$orca_log" \
    "$orca_home/prefs" >"$orca_home/orca.out" 2>&1 &
  owned_pids+=($!)
}

run_walk() {
  local results
  results=$(mktemp)
  /usr/bin/python3 "$@" | tee "$results" ||
    echo "FAIL: the walk ($(basename "$1")) stopped early" | tee -a "$results"
  passed=$((passed + $(grep -c '^ok:' "$results" || true)))
  failed=$((failed + $(grep -c '^FAIL:' "$results" || true)))
  rm -f "$results"
}
