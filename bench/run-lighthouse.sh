#!/usr/bin/env bash
# Lighthouse on the site against the bare page: installs what it needs, builds
# both as bench/run-web.sh does (into build-bench-web/, the bare page's text
# files and module precompressed like the site's), installs the pinned
# Lighthouse of bench/lighthouse/ with npm ci into build-bench-web/lighthouse/
# (its trace engine asks for the "latest" of two packages: package.json pins
# them by "overrides", so that the lock file holds every version),
# and has bench/lighthouse_probe.py audit the two, alternating, served as
# docs/web.md asks of a host. Prints medians and the targets.
#
#   bash bench/run-lighthouse.sh [RUNS [mobile|desktop]]   (default: 5 runs, mobile)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-5}
form=${2:-mobile}

export VARN_SETUP_WEB=1
source scripts/setup.sh

build=build-bench-web
export NODE_PATH=/usr/share/nodejs # Emscripten's link step: the preset's setting, for a plain build
cmake --preset web -B "$build" -DBUILD_TESTING=OFF -DVARN_BUILD_BENCH=ON >/dev/null
cmake --build "$build" -j"$(nproc)" --target varns-house_site bare-page varns-house_icons >/dev/null
for file in "$build"/bare-page/*.{html,js,wasm,css}; do
  brotli --quality=11 --force --output="$file.br" "$file"
  gzip -9 --no-name --force --keep "$file"
done

mkdir -p "$build/lighthouse"
cp bench/lighthouse/package.json bench/lighthouse/package-lock.json "$build/lighthouse/"
(cd "$build/lighthouse" && npm ci --no-audit --no-fund --loglevel=error >/dev/null)
lighthouse="$build/lighthouse/node_modules/.bin/lighthouse"

echo "$(nproc) CPUs, $(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -1)," \
  "$(uname -r); $(/usr/bin/chromium --version 2>/dev/null); Lighthouse $("$lighthouse" --version)"
/usr/bin/python3 bench/lighthouse_probe.py "$lighthouse" "$build/site" "$build/bare-page" \
  --runs "$runs" --form "$form"
