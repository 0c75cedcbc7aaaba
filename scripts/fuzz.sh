#!/usr/bin/env bash
# Runs the libFuzzer targets of build/fuzz from their seed corpora (tests/fuzz/corpus, and the language files
# that ship for the text readers). Exits non-zero when a target finds a fault. Extra arguments go to libFuzzer.
#
#   scripts/fuzz.sh [seconds]        each target for the given number of seconds (default 20), one after another
#   scripts/fuzz.sh --long [runs]    each target to the given number of executions (default 10,000,000), as many
#                                    at a time as the machine has cores; prints each target's count and time
set -uo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

long=0
if [ "${1:-}" = "--long" ]; then
    long=1
    shift
    runs=10000000
    if [[ ${1:-} =~ ^[0-9]+$ ]]; then
        runs=$1
        shift
    fi
else
    seconds=${1:-20}
    shift || true
fi

# Real files beside the hand-made seeds, for the targets that read them.
seeds() {
    echo "tests/fuzz/corpus/$1"
    case $1 in
        fuzz_ext_ini | fuzz_text_decode) echo data/Language ;;
    esac
}

# One libFuzzer process over the target's corpus; its log in $log. Prints how many executions it made.
run_once() {
    local target=$1 name=$2 log=$3
    shift 3
    # shellcheck disable=SC2046
    "$target" "$@" -print_final_stats=1 -artifact_prefix=build/fuzz/ "build/fuzz/corpus/$name" $(seeds "$name") \
        >"$log" 2>&1
}

# One target; its summary line on stdout, its log in build/fuzz/<name>.log. Returns the target's exit status.
# The long mode runs it as a series of processes of a million executions each over the growing corpus: one
# libFuzzer process slows down as it ages (its memory and its bookkeeping of the corpus grow), a fresh one on the
# same corpus does not.
run_target() {
    local target=$1 name log start rc=0 done_runs=0 chunk units
    shift
    name=$(basename "$target")
    log=build/fuzz/$name.log
    mkdir -p "build/fuzz/corpus/$name"
    start=$(date +%s)
    if [ $long -eq 0 ]; then
        run_once "$target" "$name" "$log" -max_total_time="$seconds" -max_len=4096 "$@"
        rc=$?
        done_runs=$(grep -a -m1 '^stat::number_of_executed_units' "$log" | awk '{print $2}')
    else
        while [ $rc -eq 0 ] && [ "$done_runs" -lt "$runs" ]; do
            chunk=$((runs - done_runs < 1000000 ? runs - done_runs : 1000000))
            run_once "$target" "$name" "$log" -runs="$chunk" -max_len=4096 "$@"
            rc=$?
            units=$(grep -a -m1 '^stat::number_of_executed_units' "$log" | awk '{print $2}')
            [ -n "$units" ] && [ "$units" -gt 0 ] || break
            done_runs=$((done_runs + units))
        done
    fi
    echo "fuzz: $name: ${done_runs:-?} executions in $(($(date +%s) - start))s, exit $rc"
    if [ $rc -ne 0 ]; then
        tail -n 40 "$log"
    fi
    return $rc
}

targets=()
for target in build/fuzz/tests/fuzz/fuzz_*; do
    [ -x "$target" ] && targets+=("$target")
done
if [ ${#targets[@]} -eq 0 ]; then
    echo "fuzz: no targets in build/fuzz (cmake --preset fuzz && cmake --build --preset fuzz)" >&2
    exit 1
fi

status=0
if [ $long -eq 0 ]; then
    for target in "${targets[@]}"; do
        run_target "$target" "$@" || status=1
    done
    exit $status
fi

# Long mode: a pool of one target per core, the slowest first so that the last ones to finish are short.
# AddressSanitizer records no stack for each allocation (a fault still names where it happened; its input is saved
# and replays with the full report): on a fixed corpus the bug-report target ran 3,900 inputs a second with the
# stacks and 6,100 without.
export ASAN_OPTIONS=${ASAN_OPTIONS:-malloc_context_size=0}
jobs=$(nproc)
started=$(date +%s)
results=build/fuzz/long-results
rm -rf "$results" && mkdir -p "$results"
order=(fuzz_ext_ini fuzz_user_data fuzz_bug_report fuzz_safe_ini)
queue=()
for name in "${order[@]}"; do
    [ -x "build/fuzz/tests/fuzz/$name" ] && queue+=("build/fuzz/tests/fuzz/$name")
done
for target in "${targets[@]}"; do
    [[ " ${order[*]} " == *" $(basename "$target") "* ]] || queue+=("$target")
done
for target in "${queue[@]}"; do
    while [ "$(jobs -rp | wc -l)" -ge "$jobs" ]; do
        wait -n
    done
    (run_target "$target" "$@" >"$results/$(basename "$target")"; echo $? >>"$results/$(basename "$target")") &
done
wait
for target in "${queue[@]}"; do
    file=$results/$(basename "$target")
    head -n -1 "$file"
    [ "$(tail -n 1 "$file")" = 0 ] || status=1
done
echo "fuzz: long mode: ${runs} executions per target, ${#queue[@]} targets, $jobs at a time, $(($(date +%s) - started))s"
exit $status
