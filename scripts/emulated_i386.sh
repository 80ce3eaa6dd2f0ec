#!/usr/bin/env bash
# Runs a command in which 32-bit x86 programs run through the user-mode
# emulator that fetch_i386_emulator.sh unpacked, also on a kernel that runs no
# 32-bit code: the emulator is registered with binfmt_misc only inside a
# private user and mount namespace made for this command (Linux 6.7 and later
# give each user namespace a binfmt_misc of its own). Nothing changes for the
# rest of the machine, and nothing stays registered once the command ends:
# checked, as the machine's own binfmt_misc entries before and after.
#   emulated_i386.sh COMMAND [ARG...]   exits with the command's status
#   emulated_i386.sh --check            exits 0 where such a namespace can be made
#   emulated_i386.sh --version          names the emulator, as "qemu-i386 10.0.2"
# Status 125: the namespace or the registration failed, with the reason.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
emulator=$root/build-emulator/qemu-i386
if [ "${1:-}" = --version ]; then
  "$emulator" --version | sed -n 's/ version \([^ ]*\).*/ \1/p'
  exit
fi
# Inside one already: the command runs as it is.
[ -n "${VARN_I386_EMULATED:-}" ] && [ "${1:-}" != --check ] && exec "$@"

# The usual i386 ELF magic and mask; flag F opens the emulator now, so it runs
# whatever the command's own view of the file system.
register=':varn-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:'
register+='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:'
inside='mount -t binfmt_misc varn-binfmt /proc/sys/fs/binfmt_misc 2>/dev/null ||
  { echo "no binfmt_misc of its own in a user namespace (Linux 6.7 or later has one)" >&2; exit 125; }
[ "$1" = --check ] && exit 0
printf "%s" "$2" >/proc/sys/fs/binfmt_misc/register ||
  { echo "the emulator could not be registered in the namespace" >&2; exit 125; }
shift 2
export VARN_I386_EMULATED=1
exec "$@"'

machine_entries() { ls /proc/sys/fs/binfmt_misc 2>/dev/null; }
before=$(machine_entries)
unshare --user --map-root-user true 2>/dev/null ||
  { echo "no user namespaces here (unshare --user is refused)" >&2 && exit 125; }
if [ "${1:-}" = --check ]; then
  set -- --check ''
else
  [ -x "$emulator" ] || {
    echo "no emulator in build-emulator/ (scripts/fetch_i386_emulator.sh fetches it)" >&2
    exit 125
  }
  set -- run "$register$emulator:F" "$@"
fi
unshare --user --map-root-user --mount sh -c "$inside" sh "$@"
status=$?
if [ "$(machine_entries)" != "$before" ]; then
  echo "the machine's binfmt_misc entries changed while the emulator ran" >&2
  exit 125
fi
exit "$status"
