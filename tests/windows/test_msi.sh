#!/usr/bin/env bash
# The MSI as 64-bit Windows takes it, under 64-bit Wine in a fresh prefix of
# its own: a silent install puts the exe into the x86 Program Files folder, a
# Start-menu shortcut that starts it with the program's description and icon,
# and one entry in the list of installed programs with name, version,
# publisher and icon; where 32-bit Wine runs, the installed exe starts and
# shows its title. A silent uninstall leaves no file, folder, shortcut or
# registry entry of ours. Then an MSI of a later version, installed over this
# one, replaces it rather than sitting beside it, and its uninstall leaves
# nothing either.
# Usage: test_msi.sh MSI WXS BUILT_EXE ICON NAME MSI_VERSION PUBLISHER DESCRIPTION
# with VARN_WINE_PREFIX (made afresh here), VARN_EXE (where the exe must land
# in it) and VARN_WINE (the 32-bit loader that starts it).
set -euo pipefail
msi=$1 wxs=$2 built_exe=$3 icon=$4 name=$5 version=$6 publisher=$7 description=$8
here=$(cd "$(dirname "$0")" && pwd)
prefix=$VARN_WINE_PREFIX drive=$VARN_WINE_PREFIX/drive_c
scratch=$(mktemp -d)
# Wine copies shortcuts into the desktop's menus below these; keep them here.
export XDG_DATA_HOME=$scratch/data XDG_CONFIG_HOME=$scratch/config
rm -rf "$prefix"
bash "$here/make_wine_prefix.sh" "$prefix" >/dev/null
source "$here/../e2e/x_session.sh"
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winemenubuilder.exe=d"
trap 'end_wine; rm -rf "$scratch"' EXIT
wine64=/usr/lib/wine/wine64

