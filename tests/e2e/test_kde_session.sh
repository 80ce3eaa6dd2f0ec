#!/usr/bin/env bash
# A KDE Plasma Wayland session (kwin_wayland, headless, with its XWayland) at
# 200 %: the tour runs on XWayland, drawn at the scaled size, and its windows
# keep their placement.
if [ -z "${VARN_PRIVATE_BUS:-}" ]; then
  VARN_PRIVATE_BUS=1 exec dbus-run-session -- bash "$0" "$@"
fi
source "$(dirname "$0")/x_session.sh"
source "$(dirname "$0")/wayland_session.sh"
start_session kde x11 2
check_xwayland_tour 2
finish_checks
