#!/usr/bin/env bash
# Installs the build into a scratch DESTDIR under /usr and checks that exactly
# the expected files arrive, that the desktop entry, metainfo and icons name
# each other by the application id, that both validators accept them, that
# the manual page renders without a warning, and that the desktop entry
# starts the program where it was installed, below whichever prefix.
# Usage: check_install.sh BUILD_DIR APP_ID
set -euo pipefail
build=$1 app_id=$2
dest=$(mktemp -d)
trap 'rm -rf "$dest"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

DESTDIR="$dest" cmake --install "$build" --prefix /usr >/dev/null

sizes=(16 32 48 64 128 256)
expected=(
  usr/games/varns-house
  "usr/share/applications/$app_id.desktop"
  "usr/share/metainfo/$app_id.metainfo.xml"
  usr/share/man/man6/varns-house.6.gz
  usr/share/doc/varns-house/copyright
  usr/share/doc/varns-house/changelog.Debian.gz
  usr/share/lintian/overrides/varns-house
)
for size in "${sizes[@]}"; do
  expected+=("usr/share/icons/hicolor/${size}x${size}/apps/$app_id.png")
done
actual=$(cd "$dest" && find . -type f -printf '%P\n' | sort)
wanted=$(printf '%s\n' "${expected[@]}" | sort)
[ "$actual" = "$wanted" ] ||
  fail "installed files differ:"$'\n'"$(diff <(echo "$wanted") <(echo "$actual") || true)"
[ -x "$dest/usr/games/varns-house" ] || fail "the program is not executable"

# A theme icon must be as large as the folder it sits in says.
for size in "${sizes[@]}"; do
  png="$dest/usr/share/icons/hicolor/${size}x${size}/apps/$app_id.png"
  read -r w h < <(od -An -tu1 -j16 -N8 "$png" |
    awk '{print $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8}')
  [ "$w $h" = "$size $size" ] || fail "$png is ${w}x$h"
done

desktop="$dest/usr/share/applications/$app_id.desktop"
metainfo="$dest/usr/share/metainfo/$app_id.metainfo.xml"
grep -qx "Icon=$app_id" "$desktop" || fail "the desktop entry does not name icon $app_id"
grep -q "<id>$app_id</id>" "$metainfo" || fail "the metainfo id is not $app_id"
grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" ||
  fail "the metainfo does not launch $app_id.desktop"
grep -q "<binary>varns-house</binary>" "$metainfo" || fail "the metainfo does not provide the binary"

desktop-file-validate "$desktop" || fail "desktop-file-validate rejects the installed entry"
appstreamcli validate --no-net "$metainfo" >/dev/null ||
  fail "appstreamcli rejects the installed metainfo"
warnings=$(LC_ALL=C.UTF-8 man --warnings -l "$dest/usr/share/man/man6/varns-house.6.gz" 2>&1 >/dev/null)
[ -z "$warnings" ] || fail "the manual page renders with warnings:"$'\n'"$warnings"

# The entry names the program by its full path, whatever the prefix; one with
# a space is quoted, as the entry's format wants.
for case in "/usr|/usr/games/varns-house" "/opt/Varn Games|\"/opt/Varn Games/games/varns-house\""; do
  prefix=${case%%|*} exec=${case#*|}
  [ "$prefix" = /usr ] || DESTDIR="$dest" cmake --install "$build" --prefix "$prefix" >/dev/null
  entry="$dest$prefix/share/applications/$app_id.desktop"
  grep -qxF "Exec=$exec" "$entry" || fail "installed below $prefix, the entry says $(grep ^Exec= "$entry")"
  desktop-file-validate "$entry" || fail "desktop-file-validate rejects the entry below $prefix"
done
echo "ok: ${#expected[@]} files installed"