msiexec() { # /i or /x, the MSI
  "$wine64" msiexec "$1" "Z:${2//\//\\}" /qn || fail "msiexec $1 $(basename "$2") exited with $?"
  "$WINESERVER" -w
}
# The rows of an MSI's table, without the three header lines.
table() { msiinfo export "$1" "$2" | tr -d '\r' | tail -n +4; }
property() { table "$1" Property | sed -n "s/^$2\t//p"; }
reg_value() { # key, value name
  "$wine64" reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | sed -n "s/^ *$2 *REG_[A-Z_]* *//p"
}
unix_path() { local path=${1#[Cc]:\\}; echo "$drive/${path//\\//}"; }
# The entries of the list of installed programs that carry our name.
entries() {
  awk -v want="\"DisplayName\"=\"$name\"" '/^\[/ {key = $0; sub(/\] [0-9]+$/, "]", key)} $0 == want && key ~ /Uninstall/ {
    gsub(/\\\\/, "\\", key); print "HKLM\\" substr(key, 2, length(key) - 2)}' "$prefix/system.reg"
}
# Windows Installer's own keys hold the codes packed: each group reversed.
packed() {
  local g=${1//[\{\}-]/}
  echo "$(rev <<<"${g:0:8}")$(rev <<<"${g:8:4}")$(rev <<<"${g:12:4}")$(sed 's/\(.\)\(.\)/\2\1/g' <<<"${g:16}")"
}
# Everything in the prefix that is the product's: files and folders with the
# names its MSI gives them, and registry keys and values that carry its name,
# its registry keys, or a code Windows Installer files it under (product,
# upgrade and component codes, plain and packed). Keys that the installer
# service makes for itself, such as the list of installed programs that
# Wine's makes for 32-bit products, are not the product's and stay out.
ours() {
  local package names=() needles=("$name") code field
  for package in "$msi" "$scratch/later.msi"; do
    [ -f "$package" ] || continue
    # Names are "short|long", and a folder's "target:source".
    while read -r field; do
      field=${field%%:*} && names+=("${field#*|}")
    done < <(table "$package" File | cut -f3; table "$package" Directory | cut -f3)
    while read -r field; do names+=("${field#*|}.lnk"); done < <(table "$package" Shortcut | cut -f3)
    while read -r field; do needles+=("${field//\\/\\\\}"); done < <(table "$package" Registry | cut -f3)
    for code in $(property "$package" ProductCode) $(property "$package" UpgradeCode) \
      $(table "$package" Component | cut -f2); do
      needles+=("$code" "$(packed "$code")")
    done
  done
  (cd "$drive" && for file in "${names[@]}"; do
    [[ $file == . || $file == SourceDir ]] ||
      find . -path ./windows/Installer -prune -o -iname "$file" -print
  done)
  wanted=$(printf '%s\n' "${needles[@]}") awk '
    BEGIN { n = split(tolower(ENVIRON["wanted"]), want, "\n") }
    /^\[/ { key = $0; sub(/\] [0-9]+$/, "]", key) }
    { line = tolower($0); for (i = 1; i <= n; i++) if (want[i] != "" && index(line, want[i])) {
        print (/^\[/ ? key : key " " $0); next } }' "$prefix"/*.reg
}
expect_nothing_left() {
  local left
  left=$(ours)
  [ -z "$left" ] || fail "the uninstall left behind:"$'\n'"$left"
  [ -z "$(find "$drive/windows/Installer" -mindepth 1)" ] || fail "the installer cache keeps files"
}

start_x
"$WINESERVER" -w
left=$(ours)
[ -z "$left" ] || fail "a fresh prefix already holds:"$'\n'"$left"
code=$(property "$msi" ProductCode) upgrade_code=$(property "$msi" UpgradeCode)

msiexec /i "$msi"
[ -f "$VARN_EXE" ] || fail "no $VARN_EXE after the install"
cmp -s "$VARN_EXE" "$built_exe" || fail "the installed exe differs from the built one"
folder=$(dirname "$VARN_EXE")
[ "$(ls "$folder")" = "$(basename "$VARN_EXE")" ] || fail "$folder holds: $(ls "$folder")"

# Windows puts a per-machine shortcut into the all-users Start menu; Wine's
# msiexec into the user's. Either way there must be exactly one.
mapfile -t shortcuts < <(find "$drive/ProgramData" "$drive/users" -name "$name.lnk")
[ "${#shortcuts[@]}" = 1 ] || fail "expected one shortcut '$name.lnk', found ${#shortcuts[@]}"
[[ ${shortcuts[0]} == */Start\ Menu/Programs/* ]] || fail "shortcut outside the Start menu"
declare -A link
while IFS='=' read -r key value; do link[$key]=$value; done < \
  <(/usr/bin/python3 "$here/read_shortcut.py" "${shortcuts[0]}")
[ "$(unix_path "${link[target]:-}")" = "$VARN_EXE" ] || fail "the shortcut starts '${link[target]:-}'"
[ "${link[description]:-}" = "$description" ] || fail "the shortcut says '${link[description]:-}'"
[ "$(unix_path "${link[workdir]:-}")" = "$folder/" ] || fail "the shortcut runs in '${link[workdir]:-}'"
cmp -s "$(unix_path "${link[icon]:-}")" "$icon" || fail "the shortcut's icon '${link[icon]:-}' is not ours"

mapfile -t keys < <(entries)
[ "${#keys[@]}" = 1 ] || fail "expected one installed-programs entry, found: ${keys[*]}"
[[ ${keys[0]} == *"\\$code" ]] || fail "the entry ${keys[0]} is not the product $code"
for pair in "DisplayName=$name" "DisplayVersion=$version" "Publisher=$publisher"; do
  got=$(reg_value "${keys[0]}" "${pair%%=*}")
  [ "$got" = "${pair#*=}" ] || fail "the entry's ${pair%%=*} is '$got', not '${pair#*=}'"
done
# The list shows the product's icon, which Windows Installer keeps in its cache.
product_icon=$(reg_value "HKLM\\Software\\Classes\\Installer\\Products\\$(packed "$code")" ProductIcon)
cmp -s "$(unix_path "$product_icon")" "$icon" || fail "the entry's icon '$product_icon' is not ours"
# What the uninstall must take away is seen here, or its check would pass blind.
left=$(ours)
for item in "/$(basename "$VARN_EXE")" "/$name.lnk" "\\$code]" "$(packed "$upgrade_code")]"; do
  grep -qiF -- "$item" <<<"$left" || fail "the product's own things do not show $item"
done
echo "ok: installed, with its shortcut and entry ($version, $publisher)"

# The same version again: the same MSI, and another build of it (the same
# product code, another package code), each repairs the installed product or
# is refused (1638, another package of it is installed); one product stays.
(cd "$(dirname "$wxs")" && wixl --arch x86 --output "$scratch/rebuilt.msi" "$wxs") ||
  fail "wixl could not build the version again"
for package in "$msi" "$scratch/rebuilt.msi"; do
  status=0
  "$wine64" msiexec /i "Z:${package//\//\\}" /qn || status=$?
  "$WINESERVER" -w
  [[ $status == @(0|1638) ]] || fail "installing $(basename "$package") again exited with $status"
  mapfile -t keys < <(entries)
  [ "${#keys[@]}" = 1 ] && [[ ${keys[0]} == *"\\$code" ]] ||
    fail "after installing $(basename "$package") again, the entries are: ${keys[*]}"
  cmp -s "$VARN_EXE" "$built_exe" || fail "installing $(basename "$package") again changed the exe"
done
echo "ok: the same version installed again leaves one product"

if why=$(bash "$here/../../scripts/can_run_wine32.sh"); then
  start_program
  expect_only_visible "$name"
  close_window "$name"
  wait_for_program_exit
  [ "$program_status" = 0 ] || fail "the installed program exited with $program_status"
  echo "ok: the installed exe started and showed '$name'"
else
  echo "No 32-bit Wine here ($why), so it cannot start the installed exe:" \
    "only the installed files, shortcut and entry were checked."
fi

msiexec /x "$msi"
expect_nothing_left
echo "ok: the uninstall left nothing behind"

# A later version, the same but for its number and its product code (each
# version's build derives its own).
IFS=. read -r major minor build <<<"$version"
later_version=$major.$((10#$minor + 1)).$build
sed -e "s/Version=\"$version\"/Version=\"$later_version\"/" \
  -e "s/<Product Id=\"[^\"]*\"/<Product Id=\"$(cat /proc/sys/kernel/random/uuid)\"/" \
  "$wxs" >"$scratch/later.wxs"
(cd "$(dirname "$wxs")" && wixl --arch x86 --output "$scratch/later.msi" "$scratch/later.wxs") ||
  fail "wixl could not build the later version"
later_code=$(property "$scratch/later.msi" ProductCode)
[ "$later_code" != "$code" ] || fail "the later version has the product code $code too"
msiexec /i "$msi"
msiexec /i "$scratch/later.msi"
mapfile -t keys < <(entries)
[ "${#keys[@]}" = 1 ] && [[ ${keys[0]} == *"\\$later_code" ]] ||
  fail "after the upgrade, expected only the entry of $later_code, found: ${keys[*]}"
[ "$(reg_value "${keys[0]}" DisplayVersion)" = "$later_version" ] || fail "the upgrade's version"
[ -f "$VARN_EXE" ] || fail "the upgrade removed the exe"
[ "$(find "$drive/ProgramData" "$drive/users" -name "$name.lnk" | wc -l)" = 1 ] ||
  fail "after the upgrade, not exactly one shortcut"
msiexec /x "$scratch/later.msi"
expect_nothing_left
echo "ok: $later_version replaced $version, and its uninstall left nothing behind"
