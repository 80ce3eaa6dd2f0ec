#!/usr/bin/env bash
# Runs a Windows test program that makes windows under Wine on a private X
# server of its own, and ends the prefix's Wine server after it, so that
# nothing is left running. Usage: run_on_own_display.sh WINE_LOADER EXE
# (WINEPREFIX set to the tests' prefix).
source "$(dirname "$0")/../e2e/x_session.sh"
X_SESSION_NO_WM=1 start_x
wineserver=/usr/lib/wine/wineserver64
[ -x "$wineserver" ] || wineserver=/usr/lib/wine/wineserver32
trap 'cleanup; "$wineserver" -k 2>/dev/null || true' EXIT
WINEDEBUG=-all "$@"
