#!/usr/bin/env bash
# The program writes no files and talks to no network. A tour through five
# windows runs under strace; every attempt to create, open for writing, rename,
# delete or make a directory, and every socket, connection and bind of the
# program and anything it starts, is then checked against the short list of
# what the toolkit itself does. Fails with the offending trace lines.
source "$(dirname "$0")/x_session.sh"
command -v strace >/dev/null || fail "strace is not installed"

work=$(mktemp -d)
trap 'cleanup; rm -rf "$work"' EXIT
trace=$work/trace
# LeakSanitizer cannot run under ptrace; the other end-to-end tests look for leaks.
[ -n "${ASAN_OPTIONS:-}" ] && export ASAN_OPTIONS="$ASAN_OPTIONS:detect_leaks=0"

start_x
syscalls=open,openat,openat2,creat,rename,renameat,renameat2,unlink,unlinkat,mkdir,mkdirat
PROGRAM_WRAPPER="strace -f -qq -o $trace -e trace=$syscalls,socket,connect,bind"
start_program

title=$(visible_window "Varn's House")
expect_only_visible "Varn's House"
click_in "$title" 150 84 # "Enter"
street=$(visible_window Form2)
expect_only_visible Form2
click_in "$street" 216 120 # the house number
ground=$(visible_window Form7)
expect_only_visible Form7
click_in "$ground" 60 110 # "TV is here"
game=$(visible_window Form9)
expect_only_visible Form9
click_in "$game" 152 180 # "Stop Playing"
expect_only_visible Form7
close_window Form7
wait_for_program_exit
[ "$program_status" = 0 ] || fail "exit status $program_status"

display_socket="/tmp/.X11-unix/X${DISPLAY#:}"
user=$(id -un)
runtime_dir=${XDG_RUNTIME_DIR:-/tmp/runtime-$user}
cache_dir=${XDG_CACHE_HOME:-$HOME/.cache}

# Where the toolkit may write, and why it is the toolkit's:
#  /dev/null                  opened read-write as the standard streams of the
#                             D-Bus autolaunch helper that libdbus forks (for Qt's
#                             D-Bus layer) when no session bus address is set.
#  $XDG_RUNTIME_DIR, or       QStandardPaths makes the per-user runtime directory
#  /tmp/runtime-$USER         (mode 0700) when it is missing; what lives in it
#                             (bus sockets, locks) is the desktop session's.
#  $XDG_CACHE_HOME (~/.cache) fontconfig's per-user cache, written when the
#  and its fontconfig/        system font caches are stale: the cache files, their
#                             temporary and lock files, renames and removals.
# Not needed here, so not allowed: /dev/shm (Qt's X backing store shares memory
# with SysV shmget, not files), /dev/tty, anything under the home or the
# working directory.
write_allowed() {
  case $1 in
    /dev/null) return 0 ;;
    "$runtime_dir" | "$runtime_dir"/*) return 0 ;;
    "/tmp/runtime-$user" | "/tmp/runtime-$user"/*) return 0 ;;
    "$cache_dir" | "$cache_dir/fontconfig" | "$cache_dir/fontconfig"/*) return 0 ;;
  esac
  return 1
}

# The only sockets are local (AF_UNIX) ones, and they reach only:
#  the X display of this session, by path or abstract name;
#  nscd, glibc's name service cache, asked for the user's home directory;
#  the D-Bus session and system buses, which Qt's platform layer tries for
#  accessibility and desktop settings when present.
# No binds, no Internet sockets of either family.
connect_allowed() {
  case $1 in
    "$display_socket" | "@$display_socket") return 0 ;;
    /var/run/nscd/socket | /run/nscd/socket) return 0 ;;
    /run/dbus/system_bus_socket | /var/run/dbus/system_bus_socket) return 0 ;;
    "$runtime_dir/bus" | /run/user/*/bus | @/tmp/dbus-* | /tmp/dbus-*) return 0 ;;
  esac
  return 1
}

# The quoted strings of a trace line (paths; for rename, both of them).
quoted_paths() { grep -o '"[^"]*"' <<<"$1" | tr -d '"'; }

writes=() connections=() offending=()
while IFS= read -r line; do
  call=$(sed -E 's/^[0-9]+ +//; s/\(.*//' <<<"$line")
  case $call in
    open | openat | openat2)
      grep -Eq 'O_WRONLY|O_RDWR|O_CREAT|O_TRUNC' <<<"$line" || continue
      ;&
    creat | rename | renameat | renameat2 | unlink | unlinkat | mkdir | mkdirat)
      writes+=("$line")
      while IFS= read -r path; do
        write_allowed "$path" || offending+=("$line")
      done < <(quoted_paths "$line")
      ;;
    socket)
      grep -q '^[0-9]* *socket(AF_UNIX,' <<<"$line" || offending+=("$line")
      ;;
    connect | bind)
      connections+=("$line")
      [ "$call" = connect ] && grep -q 'sa_family=AF_UNIX' <<<"$line" &&
        connect_allowed "$(sed -E 's/.*sun_path=(@?)"([^"]*)".*/\1\2/' <<<"$line")" ||
        offending+=("$line")
      ;;
  esac
done < <(grep -E '^[0-9]+ +[a-z0-9_]+\(' "$trace")

echo "Traced $(wc -l <"$trace") calls."
echo "Opened for writing, created, renamed or removed (${#writes[@]}):"
printf '  %s\n' "${writes[@]}"
echo "Connections and binds (${#connections[@]}):"
printf '  %s\n' "${connections[@]}"

# The trace must show the program's own display connection, or it traced nothing.
printf '%s\n' "${connections[@]}" | grep -q "sun_path=@\?\"$display_socket\"" ||
  fail "the trace holds no connection to $display_socket"
if ((${#offending[@]})); then
  mapfile -t offending < <(printf '%s\n' "${offending[@]}" | sort -u)
  printf 'Not allowed:\n' >&2
  printf '  %s\n' "${offending[@]}" >&2
  fail "${#offending[@]} writes or connections beyond the toolkit's own"
fi
echo "1 passed, 0 failed"
