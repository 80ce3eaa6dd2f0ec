#!/usr/bin/env bash
# Without a display the program says so in one line and exits non-zero, at once.
set -uo pipefail
PROGRAM=${PROGRAM:?set PROGRAM to the varns-house executable}
err=$(mktemp)
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM timeout 20 "$PROGRAM" 2>"$err" >/dev/null
status=$?
lines=$(grep -c . "$err")
cat "$err"
rm -f "$err"
[ "$status" = 2 ] || { echo "FAIL: exit status $status, expected 2"; exit 1; }
[ "$lines" = 1 ] || { echo "FAIL: $lines lines on standard error, expected 1"; exit 1; }
echo "1 passed, 0 failed"
