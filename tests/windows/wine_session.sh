# The end-to-end helpers (tests/e2e/x_session.sh) pointed at the Windows
# program under Wine: source this after x_session.sh. It needs VARN_EXE (the
# .exe), VARN_WINE (the Wine loader that runs it: /usr/lib/wine/wine for a
# 32-bit exe, /usr/lib/wine/wine64 for a 64-bit one) and VARN_WINE_PREFIX (a
# Wine prefix made by make_wine_prefix.sh). Everything Wine starts for the
# program is ended when the test ends, so nothing is left running.
: "${VARN_EXE:?set VARN_EXE to the .exe}"
: "${VARN_WINE:?set VARN_WINE to the Wine loader}"
: "${VARN_WINE_PREFIX:?set VARN_WINE_PREFIX to a Wine prefix}"

export WINEPREFIX=$VARN_WINE_PREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export WINESERVER=/usr/lib/wine/wineserver64
[ -x "$WINESERVER" ] || WINESERVER=/usr/lib/wine/wineserver32
# start_program runs this; it becomes the program's process, so the pid the
# helpers hold is the one its windows carry.
export PROGRAM="$(dirname "${BASH_SOURCE[0]}")/run_under_wine.sh"

end_wine() {
  cleanup
  "$WINESERVER" -k 2>/dev/null || true
  "$WINESERVER" -w 2>/dev/null || true
}
trap end_wine EXIT

# Sets the screen resolution the next Wine program sees, in dots per inch.
set_wine_dpi() {
  "$VARN_WINE" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f \
    >/dev/null 2>&1 || fail "could not set Wine's resolution to $1 dpi"
  "$WINESERVER" -w 2>/dev/null || true
}
