#!/usr/bin/env bash
# The tour through the desktop's accessibility bus, as a screen reader takes
# it: every move by accessibility actions alone, every scene's objects read
# against its table, the marker's words announced, the messages and the
# picture read (screen_reader_tour.py). Then closing the visible window ends
# the program with status 0, which under the sanitizers also means no finding.
here=$(dirname "$0")
source "$here/accessibility_session.sh"
walk_and_close "$here/screen_reader_tour.py" "$((patience / 20))"
