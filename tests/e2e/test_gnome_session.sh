#!/usr/bin/env bash
# A GNOME Wayland session (mutter, headless, with its XWayland): the tour runs
# on XWayland, where its windows keep their placement.
if [ -z "${VARN_PRIVATE_BUS:-}" ]; then
  VARN_PRIVATE_BUS=1 exec dbus-run-session -- bash "$0" "$@"
fi
source "$(dirname "$0")/x_session.sh"
source "$(dirname "$0")/wayland_session.sh"
start_session gnome
check_xwayland_tour 1
finish_checks
