#!/usr/bin/env bash
# Builds the Debian package from the build tree into a scratch folder and
# checks its control fields and contents: the right name, version and section,
# dependencies on the Qt runtime libraries and platform plugins (the Wayland
# one recommended) but on no development package, the game in /usr/games with
# its desktop files under /usr, and lintian reporting no error and no warning.
# Then, as root, dpkg installs it, the desktop entry's command starts the game
# under Xvfb, and purging it leaves none of its files behind.
# Usage: check_deb.sh BUILD_DIR APP_ID VERSION PACKAGE_VERSION
set -euo pipefail
build=$1 app_id=$2 version=$3 package_version=$4
source "$(dirname "$0")/../e2e/x_session.sh"
out=$(mktemp -d)
trap 'cleanup; rm -rf "$out"' EXIT

cpack --config "$build/CPackConfig.cmake" -B "$out" >"$out/cpack.log" 2>&1 ||
  { cat "$out/cpack.log"; fail "cpack failed"; }
deb=$(find "$out" -maxdepth 1 -name '*.deb')
[ "$(echo "$deb" | wc -l)" = 1 ] && [ -n "$deb" ] || fail "expected one .deb, found: $deb"
[ "$(basename "$deb")" = "varns-house_${version}_$(dpkg --print-architecture).deb" ] ||
  fail "unexpected file name $(basename "$deb")"

field() { dpkg-deb --field "$deb" "$1"; }
[ "$(field Package)" = varns-house ] || fail "Package is $(field Package)"
[ "$(field Version)" = "$package_version" ] || fail "Version is $(field Version)"
[ "$(field Section)" = games ] || fail "Section is $(field Section)"
[ -n "$(field Maintainer)" ] || fail "no Maintainer"
depends=$(field Depends)
# fonts-liberation2: the families the captions are laid out in.
for needed in libqt6widgets6 libqt6gui6 libqt6core6 qt6-qpa-plugins fonts-liberation2 libc6; do
  grep -Eq "(^|, )$needed( |,|$)" <<<"$depends" || fail "Depends lacks $needed: $depends"
done
! grep -q -- '-dev' <<<"$depends" || fail "Depends names a development package: $depends"
# Without an X server, the tour runs on Qt's Wayland plugin.
grep -Eq "(^|, )qt6-wayland(,|$)" <<<"$(field Recommends)" ||
  fail "Recommends lacks qt6-wayland: $(field Recommends)"

contents=$(dpkg-deb --contents "$deb" | awk '{print $NF}')
for path in ./usr/games/varns-house "./usr/share/applications/$app_id.desktop" \
  "./usr/share/metainfo/$app_id.metainfo.xml" \
  "./usr/share/icons/hicolor/48x48/apps/$app_id.png"; do
  grep -qx -- "$path" <<<"$contents" || fail "the package lacks $path"
done
! grep -v '^\./usr/' <<<"$contents" | grep -qv '^\./$' || fail "the package holds files outside /usr"

# Info tags may stay; overrides in the package carry their reasons.
status=0
lintian --fail-on error,warning "$deb" >"$out/lintian.log" 2>&1 || status=$?
grep -v 'running with root privileges' "$out/lintian.log" || true
[ "$status" = 0 ] || fail "lintian reports errors or warnings"
echo "ok: $(basename "$deb"), Depends: $depends; Recommends: $(field Recommends); lintian: no error or warning"

# Installing touches the machine's own /usr: only as root, and only where the
# game is not installed already.
if [ "$(id -u)" != 0 ]; then
  echo "not root: the package was not installed"
  exit 77
fi
if dpkg-query -W -f='${Status}' varns-house 2>/dev/null | grep -q "install ok installed"; then
  echo "varns-house is installed on this machine already: the package was not installed"
  exit 77
fi
# Another dpkg may be at work on a shared machine: wait for its lock.
dpkg_waiting() {
  local log=$out/dpkg.log
  for _ in $(seq 180); do
    "$@" >"$log" 2>&1 && return 0
    grep -q 'lock' "$log" || { cat "$log"; return 1; }
    sleep 5
  done
  cat "$log"
  return 1
}
paths=$(sed -n 's|^\./|/|p' <<<"$contents" | sed 's|/$||')
existing=$(while read -r path; do [ ! -e "$path" ] || echo "$path"; done <<<"$paths")
removed=""
remove() { [ -n "$removed" ] || dpkg_waiting dpkg --purge varns-house; removed=1; }
trap 'cleanup; remove || true; rm -rf "$out"' EXIT
dpkg_waiting dpkg --install "$deb" || fail "dpkg could not install $(basename "$deb")"

PROGRAM=$(sed -n 's/^Exec=//p' "/usr/share/applications/$app_id.desktop")
[ "$PROGRAM" = /usr/games/varns-house ] || fail "the desktop entry starts '$PROGRAM'"
start_x
start_program
expect_only_visible "Varn's House"
close_window "Varn's House"
wait_for_program_exit
[ "$program_status" = 0 ] || fail "the installed game exited with $program_status"

remove || fail "dpkg could not purge varns-house"
left=$(while read -r path; do
  [ ! -e "$path" ] || grep -qxF -- "$path" <<<"$existing" || echo "$path"
done <<<"$paths")
[ -z "$left" ] || fail "purging the package left behind:"$'\n'"$left"
echo "ok: installed, started from $PROGRAM, purged without a trace"
