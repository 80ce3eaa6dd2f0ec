#!/usr/bin/env bash
# A program that crashes under Wine ends at once with a failing status and
# Wine's report of the fault in its output; no debugger starts, and no crash
# dialog waits for a person to close it, so a crash fails a test instead of
# hanging it.
source "$(dirname "$0")/../e2e/x_session.sh"
start_x
start_program
wait_for_program_exit
check "the crash ends with a failing status ($program_status)" [ "$program_status" != 0 ]
check "Wine reports the fault" grep -q "^wine: Unhandled" "$program_log"
check "no debugger runs" bash -c '! pgrep winedbg >/dev/null'
finish_checks
