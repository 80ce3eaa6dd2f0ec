# Shared by the end-to-end tests, the screenshots and the benchmark: a private
# X server with a window manager, and helpers that act on the real program the
# way a person does, with real X pointer and keyboard events. Source it; it
# cleans up on exit.
set -euo pipefail

declare -a owned_pids=()

# How many 50 ms polls a wait may take: generous, since a loaded machine running
# the sanitizer build under strace is many times slower than a desktop. A wait
# ends as soon as its condition holds, so this costs nothing when all is well.
patience=${X_SESSION_PATIENCE:-400}

cleanup() {
  for pid in "${owned_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  # The program's output has been shown by now if a check failed.
  [ -z "${program_log:-}" ] || rm -f "$program_log"
}
trap cleanup EXIT

# On failure, the program's own output (sanitizer reports among it) goes with the message.
fail() {
  echo "FAIL: $*" >&2
  [ -s "${program_log:-}" ] && { echo "--- program output:" >&2; cat "$program_log" >&2; }
  exit 1
}

start_x() {
  local fdfile
  fdfile=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fdfile" 2>/dev/null &
  owned_pids+=($!)
  for _ in $(seq "$patience"); do [ -s "$fdfile" ] && break; sleep 0.05; done
  export DISPLAY=":$(head -n1 "$fdfile")"
  rm -f "$fdfile"
  [ "$DISPLAY" != ":" ] || fail "Xvfb did not start"
  unset QT_QPA_PLATFORM
  # X_SESSION_NO_WM=1: no window manager, so the program's windows are the
  # root's own children and their mapping can be watched in order.
  [ -n "${X_SESSION_NO_WM:-}" ] && return 0
  openbox >/dev/null 2>&1 &
  owned_pids+=($!)
  # Ready once it keeps the client list, which closing windows goes through.
  for _ in $(seq "$patience"); do wmctrl -l >/dev/null 2>&1 && break; sleep 0.05; done
}

# Starts the program in the background; its pid is in $program_pid. A command
# in PROGRAM_WRAPPER (split on spaces, e.g. "strace -f -o trace") runs it instead:
# $program_pid is then the wrapper's, and $window_pid the program's own, the
# one its windows carry.
start_program() {
  program_log="${TMPDIR:-/tmp}/varns-house-e2e.$$.log"
  # shellcheck disable=SC2086
  : "${PROGRAM:?set PROGRAM to the varns-house executable}"
  ${PROGRAM_WRAPPER:-} "$PROGRAM" >"$program_log" 2>&1 &
  program_pid=$!
  owned_pids+=($program_pid)
  window_pid=$program_pid
  if [ -n "${PROGRAM_WRAPPER:-}" ]; then
    # Matched by name: strace forks short-lived children of its own at start
    # (to probe what the kernel's ptrace offers) before it starts the program.
    local name
    name=$(basename "$PROGRAM" | cut -c1-15)
    for _ in $(seq "$patience"); do
      window_pid=$(pgrep -P "$program_pid" -x "$name" | head -n1) && [ -n "$window_pid" ] && break
      sleep 0.05
    done
    [ -n "$window_pid" ] || fail "the wrapped program did not start"
  fi
}

# Prints the id of the one visible window with exactly this title.
visible_window() {
  local title=$1 id
  for _ in $(seq "$patience"); do
    id=$(xdotool search --onlyvisible --name "^${title}\$" 2>/dev/null | head -n1 || true)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.05
  done
  fail "no visible window titled '$title'"
}

# The titles of every visible top-level window of the program. Both
# conditions must hold (xdotool's default is either): a window manager's own
# named windows are not the program's.
visible_titles() {
  { xdotool search --all --onlyvisible --pid "$window_pid" --name '.' 2>/dev/null || true; } |
    while read -r id; do xdotool getwindowname "$id" 2>/dev/null || true; done | sort
}

# Waits until exactly the given window title is the one visible window.
expect_only_visible() {
  local title=$1 now=""
  for _ in $(seq "$patience"); do
    now=$(visible_titles)
    [ "$now" = "$title" ] && return 0
    sleep 0.05
  done
  fail "expected only '$title' visible, saw: ${now//$'\n'/, }"
}

