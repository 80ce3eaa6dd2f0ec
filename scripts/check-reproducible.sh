#!/usr/bin/env bash
# Shows that a release is reproducible: clones the current commit twice, at
# two different paths, and runs scripts/release.sh in each, the second time
# with everything a builder's machine may vary changed: another user (in a
# user namespace), umask 002 instead of 022, locale en_US.UTF-8 instead of
# C.UTF-8, another time zone and a clock 30 hours ahead (faketime). Both take
# the commit's time as the source date. Every file of the two dist/ folders
# must be the same, byte for byte; each that is not is named, with what
# differs (diffoscope's report, or the first differing bytes). It builds
# everything twice, so it is no part of the test command.
set -euo pipefail
cd "$(dirname "$0")/.."
export VARN_SETUP_WINDOWS=1 VARN_SETUP_WEB=1 VARN_SETUP_RELEASE=1
source scripts/setup.sh
installed locales || install_packages needed locales  # the second build's locale
installed diffoscope || install_packages optional diffoscope || true

commit=$(git rev-parse HEAD)
[ -z "$(git status --porcelain)" ] ||
  echo "Note: changes not committed are not checked: the clones hold commit $commit."
work=$(mktemp -d "${TMPDIR:-/tmp}/varns-house-reproducible.XXXXXX")
trap 'rm -rf "$work"' EXIT
first=$work/first/varns-house
second=$work/somewhere/else/varns-house-again

# en_US.UTF-8 from the locales package's sources when the system has no such
# locale generated, in a folder of our own rather than the system's.
locale_path=
if ! locale -a | grep -qix 'en_US.utf-\?8'; then
  locale_path=$work/locales
  mkdir -p "$locale_path"
  localedef --inputfile=en_US --charmap=UTF-8 "$locale_path/en_US.UTF-8"
fi

# Another user: this user's files seen as owned by another id, through a user
# namespace, where the kernel allows one.
other_user=()
other_id=$(($(id -u) + 1000))
if unshare --user --map-user="$other_id" --map-group="$other_id" true 2>/dev/null; then
  other_user=(unshare --user --map-user="$other_id" --map-group="$other_id" --)
else
  echo "Note: no user namespace here: both builds run as $(id -un)."
fi

# Setup has run: the builds need not ask for 32-bit Wine, which they do not use.
release() { # clone, umask, then the command's wrapper and environment
  local clone=$1 mask=$2
  shift 2
  (umask "$mask" && git clone --quiet --no-checkout "$PWD" "$clone" &&
    git -C "$clone" checkout --quiet --detach "$commit")
  (cd "$clone" && umask "$mask" && "$@" env -u SOURCE_DATE_EPOCH VARN_WINE32=0 \
    bash scripts/release.sh >"$clone.log" 2>&1) ||
    { tail -n 40 "$clone.log"; echo "FAIL: the release in $clone failed (log above)"; exit 1; }
}
echo "== the first build: $first, umask 022, C.UTF-8, UTC"
release "$first" 022 env LC_ALL=C.UTF-8 TZ=UTC
echo "== the second build: $second, umask 002, en_US.UTF-8, Pacific/Auckland, clock +30 h," \
  "user id $([ ${#other_user[@]} = 0 ] && id -u || echo "$other_id")"
release "$second" 002 "${other_user[@]}" env LC_ALL=en_US.UTF-8 ${locale_path:+LOCPATH=$locale_path} \
  TZ=Pacific/Auckland FAKETIME_DONT_FAKE_MONOTONIC=1 faketime -f +30h

listed() { (cd "$1/dist" && find . -type f -printf '%P\n' | LC_ALL=C sort); }
status=0
if [ "$(listed "$first")" != "$(listed "$second")" ]; then
  echo "DIFFERENT: the two dist/ folders hold different files:"
  diff <(listed "$first") <(listed "$second") || true
  status=1
fi
while read -r name; do
  a=$first/dist/$name b=$second/dist/$name
  [ -f "$b" ] || continue
  if cmp -s "$a" "$b"; then
    echo "same: $name ($(sha256sum <"$a" | cut -c1-16)…)"
    continue
  fi
  status=1
  echo "DIFFERENT: $name"
  if command -v diffoscope >/dev/null; then
    diffoscope --text - "$a" "$b" 2>&1 | head -n 200 || true
  else
    cmp -l "$a" "$b" | head -n 20 || true
  fi
done < <(listed "$first")

if [ "$status" = 0 ]; then
  echo "Reproducible: every file of dist/ is the same in both builds of $commit" \
    "(${SECONDS} s)."
else
  trap - EXIT
  echo "NOT reproducible (${SECONDS} s); both builds are kept in $work."
fi
exit "$status"
