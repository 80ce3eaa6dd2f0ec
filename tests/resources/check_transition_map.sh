#!/usr/bin/env bash
# Checks the tour map tool: a graph of the nine scenes and the seventeen moves
# between them, four of them dashed, every edge between declared scenes, in
# a form Graphviz accepts.
# Usage: check_transition_map.sh TRANSITION_MAP [DOT]
set -euo pipefail
tool=$1 dot=${2:-}
fail() { echo "FAIL: $*" >&2; exit 1; }

graph=$("$tool")
nodes=$(grep -E '^  Form[0-9]+ \[' <<<"$graph" | awk '{print $1}' | sort)
edges=$(grep -E '^  Form[0-9]+ -> Form[0-9]+ ' <<<"$graph")
[ "$(wc -l <<<"$nodes")" = 9 ] || fail "expected 9 scenes, got: $(echo $nodes)"
[ "$(wc -l <<<"$edges")" = 17 ] || fail "expected 17 moves, got $(wc -l <<<"$edges")"
[ "$(grep -c 'style=dashed' <<<"$edges")" = 4 ] || fail "expected 4 dashed moves"
while read -r from _ to _; do
  grep -qx "$from" <<<"$nodes" && grep -qx "$to" <<<"$nodes" ||
    fail "move $from -> $to leaves the declared scenes"
done <<<"$edges"
if [ -n "$dot" ]; then
  "$dot" -Tsvg <<<"$graph" >/dev/null || fail "dot rejects the graph"
fi
echo "ok: 9 scenes, 17 moves"
