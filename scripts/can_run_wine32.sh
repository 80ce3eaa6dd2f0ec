#!/usr/bin/env bash
# Answers whether this machine runs the shipped 32-bit exe under Wine, and
# how, printing one line that says why:
#   0  natively: the kernel runs 32-bit x86 code, 32-bit Wine (Debian's
#      wine32:i386, which setup.sh installs where it can) is installed, and it
#      actually starts a 32-bit program, tried in a throwaway Wine prefix made
#      as the tests make theirs;
#   3  the same, but only under user-mode emulation: the kernel runs no
#      32-bit code, and 32-bit programs run through scripts/emulated_i386.sh;
#   1  not at all.
# VARN_WINE32=0 makes the answer no; VARN_WINE32=1 yes, natively or emulated
# as the kernel needs; VARN_WINE32=emulated yes, under emulation even where
# the kernel runs 32-bit code, to take that route here. Any other value is
# refused (exit 2).
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
no() {
  echo "$*"
  exit 1
}
case ${VARN_WINE32:-} in
0) no "VARN_WINE32=0 is set" ;;
1 | emulated | '') ;;
*) echo "VARN_WINE32 must be 0, 1 or emulated, not '$VARN_WINE32'" >&2 && exit 2 ;;
esac

# Inside the emulator's namespace 32-bit code runs, as on a kernel that runs it.
emulation=
if [ -z "${VARN_I386_EMULATED:-}" ]; then
  if [ "${VARN_WINE32:-}" = emulated ]; then
    emulation="VARN_WINE32=emulated is set"
  elif ! bash "$here/can_run_i386.sh"; then
    emulation="this kernel cannot run 32-bit x86 code"
  fi
fi
if [ -n "$emulation" ]; then
  why=$(bash "$here/emulated_i386.sh" bash "$0" 2>&1)
  case $? in
  0)
    echo "32-bit Wine runs here under emulation by $(bash "$here/emulated_i386.sh" --version)" \
      "($emulation)" && exit 3
    ;;
  125) no "$emulation, and it cannot be emulated: $why" ;;
  *) no "$emulation, and under emulation: $why" ;;
  esac
fi
[ -n "${VARN_WINE32:-}" ] && echo "VARN_WINE32=$VARN_WINE32 is set" && exit 0

dpkg-query -W -f='${Status}' wine32:i386 2>/dev/null | grep -q "install ok installed" ||
  no "32-bit Wine (Debian's wine32:i386) is not installed"
scratch=$(mktemp -d)
prefix=$scratch/prefix
wineserver=/usr/lib/wine/wineserver64
[ -x "$wineserver" ] || wineserver=/usr/lib/wine/wineserver32
trap 'WINEPREFIX=$prefix "$wineserver" -k 2>/dev/null; rm -rf "$scratch"' EXIT
timeout 300 bash "$here/../tests/windows/make_wine_prefix.sh" "$prefix" >/dev/null 2>&1 ||
  no "Wine could not make a prefix (status $?)"
# A 32-bit program that only ends with status 7, in the prefix's 32-bit half.
env -u DISPLAY -u WAYLAND_DISPLAY WINEPREFIX="$prefix" WINEDEBUG=-all \
  timeout 60 /usr/lib/wine/wine 'C:\windows\syswow64\cmd.exe' /c exit 7 >/dev/null 2>&1
status=$?
case $status in
7) echo "32-bit Wine runs here" ;;
124) no "32-bit Wine did not start a 32-bit program within 60 seconds" ;;
*) no "32-bit Wine did not start a 32-bit program (status $status)" ;;
esac
