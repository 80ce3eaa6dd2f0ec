#!/usr/bin/env bash
# Builds a release from a clean state into dist/: the Debian package, the
# MSI, the portable zip and the site as one archive, each named with the
# version, and SHA256SUMS over them. Whoever builds the same commit, wherever,
# whenever, gets the same bytes (scripts/check-reproducible.sh shows it). The
# source date, which every time stamp in the packages takes, is the commit's
# time unless SOURCE_DATE_EPOCH gives one. The build folders are in
# build-release/.
set -euo pipefail
cd "$(dirname "$0")/.."
export VARN_SETUP_WINDOWS=1 VARN_SETUP_WEB=1 VARN_SETUP_RELEASE=1
source scripts/setup.sh

export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct)}
commit=$(git rev-parse HEAD)
[ -z "$(git status --porcelain)" ] ||
  echo "Note: the working tree has changes not committed: this release holds them," \
    "so a build of commit $commit will not match it."
version=$(sed -n 's/^set(VARN_VERSION_TEXT "\(.*\)")$/\1/p' CMakeLists.txt)
[ -n "$version" ] || { echo "No VARN_VERSION_TEXT in CMakeLists.txt" >&2; exit 1; }
# Files and folders made here get the same modes whatever the builder's umask.
umask 022

rm -rf build-release dist
for preset in release-deb release-win32 release-web; do
  echo "== $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j"$(nproc)"
done
mkdir dist

# The Debian package. CPack dates its files by SOURCE_DATE_EPOCH.
cpack --config build-release/deb/CPackConfig.cmake -B build-release/deb/package >/dev/null
cp build-release/deb/package/varns-house_"$version"_*.deb dist/

# The MSI (cmake/BuildMsi.cmake made it at the source date) and the zip, whose
# entries CPack dates in the local time zone and marks with the builder's user
# and group ids: strip-nondeterminism sets both to fixed values.
cp build-release/win32/varns-house-"$version"-win32.msi dist/
cpack --config build-release/win32/CPackConfig.cmake -B build-release/win32/package >/dev/null
zip=dist/varns-house-$version-win32.zip
cp build-release/win32/package/"$(basename "$zip")" "$zip"
strip-nondeterminism --type zip --timestamp "$SOURCE_DATE_EPOCH" "$zip"

# The site, every file of it in one folder named with the version, in name
# order, owned by nobody in particular, dated by the source date.
site=varns-house-$version-site
tar --create --format=gnu --sort=name --owner=0 --group=0 --numeric-owner \
  --mtime="@$SOURCE_DATE_EPOCH" --mode=u=rwX,go=rX --directory=build-release/web \
  --transform="s|^site|$site|" site | gzip -9 --no-name >"dist/$site.tar.gz"

# Listed in the same order in every locale.
(cd dist && find . -maxdepth 1 -type f ! -name SHA256SUMS -printf '%f\n' | LC_ALL=C sort |
  xargs sha256sum -- >SHA256SUMS)
echo "Release $version of commit $commit (source date $SOURCE_DATE_EPOCH) in dist/:"
cat dist/SHA256SUMS
