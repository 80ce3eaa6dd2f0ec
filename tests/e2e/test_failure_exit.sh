#!/usr/bin/env bash
# A window operation that fails mid-transition: the transition stops there,
# the run-time error is shown and printed naming the operation, and the
# program ends with a non-zero status once the message is acknowledged.
source "$(dirname "$0")/x_session.sh"
start_x
export VARN_FAIL_ON="Show Form2"
start_program
log="${TMPDIR:-/tmp}/varns-house-e2e.$$.log"

title=$(visible_window "Varn's House")
click_in "$title" 150 84 # "Enter": creating the street works, showing it fails
visible_window "Varn's House — Run-time error" >/dev/null
# Nothing done before the failure is undone: the title is still there.
[ "$(visible_window "Varn's House")" = "$title" ] || fail "the title window went away"
grep -q "Run-time error: Show failed for Form2: injected failure" "$log" ||
  fail "standard error does not name the failing operation: $(cat "$log")"
# Acknowledge with a real key press; the box may re-create its window while
# it settles, so look it up again just before.
press_key "$(visible_window "Varn's House — Run-time error")" Return
wait_for_program_exit
[ "$program_status" = 1 ] || fail "exit status $program_status, expected 1"
echo "1 passed, 0 failed"
