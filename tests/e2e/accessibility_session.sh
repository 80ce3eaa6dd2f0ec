# Shared by the screen-reader tests: a private session bus (the calling test
# runs again under dbus-run-session), a private X server, the accessibility
# bus up before the program starts, as on a desktop, and the program showing
# its title; the toolkit joins the bus at once and needs no screen reader
# running to do so. Source it. Then `walk_and_close WALK [ARG...]` runs a walk
# (a Python script printing "ok:" and "FAIL:" lines), closes the visible
# window, checks that the program ends with status 0 (under the sanitizers
# that also means no finding), and prints the tally.
if [ -z "${VARN_PRIVATE_BUS:-}" ]; then
  VARN_PRIVATE_BUS=1 exec dbus-run-session -- bash "$0" "$@"
fi
source "$(dirname "${BASH_SOURCE[0]}")/x_session.sh"
start_x
dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress \
  >/dev/null || fail "the accessibility bus did not start"
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
start_program
visible_window "Varn's House" >/dev/null

walk_and_close() {
  local results
  results=$(mktemp)
  /usr/bin/python3 "$@" | tee "$results" ||
    echo "FAIL: the walk ($(basename "$1")) stopped early" | tee -a "$results"
  close_window "$(visible_titles | head -n1)" # the title, unless the walk stopped early
  wait_for_program_exit
  if [ "$program_status" = 0 ]; then
    echo "ok: closing the title ends the program with status 0" | tee -a "$results"
  else
    echo "FAIL: the program ended with status $program_status:" | tee -a "$results"
    cat "$program_log"
  fi
  passed=$(grep -c '^ok:' "$results" || true)
  failed=$(grep -c '^FAIL:' "$results" || true)
  rm -f "$results"
  finish_checks
}
