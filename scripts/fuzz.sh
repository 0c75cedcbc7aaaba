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

# One target; its summary line on stdout, its log in build/fuzz/<name>.log. Returns the target's exit status.
run_target() {
    local target=$1 name work log limit start rc runs_done elapsed
    shift
    name=$(basename "$target")
    work=build/fuzz/corpus/$name
    log=build/fuzz/$name.log
    mkdir -p "$work"
    if [ $long -eq 1 ]; then limit=(-runs="$runs"); else limit=(-max_total_time="$seconds"); fi
    start=$(date +%s)
    # shellcheck disable=SC2046
    "$target" "${limit[@]}" -max_len=4096 -print_final_stats=1 -artifact_prefix=build/fuzz/ "$@" \
        "$work" $(seeds "$name") >"$log" 2>&1
    rc=$?
    elapsed=$(($(date +%s) - start))
    runs_done=$(grep -a -m1 '^stat::number_of_executed_units' "$log" | awk '{print $2}')
    echo "fuzz: $name: ${runs_done:-?} executions in ${elapsed}s, exit $rc"
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
