#!/usr/bin/env bash
# Makes the portable zip from the build tree into a scratch folder and checks
# that it holds exactly its folder's exe and README.txt, that the exe is the
# very one the MSI installs, byte for byte, and that the README names the
# version and the exe in Windows lines.
# Usage: check_zip.sh BUILD_DIR MSI VERSION
set -euo pipefail
build=$1 msi=$2 version=$3
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cpack --config "$build/CPackConfig.cmake" -B "$out" >"$out/cpack.log" 2>&1 ||
  { cat "$out/cpack.log"; fail "cpack failed"; }
top=varns-house-$version-win32
zip=$out/$top.zip
[ -f "$zip" ] || fail "no $top.zip; made: $(cd "$out" && ls)"
listed=$(unzip -Z1 "$zip" | grep -v '/$' | sort)
wanted=$(printf '%s\n' "$top/README.txt" "$top/varns-house.exe")
[ "$listed" = "$wanted" ] || fail "the zip holds:"$'\n'"$listed"

unzip -q "$zip" -d "$out/zip"
msiextract --directory "$out/msi" "$msi" >/dev/null
from_msi=$(find "$out/msi" -name varns-house.exe)
[ "$(echo "$from_msi" | wc -l)" = 1 ] && [ -n "$from_msi" ] || fail "the MSI holds no one varns-house.exe"
cmp "$out/zip/$top/varns-house.exe" "$from_msi" || fail "the zip's exe is not the MSI's"

readme=$out/zip/$top/README.txt
grep -q " $version"$'\r'"\$" "$readme" || fail "README.txt does not name version $version"
grep -q "varns-house.exe" "$readme" || fail "README.txt does not say which file to start"
! grep -qv $'\r$' "$readme" || fail "README.txt has lines without Windows line ends"
echo "ok: $top.zip holds README.txt and the MSI's exe"
