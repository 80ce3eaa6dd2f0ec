#!/usr/bin/env bash
# The tour by keyboard alone with Orca, the desktop's screen reader, listening:
# Tab, Space and Orca's own flat review commands, every exit taken, and what
# Orca speaks checked at each step (orca_tour.py). Orca runs headless with no
# speech engine; its debug log's SPEECH OUTPUT lines are what it would say.
here=$(dirname "$0")
source "$here/accessibility_session.sh"
start_orca
walk_and_close "$here/orca_tour.py" "$orca_log" "$((patience / 20))"
