#!/usr/bin/env bash
# Checks every #include "folder/..." of src/ against src/Layers.txt; prints each one that points up or sideways
# without an arrow, and fails if there is any (or a folder of src/ the file does not name).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
awk '
    FNR == NR {
        if ($0 ~ /^[a-z]+:/) {
            folder = $1; sub(/:$/, "", folder); known[folder] = 1
            for (i = 2; i <= NF; i++) allowed[folder, $i] = 1
        }
        next
    }
    match($0, /^[ \t]*#[ \t]*include[ \t]*"[a-z]+\//) {
        split(FILENAME, parts, "/"); from = parts[2]
        target = substr($0, RSTART, RLENGTH); sub(/.*"/, "", target); sub(/\/$/, "", target)
        if (!(from in known)) { printf "%s: the folder %s is not in src/Layers.txt\n", FILENAME, from; bad = 1; next }
        if (target != from && !((from, target) in allowed)) {
            printf "%s:%d: %s may not include %s\n", FILENAME, FNR, from, $0; bad = 1
        }
    }
    END { exit bad }
' src/Layers.txt $(find src -mindepth 2 -name '*.h' -o -mindepth 2 -name '*.cpp' -o -mindepth 2 -name '*.h.in' | sort)
echo "layers: every include of src/ follows src/Layers.txt"
