#!/usr/bin/env bash
# Starts the Windows program under Wine in place of this shell (see wine_session.sh).
exec "$VARN_WINE" "$VARN_EXE" "$@"
