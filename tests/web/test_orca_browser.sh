#!/usr/bin/env bash
# The tour on the site by keyboard alone with Orca listening, in a browser
# showing on a private X display (orca_browser_tour.py): Tab, Space, Return,
# Orca's focus mode and the arrow keys for the labels that lead somewhere,
# every exit taken, and what Orca speaks checked at each step.
#
# Usage: test_orca_browser.sh SITE_FOLDER ENGINE
here=$(dirname "$0")
source "$here/../e2e/accessibility_bus.sh"
start_orca
run_walk "$here/orca_browser_tour.py" "$orca_log" "$1" "$2" "$((patience / 20))"
finish_checks
