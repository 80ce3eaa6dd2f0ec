#!/usr/bin/env bash
# Installs the build into a scratch DESTDIR under /usr and checks that exactly
# the expected files arrive, that the desktop entry, metainfo and icons name
# each other by the application id, and that both validators accept them.
# Usage: check_install.sh BUILD_DIR APP_ID
set -euo pipefail
build=$1 app_id=$2
dest=$(mktemp -d)
trap 'rm -rf "$dest"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

DESTDIR="$dest" cmake --install "$build" --prefix /usr >/dev/null

sizes=(16 32 48 64 128 256)
expected=(
  usr/bin/varns-house
  "usr/share/applications/$app_id.desktop"
  "usr/share/metainfo/$app_id.metainfo.xml"
)
for size in "${sizes[@]}"; do
  expected+=("usr/share/icons/hicolor/${size}x${size}/apps/$app_id.png")
done
actual=$(cd "$dest" && find . -type f -printf '%P\n' | sort)
wanted=$(printf '%s\n' "${expected[@]}" | sort)
[ "$actual" = "$wanted" ] ||
  fail "installed files differ:"$'\n'"$(diff <(echo "$wanted") <(echo "$actual") || true)"
[ -x "$dest/usr/bin/varns-house" ] || fail "the program is not executable"

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
grep -qx "Exec=varns-house" "$desktop" || fail "the desktop entry does not start varns-house"
grep -q "<id>$app_id</id>" "$metainfo" || fail "the metainfo id is not $app_id"
grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" ||
  fail "the metainfo does not launch $app_id.desktop"
grep -q "<binary>varns-house</binary>" "$metainfo" || fail "the metainfo does not provide the binary"

desktop-file-validate "$desktop" || fail "desktop-file-validate rejects the installed entry"
appstreamcli validate --no-net "$metainfo" >/dev/null ||
  fail "appstreamcli rejects the installed metainfo"
echo "ok: ${#expected[@]} files installed"
