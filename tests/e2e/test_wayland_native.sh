#!/usr/bin/env bash
# A Wayland session without an X server (kwin_wayland, headless, at 200 %):
# the tour runs natively on Wayland, drawn at the scaled size; every move is
# taken through the accessibility bus, with one window showing after each
# (screen_reader_tour.py); closing the visible window ends the program. Where
# kwin placed each window is printed: on Wayland that is the compositor's choice.
here=$(dirname "$0")
if [ -z "${VARN_PRIVATE_BUS:-}" ]; then
  VARN_PRIVATE_BUS=1 exec dbus-run-session -- bash "$0" "$@"
fi
source "$here/x_session.sh"
source "$here/wayland_session.sh"
start_session kde no-x11 2
kwin_script "$here/kwin/log_placements.js"
dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress \
  >/dev/null || fail "the accessibility bus did not start"
# The protocol log shows the buffers the program hands the compositor.
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 WAYLAND_DEBUG=client
# In the sanitizer build: Mesa's EGL, which Qt's Wayland plugin starts, keeps
# no frame pointers, so only the full unwinder reaches the toolkit's frames
# that the leak suppressions name.
[ -z "${ASAN_OPTIONS:-}" ] || export ASAN_OPTIONS=$ASAN_OPTIONS:fast_unwind_on_malloc=0
start_program
plugin=$(loaded_plugin)
echo "window-system plugin: $plugin"
check_equal "window-system plugin" "$plugin" libqwayland-generic.so

results=$(mktemp)
/usr/bin/python3 "$here/screen_reader_tour.py" "$((patience / 20))" >"$results" ||
  echo "FAIL: the screen reader's walk stopped early" >>"$results"
grep -v '^ok:' "$results" || true
passed=$((passed + $(grep -c '^ok:' "$results" || true)))
failed=$((failed + $(grep -c '^FAIL:' "$results" || true)))
rm -f "$results"
# The title at 2x: a 624 x 224 buffer for its 312 x 112 client area, scale 2.
first_buffer=$(grep -m1 -o 'create_buffer([^)]*)' "$program_log" | cut -d, -f3,4)
check_equal "the title's first buffer" "${first_buffer// /}" 624,224
check "the buffers are at scale 2" grep -q 'set_buffer_scale(2)' "$program_log"

kwin_script "$here/kwin/close_active.js"
wait_for_program_exit
check_equal "exit status after closing the visible window" "$program_status" 0
# What the program said, without the protocol log, when it did not end cleanly.
[ "$program_status" = 0 ] || grep -v '^\[' "$program_log"
sed -n 's/^js: placed/kwin placed/p' "$session_dir/log"
finish_checks
