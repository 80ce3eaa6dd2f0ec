# Shared by the Wayland session tests: a desktop's own compositor (GNOME's
# mutter, KDE's kwin_wayland) run headless in a private runtime directory and
# session bus, with or without its XWayland, and the session's environment as
# the desktop gives it to the programs it starts. Source x_session.sh first;
# run the test inside dbus-run-session.

# Everything the session writes (runtime directory, compositor settings) stays here.
session_dir=$(mktemp -d)
trap 'cleanup; rm -rf "$session_dir"' EXIT
mkdir -m 700 "$session_dir/runtime"
export XDG_RUNTIME_DIR=$session_dir/runtime XDG_CONFIG_HOME=$session_dir/config \
  XDG_CACHE_HOME=$session_dir/cache
mkdir -p "$XDG_CONFIG_HOME"

# The output every test session has, in pixels.
output_width=1280 output_height=1024

# Starts the desktop's compositor: start_session gnome|kde [x11|no-x11] [SCALE].
# The session's first client records the environment the compositor gives
# it, and the test takes that environment over: WAYLAND_DISPLAY and, with
# XWayland, DISPLAY (and XAUTHORITY where it uses one).
start_session() {
  local desktop=$1 x11=${2:-x11} scale=${3:-1} socket="varn-$$" launcher="$session_dir/first-client"
  printf '#!/bin/sh\necho $$ >"%s/client.pid"\nenv >"%s/env.new" && mv "%s/env.new" "%s/env"\nexec sleep 3600\n' \
    "$session_dir" "$session_dir" "$session_dir" "$session_dir" >"$launcher"
  chmod +x "$launcher"
  unset DISPLAY WAYLAND_DISPLAY XAUTHORITY QT_QPA_PLATFORM
  case $desktop in
  gnome)
    local options=(--wayland --headless --virtual-monitor "${output_width}x${output_height}")
    [ "$x11" = x11 ] || options+=(--no-x11)
    mutter "${options[@]}" --wayland-display "$socket" -- "$launcher" >"$session_dir/log" 2>&1 &
    export XDG_CURRENT_DESKTOP=GNOME
    ;;
  kde)
    local kwin options=(--virtual --width "$output_width" --height "$output_height" --scale "$scale")
    [ "$x11" = x11 ] && options+=(--xwayland)
    # Debian gives kwin_wayland a file capability, which a container may not
    # grant; a copy without it runs the same compositor.
    kwin=$(command -v kwin_wayland)
    if ! "$kwin" --version >/dev/null 2>&1; then
      cp "$kwin" "$session_dir/kwin_wayland"
      kwin=$session_dir/kwin_wayland
    fi
    # Plasma's "legacy applications apply scaling themselves": XWayland runs
    # at the output's scale, and X programs get the matching Xft.dpi.
    printf '[Xwayland]\nScale=%s\n' "$scale" >"$XDG_CONFIG_HOME/kwinrc"
    "$kwin" "${options[@]}" --socket "$socket" "$launcher" >"$session_dir/log" 2>&1 &
    export XDG_CURRENT_DESKTOP=KDE
    ;;
  esac
  owned_pids+=($!)
  for _ in $(seq "$patience"); do [ -s "$session_dir/env" ] && break; sleep 0.05; done
  [ -s "$session_dir/env" ] || fail "the $desktop compositor did not start: $(tail -n3 "$session_dir/log")"
  owned_pids+=("$(cat "$session_dir/client.pid")")
  local name
  for name in WAYLAND_DISPLAY DISPLAY XAUTHORITY; do
    local value
    value=$(sed -n "s/^$name=//p" "$session_dir/env")
    [ -n "$value" ] && export "$name=$value"
  done
  export XDG_SESSION_TYPE=wayland
  echo "session: $desktop, WAYLAND_DISPLAY=$WAYLAND_DISPLAY, DISPLAY=${DISPLAY:-none}, scale $scale"
  # As the desktop's settings daemon does, X programs learn the scale from Xft.dpi.
  [ -z "${DISPLAY:-}" ] || awk -v scale="$scale" 'BEGIN {print "Xft.dpi:", 96 * scale}' | xrdb -merge
}

# The window-system plugin the running program loaded: xcb or wayland.
loaded_plugin() {
  local plugin=""
  for _ in $(seq "$patience"); do
    plugin=$(grep -o -m1 -E 'libq(xcb|wayland-[a-z]+)\.so' "/proc/$window_pid/maps" 2>/dev/null) &&
      break
    sleep 0.05
  done
  echo "${plugin:-none}"
}

