#!/usr/bin/env bash
# Fetches the user-mode emulator that runs 32-bit x86 programs where the
# kernel runs none: qemu-i386 from Debian's qemu-user in bookworm-backports,
# unpacked into build-emulator/ (scripts/emulated_i386.sh runs it). That qemu
# (10.0) runs 32-bit Wine as a kernel would; bookworm's own (7.2) places the
# program's memory a page away from where 64-bit Wine's server writes into it.
# apt runs with a configuration of its own, in a folder of its own: the
# machine's sources and installed packages are left as they are. Prints the
# emulator's version; exits 1 with the reason when it cannot be had.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
folder=$root/build-emulator
emulator=$folder/qemu-i386
if "$emulator" --version >/dev/null 2>&1; then
  "$emulator" --version | head -n1
  exit 0
fi
fail() {
  echo "$*" >&2
  exit 1
}

apt_dir=$folder/apt
rm -rf "$folder"
mkdir -p "$apt_dir"/{lists/partial,cache/archives/partial}
touch "$apt_dir/status"
# The mirror the machine takes bookworm from, asked for its backports suite.
mirror=$(apt-get indextargets --format '$(REPO_URI) $(CODENAME)' 2>/dev/null |
  awk '$2 == "bookworm" { print $1; exit }')
echo "deb [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg]" \
  "${mirror:-http://deb.debian.org/debian/} bookworm-backports main" >"$apt_dir/sources.list"
apt_options=(-q -o Dir::Etc::SourceList="$apt_dir/sources.list" -o Dir::Etc::SourceParts=/dev/null
  -o Dir::State::Lists="$apt_dir/lists" -o Dir::State::Status="$apt_dir/status"
  -o Dir::Cache="$apt_dir/cache" -o APT::Architectures=amd64 -o Debug::NoLocking=1
  -o APT::Sandbox::User="$(id -un)")

for attempt in 1 2 3; do
  output=$(apt-get "${apt_options[@]}" update 2>&1) && break
  ((attempt < 3)) || fail "the backports package list did not download: $output"
  sleep 10
done
(cd "$apt_dir" && apt-get "${apt_options[@]}" download qemu-user >/dev/null 2>&1) ||
  fail "qemu-user could not be downloaded from bookworm-backports"
dpkg-deb --fsys-tarfile "$apt_dir"/qemu-user_*.deb | tar -xO ./usr/bin/qemu-i386 >"$emulator"
chmod +x "$emulator"
rm -rf "$apt_dir"
"$emulator" --version | head -n1 || fail "the fetched qemu-i386 does not run"
