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
source "$here/accessibility_session.sh"

# Orca's settings and log live in a directory of this test's own.
orca_home=$(mktemp -d)
trap 'cleanup; rm -rf "$orca_home"' EXIT
export XDG_CONFIG_HOME=$orca_home/config XDG_DATA_HOME=$orca_home/data
orca_log=${VARN_ORCA_LOG:-$orca_home/orca.log} # VARN_ORCA_LOG keeps it for a look
/usr/bin/python3 "$here/orca_headless.py" "$orca_log" "$orca_home/prefs" >"$orca_home/orca.out" 2>&1 &
owned_pids+=($!)

walk_and_close "$here/orca_tour.py" "$orca_log" "$((patience / 20))"
