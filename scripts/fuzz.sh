#!/usr/bin/env bash
# Runs each libFuzzer target of build/fuzz for the given number of seconds (default 20), starting from the
# seed corpus in tests/fuzz/corpus. Exits non-zero when a target finds a fault. Extra arguments go to libFuzzer.
set -uo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
seconds=${1:-20}
shift || true
status=0
for target in build/fuzz/tests/fuzz/fuzz_*; do
    [ -x "$target" ] || continue
    name=$(basename "$target")
    work=build/fuzz/corpus/$name
    log=build/fuzz/$name.log
    mkdir -p "$work"
    "$target" -max_total_time="$seconds" -max_len=4096 -print_final_stats=1 -artifact_prefix=build/fuzz/ "$@" \
        "$work" "tests/fuzz/corpus/$name" >"$log" 2>&1
    rc=$?
    runs=$(grep -m1 '^stat::number_of_executed_units' "$log" | awk '{print $2}')
    echo "fuzz: $name: ${runs:-?} executions in ${seconds}s, exit $rc"
    if [ $rc -ne 0 ]; then
        tail -n 40 "$log"
        status=1
    fi
done
exit $status
