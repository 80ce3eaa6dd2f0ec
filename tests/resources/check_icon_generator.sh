#!/usr/bin/env bash
# The committed icon files are exactly what the generator writes now: the
# artwork cannot change without its .ico, resource and theme files changing.
# Usage: check_icon_generator.sh PYTHON ICON_DIR
set -euo pipefail
python=$1 icon_dir=$2
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

"$python" "$icon_dir/generate.py" "$out"
count=0
while read -r file; do
  cmp -s "$out/$file" "$icon_dir/$file" || { echo "FAIL: $file differs from what generate.py writes" >&2; exit 1; }
  count=$((count + 1))
done < <(cd "$out" && find . -type f)
[ "$count" = 15 ] || { echo "FAIL: generate.py wrote $count files, not 15" >&2; exit 1; }
echo "ok: $count icon files as generated"
