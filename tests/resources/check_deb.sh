#!/usr/bin/env bash
# Builds the Debian package from the build tree into a scratch folder and
# checks its control fields and contents: the right name, version and section,
# dependencies on the Qt runtime libraries and platform plugins but on no
# development package, and the program with its desktop files under /usr.
# Usage: check_deb.sh BUILD_DIR APP_ID VERSION
set -euo pipefail
build=$1 app_id=$2 version=$3
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cpack --config "$build/CPackConfig.cmake" -B "$out" >"$out/cpack.log" 2>&1 ||
  { cat "$out/cpack.log"; fail "cpack failed"; }
deb=$(find "$out" -maxdepth 1 -name '*.deb')
[ "$(echo "$deb" | wc -l)" = 1 ] && [ -n "$deb" ] || fail "expected one .deb, found: $deb"
[ "$(basename "$deb")" = "varns-house_${version}_$(dpkg --print-architecture).deb" ] ||
  fail "unexpected file name $(basename "$deb")"

field() { dpkg-deb --field "$deb" "$1"; }
[ "$(field Package)" = varns-house ] || fail "Package is $(field Package)"
[ "$(field Version)" = "$version" ] || fail "Version is $(field Version)"
[ "$(field Section)" = games ] || fail "Section is $(field Section)"
[ -n "$(field Maintainer)" ] || fail "no Maintainer"
depends=$(field Depends)
for needed in libqt6widgets6 libqt6gui6 libqt6core6 qt6-qpa-plugins libc6; do
  grep -Eq "(^|, )$needed( |,|$)" <<<"$depends" || fail "Depends lacks $needed: $depends"
done
! grep -q -- '-dev' <<<"$depends" || fail "Depends names a development package: $depends"

contents=$(dpkg-deb --contents "$deb" | awk '{print $NF}')
for path in ./usr/bin/varns-house "./usr/share/applications/$app_id.desktop" \
  "./usr/share/metainfo/$app_id.metainfo.xml" \
  "./usr/share/icons/hicolor/48x48/apps/$app_id.png"; do
  grep -qx -- "$path" <<<"$contents" || fail "the package lacks $path"
done
! grep -v '^\./usr/' <<<"$contents" | grep -qv '^\./$' || fail "the package holds files outside /usr"
echo "ok: $(basename "$deb"), Depends: $depends"
