#!/usr/bin/env bash
# The tour as a Windows screen reader takes it, through Microsoft Active
# Accessibility from a second process (msaa_tour.py drives msaa_client.exe):
# every move by default actions alone, every scene's object (a dialog or an
# alert, and its description) and children read against its table, each
# button's and message box's own object too, each marker pressed and its
# words' and checked state's changes heard, the messages and the picture read. Then closing the visible window ends the program with status 0.
# Needs X_SESSION_PLATFORM=tests/windows/wine_session.sh and its variables.
source "$(dirname "$0")/../e2e/x_session.sh"
: "${VARN_MSAA_CLIENT:?set VARN_MSAA_CLIENT to msaa_client.exe}"
start_x
start_program
visible_window "Varn's House" >/dev/null

results=$(mktemp)
trap 'end_wine; rm -f "$results"' EXIT
/usr/bin/python3 "$(dirname "$0")/msaa_tour.py" "$VARN_WINE" "$VARN_MSAA_CLIENT" \
  "$((patience / 20))" | tee "$results" ||
  echo "FAIL: the screen reader's walk stopped early" | tee -a "$results"

close_window "$(visible_titles | head -n1)"
wait_for_program_exit
check "closing the last scene ends the program with status 0" [ "$program_status" = 0 ]
passed=$((passed + $(grep -c '^ok:' "$results" || true)))
failed=$((failed + $(grep -c '^FAIL:' "$results" || true)))
finish_checks
