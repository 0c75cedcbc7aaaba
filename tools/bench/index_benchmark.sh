#!/usr/bin/env bash
# The search index build under Wine over a tree of N program files, beside Unix find listing the same tree in the
# same run. Usage: tools/bench/index_benchmark.sh [build dir (build/windows64)] [files (10000)]
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/../.."
build=${1:-build/windows64}
count=${2:-10000}
tree=$(mktemp -d /tmp/tessaline-index-XXXXXX)
trap 'rm -rf "$tree"' EXIT
mkdir -p "$tree/programs" "$tree/user" "$tree/windows" "$tree/system"
# Folders of 100 shortcuts, as a Start Menu of many vendors (the index reads names only, so empty files do).
for ((d = 0; d < (count + 99) / 100; d++)); do
    mkdir -p "$tree/programs/Vendor $d"
    (cd "$tree/programs/Vendor $d" && for ((f = 0; f < 100 && d * 100 + f < count; f++)); do
        : >"Program $d-$f.lnk"
    done)
done
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
find_ms=$(for _ in 1 2 3 4 5; do
    start=$(date +%s%N)
    find "$tree/programs" >/dev/null
    echo $((($(date +%s%N) - start) / 1000))
done | median)
windows_path="Z:${tree//\//\\}"
result=$(scripts/wine-run.sh "$PWD/build/wineprefix" "$build/tools/bench/index_benchmark.exe" "$windows_path" |
    tr -d '\r' | grep '^index_ms')
index_ms=$(awk '{ print $2 }' <<<"$result")
awk -v i="$index_ms" -v f="$find_ms" -v r="$result" \
    'BEGIN { printf "%s\nfind_ms %.1f\nratio %.2f\n", r, f / 1000, i / (f / 1000) }'
