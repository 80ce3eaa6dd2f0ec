#!/usr/bin/env bash
# Sets up, builds the browser program's site into build-web/site/ and serves
# it on this computer only; open the address it prints. Ctrl+C stops it.
set -euo pipefail
cd "$(dirname "$0")/.."
export VARN_SETUP_WEB=1
source scripts/setup.sh
cmake --preset web >/dev/null
cmake --build --preset web --target varns-house varns-house_site varns-house_icons -j"$(nproc)"
port=${PORT:-8080}
echo "Varn's House is at http://127.0.0.1:$port/"
exec /usr/bin/python3 -m http.server --bind 127.0.0.1 --directory build-web/site "$port"
