#!/usr/bin/env bash
# The tour through the desktop's accessibility bus, as a screen reader takes
# it: every move by accessibility actions alone, every scene's objects read
# against its table, the marker's words announced, the messages and the
# picture read (screen_reader_tour.py). Then closing the visible window ends
# the program with status 0, which under the sanitizers also means no finding.
here=$(dirname "$0")
# A private session bus, as a desktop session has, for the accessibility bus.
if [ -z "${VARN_PRIVATE_BUS:-}" ]; then
  VARN_PRIVATE_BUS=1 exec dbus-run-session -- bash "$0" "$@"
fi
source "$here/x_session.sh"
start_x

# The accessibility bus is up before the program starts, as on a desktop; the
# toolkit joins it at once and needs no screen reader running to do so.
dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress \
  >/dev/null || fail "the accessibility bus did not start"
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
start_program
visible_window "Varn's House" >/dev/null

results=$(mktemp)
/usr/bin/python3 "$here/screen_reader_tour.py" "$((patience / 20))" | tee "$results" ||
  echo "FAIL: the screen reader's walk stopped early" | tee -a "$results"

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
echo "$passed passed, $failed failed"
[ "$failed" = 0 ]
