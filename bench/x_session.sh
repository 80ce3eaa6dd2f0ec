# A private X server with a window manager for the benchmark, as the
# end-to-end tests have: Xvfb on a free display number, openbox on it.
# Source it; it stops both on exit.
declare -a bench_pids=()

stop_x() {
  for pid in "${bench_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
}
trap stop_x EXIT

start_x() {
  local fdfile
  fdfile=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fdfile" 2>/dev/null &
  bench_pids+=($!)
  for _ in $(seq 100); do [ -s "$fdfile" ] && break; sleep 0.05; done
  export DISPLAY=":$(head -n1 "$fdfile")"
  rm -f "$fdfile"
  [ "$DISPLAY" != ":" ] || { echo "Xvfb did not start" >&2; exit 1; }
  openbox >/dev/null 2>&1 &
  bench_pids+=($!)
  for _ in $(seq 100); do wmctrl -m >/dev/null 2>&1 && break; sleep 0.05; done
  unset QT_QPA_PLATFORM
}
