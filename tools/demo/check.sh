#!/usr/bin/env bash
# Checks the demo tools end to end under Wine, by hand (not part of CI):
#   tools/demo/check.sh BUILD_DIR PREFIX
# BUILD_DIR is an x86_64 windows build with the demo tools built; PREFIX is created and warmed if needed.
# For a bottom, a left and a top taskbar: the host is found by class from another process, its band sits at the
# offset, moves when another process moves it, comes back on a relayout, leaves private messages unanswered,
# prints into a PNG, and the host ends on WM_CLOSE. Then make_sample's shortcuts and launch records.
# Uses $DISPLAY, or starts its own Xvfb. Pictures and screenshots stay in BUILD_DIR/demo-check.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=$(realpath "${1:?usage: check.sh BUILD_DIR PREFIX}")
prefix=$(realpath -m "${2:?usage: check.sh BUILD_DIR PREFIX}")
tools=$build/tools/demo
out=$build/demo-check
for program in taskbar_host print_window make_sample host_check; do
    [ -f "$tools/$program.exe" ] || { echo "check.sh: $tools/$program.exe is not built" >&2; exit 2; }
done
rm -rf "$out"
mkdir -p "$out"

host=""
TESSALINE_XVFB_PID=""
TESSALINE_XCOMPMGR_PID=""
# Only what this script started: the host, and the display when it had to start one. Wine's desktop process
# of the prefix stays tied to the display it first met, so it goes with our display.
cleanup() {
    if [ -n "$host" ]; then kill "$host" 2>/dev/null || true; fi
    if [ -n "$TESSALINE_XVFB_PID" ]; then WINEPREFIX=$prefix wineserver -k 2>/dev/null || true; fi
    for pid in "$TESSALINE_XCOMPMGR_PID" "$TESSALINE_XVFB_PID"; do
        if [ -n "$pid" ]; then kill "$pid" 2>/dev/null || true; fi
    done
}
trap cleanup EXIT
# shellcheck source=scripts/xvfb.sh
source "$root/scripts/xvfb.sh"

"$root/scripts/wine-prefix.sh" "$prefix"
run() { "$root/scripts/wine-run.sh" "$prefix" "$@"; }
# Wine maps the Linux root to drive Z:.
winpath() { local p=${1//\//\\}; printf 'Z:%s' "$p"; }

failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

read -r screenWidth screenHeight < <(xdpyinfo | awk '/dimensions:/ { split($2, s, "x"); print s[1], s[2] }')

# check_host NAME "HOST OPTIONS" "x,y,w,h of the taskbar" "x,y,w,h of the band"
check_host() {
    local name=$1 options=$2 tray=$3 band=$4
    local ready=$out/$name.ready
    echo "== taskbar $name: $options"
    # shellcheck disable=SC2086
    "$root/scripts/wine-run.sh" "$prefix" "$tools/taskbar_host.exe" $options --ready-file "$(winpath "$ready")" &
    host=$!
    for _ in $(seq 1 200); do
        [ -f "$ready" ] || ! kill -0 "$host" 2>/dev/null && break
        sleep 0.1
    done
    if [ ! -f "$ready" ]; then
        fail "taskbar_host $options did not start"
        kill "$host" 2>/dev/null || true
        wait "$host" 2>/dev/null || true
        host=""
        return
    fi

    run "$tools/host_check.exe" host "$(winpath "$ready")" "$tray" "$band" || failures=$((failures + 1))

    local picture printed expected size colours
    for window in ReBarWindow32 Shell_TrayWnd; do
        picture=$out/$name-$window.png
        expected=$([ $window = ReBarWindow32 ] && echo "$band" || echo "$tray")
        expected=${expected//,/ }
        if ! printed=$(run "$tools/print_window.exe" $window "$(winpath "$picture")"); then
            fail "print_window $window"
            continue
        fi
        printed=${printed%$'\r'}
        [ "$printed" = "$expected" ] || fail "print_window $window printed '$printed', expected '$expected'"
        read -r _ _ width height <<<"$expected"
        size=$(identify -format '%w %h' "$picture")
        [ "$size" = "$width $height" ] || fail "$picture is $size, expected $width $height"
        # A window that did not paint itself comes out in one colour.
        colours=$(convert "$picture" -format '%k' info:)
        [ "$colours" -gt 8 ] || fail "$picture has only $colours colours"
        echo "ok: print_window $window -> $picture ($size, $colours colours)"
    done
    import -display "$DISPLAY" -window root "$out/$name-screen.png"

    run "$tools/host_check.exe" close "$(winpath "$ready")" || failures=$((failures + 1))
    local rc=0
    wait "$host" || rc=$?
    host=""
    [ $rc -eq 0 ] || fail "taskbar_host exit code $rc"
}

check_host bottom "--edge bottom --length 1920" \
    "0,$((screenHeight - 40)),1920,40" "60,$((screenHeight - 40)),1860,40"
check_host left "--edge left --thickness 48" \
    "0,0,48,$screenHeight" "0,60,48,$((screenHeight - 60))"
check_host top "--edge top --thickness 32 --offset 80" \
    "0,0,$screenWidth,32" "80,0,$((screenWidth - 80)),32"

echo "== options the host refuses"
for options in "--edge right" "--thickness 0" "--offset -1" "--length 40000" "--size 3" "--length" \
    "--edge top --length 100 --offset 100"; do
    rc=0
    # shellcheck disable=SC2086
    run "$tools/taskbar_host.exe" $options 2>/dev/null || rc=$?
    if [ $rc -eq 2 ]; then echo "ok: refused $options"; else fail "taskbar_host $options: exit code $rc, expected 2"; fi
done

echo "== sample Start Menu"
programs=$out/Programs
# Twice: a second run must rewrite, not add.
run "$tools/make_sample.exe" "$(winpath "$programs")" >"$out/make_sample.txt" || fail "make_sample"
run "$tools/make_sample.exe" "$(winpath "$programs")" >>"$out/make_sample.txt" || fail "make_sample, second run"
run "$tools/host_check.exe" sample "$(winpath "$programs")" || failures=$((failures + 1))
run "$tools/host_check.exe" forget "$(winpath "$programs")" >/dev/null || fail "forgetting the sample's records"

if [ $failures -ne 0 ]; then
    echo "check.sh: $failures failed"
    exit 1
fi
echo "check.sh: all passed (pictures in $out)"