# The client area of an X window, as "X Y WIDTH HEIGHT" on the root.
client_area() {
  xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
    /^ *Width:/ {w=$NF} /^ *Height:/ {h=$NF} END {print x, y, w, h}'
}

# Waits until the window's client area stops changing, then prints it.
settled_area() {
  local area last=""
  for _ in $(seq 20); do
    area=$(client_area "$1")
    [ "$area" = "$last" ] && break
    last=$area
    sleep 0.1
  done
  echo "$area"
}

# Moves the window as the user would leave it at (x, y), through the window
# manager, and prints its client area once it has moved.
move_window() {
  local window=$1 before
  before=$(client_area "$window")
  xdotool windowmove "$window" "$2" "$3"
  for _ in $(seq "$patience"); do [ "$(client_area "$window")" != "$before" ] && break; sleep 0.05; done
  settled_area "$window"
}

# The tour on the session's XWayland, at the session's integer SCALE: the
# program picked it, the title opens centred on the output at its scaled size,
# windows moved and left come back exactly there after "Reincarnate", and one
# window shows at each step; closing the visible window ends the program.
check_xwayland_tour() {
  local scale=$1 root title street driveway ending
  start_program
  local plugin
  plugin=$(loaded_plugin)
  echo "window-system plugin: $plugin"
  check_equal "window-system plugin" "$plugin" libqxcb.so
  read -r _ _ root_width root_height < <(client_area "$(xwininfo -root | awk '/Window id/ {print $4}')")
  title=$(visible_window "Varn's House")
  expect_only_visible "Varn's House"
  local placed
  placed=$(settled_area "$title")
  echo "output ${root_width}x${root_height}; title placed at $placed"
  check_equal "the title's size at ${scale}x" "${placed#* * }" "$((312 * scale)) $((112 * scale))"
  # A window manager that tells a window's frame before mapping it has the
  # whole window centred; of one that does not (KWin), only the client area
  # can be, as with any X client.
  local dx dy centred="whole window"
  if xprop -root _NET_SUPPORTED | grep -q _NET_REQUEST_FRAME_EXTENTS; then
    read -r dx dy < <(frame_centre_offset "$title")
  else
    centred="client area"
    read -r dx dy < <(frame_centre_offset "$title" "0 0 0 0")
  fi
  check "the title's $centred centred at ${scale}x: $dx, $dy px off" \
    [ $((dx * dx)) -le 1 -a $((dy * dy)) -le 1 ]

  local title_left street_left
  title_left=$(move_window "$title" 100 120)
  echo "title moved to $title_left"
  click_in "$title" $((150 * scale)) $((84 * scale)) # "Enter"
  street=$(visible_window Form2)
  expect_only_visible Form2
  echo "street placed at $(settled_area "$street")"
  # Even positions: at 200 % a window lies on whole logical pixels, two of XWayland's.
  street_left=$(move_window "$street" 46 480)
  echo "street moved to $street_left"
  click_in "$street" $((220 * scale)) $((60 * scale)) # "Enter the Driveway"
  driveway=$(visible_window 3)
  expect_only_visible 3
  echo "driveway placed at $(settled_area "$driveway")"
  click_in "$driveway" $((56 * scale)) $((120 * scale)) # "Front Door"
  ending=$(visible_window Form4)
  expect_only_visible Form4
  echo "ending placed at $(settled_area "$ending")"
  press_key "$ending" space # "Reincarnate" has the focus
  expect_only_visible "Varn's House"
  check_equal "the title after Reincarnate" "$(settled_area "$title")" "$title_left"
  click_in "$title" $((150 * scale)) $((84 * scale))
  expect_only_visible Form2
  check_equal "the street shown again" "$(settled_area "$street")" "$street_left"

  close_window Form2
  wait_for_program_exit
  check_equal "exit status after closing the street" "$program_status" 0
}

# Runs a script in the session's kwin (tests/e2e/kwin/), as a desktop's own
# scripts run: it acts as the compositor and prints to its log.
kwin_script() {
  dbus-send --session --print-reply --dest=org.kde.KWin /Scripting \
    org.kde.kwin.Scripting.loadScript string:"$1" string:"$(basename "$1" .js)-$RANDOM" >/dev/null &&
    dbus-send --session --print-reply --dest=org.kde.KWin /Scripting org.kde.kwin.Scripting.start \
      >/dev/null || fail "kwin did not run $1"
}
