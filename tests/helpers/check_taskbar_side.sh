#!/usr/bin/env bash
# By hand: the taskbar side placed into another process under Wine, as the program meets it. Starts a taskbar
# (the demo host, or FakeStartMenu's bare one when the host is not built), a stand-in start-menu window that
# logs what it receives, runs "Tarnwick.exe /loaddll", then checks the answers; with Velmora built, the hot-corner
# options forwarded by the band; and last "Tarnwick.exe /Restart" against the stand-in.
#   DISPLAY=:92 tests/helpers/check_taskbar_side.sh [BUILD_DIR]     (default build/windows64)
# Build first: cmake --build BUILD_DIR --target tarnwick tarnwick_hook velmora fake_start_menu taskbar_host
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=$(cd "${1:-$root/build/windows64}" && pwd)
prefix=${TESSALINE_CHECK_PREFIX:-$root/build/check-prefix}
: "${DISPLAY:?set DISPLAY (for example an Xvfb server)}"

tool=$build/helpers-check/FakeStartMenu.exe
bin=$build/bin
host=$build/tools/demo/taskbar_host.exe
velmora=$(ls "$bin"/Velmora*.exe 2>/dev/null | head -n 1)
work=$(mktemp -d)
log=$work/menu.log
winlog="Z:$(tr / '\\' <<<"$log")"
pids=()
failed=0

run() { "$root/scripts/wine-run.sh" "$prefix" "$@"; }
start() {
    "$root/scripts/wine-run.sh" "$prefix" "$@" >>"$work/background.out" 2>&1 &
    pids+=($!)
}
cleanup() {
    run "$tool" quit >/dev/null 2>&1
    sleep 1
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
    [ "$failed" = 0 ] || { echo "--- log of the start-menu window:"; cat "$log"; }
    rm -rf "$work"
}
trap cleanup EXIT
check() {
    local what=$1
    shift
    if "$@"; then echo "ok    $what"; else echo "FAIL  $what"; failed=1; fi
}
# Waits up to five seconds for a line of the log matching the pattern.
logged() {
    for _ in $(seq 50); do
        grep -qE "$1" "$log" 2>/dev/null && return 0
        sleep 0.1
    done
    return 1
}
band_left() { run "$tool" band | tr -d '\r' | cut -d' ' -f1; }
edge_ui() {
    run reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\ImmersiveShell\EdgeUI' /v "$1" 2>/dev/null |
        tr -d '\r' | awk -v name="$1" '$1 == name { print $3 }'
}

run_value() {
    run reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Run' /v Tessaline 2>/dev/null | tr -d '\r' |
        awk '$1 == "Tessaline" { print $3 }'
}
run_value_gone() { [ -z "$(run_value)" ]; }
run_value_names_program() { grep -q 'Tessaline.exe' <<<"$(run_value)"; }
# Runs the command until it succeeds, for up to five seconds.
eventually() {
    for _ in $(seq 10); do
        "$@" && return 0
        sleep 0.5
    done
    return 1
}

"$root/scripts/wine-prefix.sh" "$prefix"
if [ -x "$host" ]; then start "$host"; else start "$tool" host; fi
start "$tool" listen "$winlog"
for _ in $(seq 50); do run "$tool" band >/dev/null 2>&1 && break; sleep 0.2; done

run "$bin/Tarnwick.exe" /loaddll
check "Tarnwick /loaddll exits 0 (placement confirmed by the taskbar)" test $? -eq 0
check "the start-menu window gets WMStartMenuLoaded (1324)" logged '^1324 '

run "$tool" post 3224 0 5
check "a heartbeat (3224, lParam 5) is answered with lParam 0" logged '^3224 0 0$'

read -r _ top right bottom < <(run "$tool" band | tr -d '\r')
run "$tool" send 2025 1 0
run "$tool" move 0 "$top" "$right" $((bottom - top))
check "attached: a relayout to x 0 is kept at 54" test "$(band_left)" = 54
run "$tool" send 2025 0 0
run "$tool" move 11 "$top" $((right - 11)) $((bottom - top))
check "detached: the band goes back to 11" test "$(band_left)" = 11

if [ -n "$velmora" ]; then
    # The data folder exists before Velmora starts, as it does once the program has run.
    data=$(ls -d "$prefix"/drive_c/users/*/ | grep -v /Public/ | head -n 1)AppData/LocalLow/Quorvan/Tessaline
    mkdir -p "$data"
    [ -f "$data/Main.ini" ] && cp "$data/Main.ini" "$work/Main.ini.saved"
    start "$velmora" /HotCorners
    check "Velmora reports to the start-menu window (3526, lParam 0)" logged '^3526 0 0$'
    run "$tool" post 3527 0 0
    sleep 1
    check "WMSetHotCorners 0 through the band turns the corners on" test "$(edge_ui DisableTLCorner)" = 0x0
    run "$tool" post 3527 0 1
    sleep 1
    check "WMSetHotCorners 1 through the band turns them off" test "$(edge_ui DisableTLCorner)" = 0x1
    # Main.ini changed by the program: Velmora notices and follows "Startup" (the per-user Run value).
    printf '[Main]\r\nStartup=0\r\n' >"$data/Main.ini"
    check "Main.ini Startup=0: the Run value is gone" eventually run_value_gone
    printf '[Main]\r\nStartup=1\r\n' >"$data/Main.ini"
    check "Main.ini Startup=1: the Run value names Tessaline.exe" eventually run_value_names_program
    if [ -f "$work/Main.ini.saved" ]; then cp "$work/Main.ini.saved" "$data/Main.ini"; else rm -f "$data/Main.ini"; fi
fi

# /Restart from a folder without Tessaline.exe: it must end the stand-in and then fail to start the program.
cp "$bin/Tarnwick.exe" "$work/"
run "$work/Tarnwick.exe" /Restart
restart=$?
check "Tarnwick /Restart sends WMQuitStartMenu (1224)" logged '^1224 '
check "Tarnwick /Restart waited for the program's end and tried to start it (exit 5: not there)" test $restart -eq 5

exit $failed
