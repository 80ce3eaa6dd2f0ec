# Shared by the desktop program's screen-reader tests: the private session of
# accessibility_bus.sh with the program started in it, showing its title; the
# toolkit joins the accessibility bus at once and needs no screen reader
# running to do so. Source it. Then `walk_and_close WALK [ARG...]` runs a walk
# (run_walk), closes the visible window, checks that the program ends with
# status 0 (under the sanitizers that also means no finding), and prints the
# tally.
source "$(dirname "${BASH_SOURCE[0]}")/accessibility_bus.sh"
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
start_program
visible_window "Varn's House" >/dev/null

walk_and_close() {
  run_walk "$@"
  close_window "$(visible_titles | head -n1)" # the title, unless the walk stopped early
  wait_for_program_exit
  if [ "$program_status" = 0 ]; then
    echo "ok: closing the title ends the program with status 0"
    passed=$((passed + 1))
  else
    echo "FAIL: the program ended with status $program_status:"
    failed=$((failed + 1))
    cat "$program_log"
  fi
  finish_checks
}