# Clicks the left button at pixel (x, y) of the window's client area.
click_in() {
  local window=$1 x=$2 y=$3
  xdotool mousemove --window "$window" "$x" "$y"
  sleep 0.2
  xdotool mousedown 1
  sleep 0.1
  xdotool mouseup 1
}

# Closes the window with this exact title the way its title bar's close box
# does: the window manager asks the program to close it.
close_window() {
  local title=$1
  # The window manager lists a newly shown window only once it has managed it,
  # which a loaded machine may delay well after the window is mapped.
  for _ in $(seq "$patience"); do
    wmctrl -F -c "$title" 2>/dev/null && return 0
    sleep 0.05
  done
  fail "the window manager could not close '$title'"
}

# Presses a key with a real key event, after giving the window the focus
# (through the window manager where it answers, directly where it does not).
press_key() {
  local window=$1 key=$2
  xdotool windowactivate --sync "$window" 2>/dev/null ||
    xdotool windowfocus --sync "$window" 2>/dev/null || true
  sleep 0.1
  xdotool key "$key"
}

# Clicks the middle of an item, given as its rectangle in twips from the scene
# table (left top width height); 15 twips make one pixel.
click_item() {
  local window=$1 left=$2 top=$3 width=$4 height=$5
  click_in "$window" $(((left + width / 2) / 15)) $(((top + height / 2) / 15))
}

# A test's tally: `check NAME COMMAND...` counts one check, which passes when
# the command succeeds; `check_equal NAME GOT WANTED` compares two texts;
# `finish_checks` prints the closing "N passed, M failed" line and fails when
# anything did. A failed check prints its name and goes on to the next.
passed=0 failed=0
check() {
  local name=$1
  shift
  if "$@"; then passed=$((passed + 1)); else
    echo "FAIL: $name"
    failed=$((failed + 1))
  fi
}
check_equal() {
  check "$1: '$2', wanted '$3'" [ "$2" = "$3" ]
}
finish_checks() {
  echo "$passed passed, $failed failed"
  ((failed == 0))
}

client_origin() {
  xdotool getwindowgeometry --shell "$1" | awk -F= '/^[XY]=/ {printf "%s ", $2}'
}

# How far the centre of the window's whole frame, as the window manager drew
# it, lies from the screen's centre: "dx dy" in pixels. A second argument
# gives the frame's "left right top bottom" instead ("0 0 0 0": the client area).
frame_centre_offset() {
  local extents=${2:-} screen
  [ -n "$extents" ] || extents=$(xprop -id "$1" _NET_FRAME_EXTENTS | sed -n 's/.*= //p' | tr -d ,)
  screen=$(xwininfo -root | awk '/Width:/ {w = $2} /Height:/ {h = $2} END {print w, h}')
  xwininfo -id "$1" |
    awk -v extents="${extents:-0 0 0 0}" -v screen="$screen" '
      BEGIN { split(extents, e, " "); split(screen, s, " ") } # e: left, right, top, bottom
      /Absolute upper-left X:/ { x = $NF } /Absolute upper-left Y:/ { y = $NF }
      /Width:/ { w = $NF } /Height:/ { h = $NF }
      END {
        printf "%d %d\n", x - e[1] + (w + e[1] + e[2]) / 2 - s[1] / 2,
          y - e[3] + (h + e[3] + e[4]) / 2 - s[2] / 2
      }'
}

# Waits for the program to end; its exit status is then in $program_status.
wait_for_program_exit() {
  for _ in $(seq "$patience"); do
    kill -0 "$program_pid" 2>/dev/null || break
    sleep 0.05
  done
  kill -0 "$program_pid" 2>/dev/null && fail "the program is still running"
  program_status=0
  wait "$program_pid" || program_status=$?
}

# Another platform's program driven by the same helpers: X_SESSION_PLATFORM
# names a script that points them at it (tests/windows/wine_session.sh).
if [ -n "${X_SESSION_PLATFORM:-}" ]; then
  # shellcheck disable=SC1090
  source "$X_SESSION_PLATFORM"
fi
