#!/usr/bin/env bash
# The test command: installs what is missing, builds both builds and runs every suite.
# Exits non-zero on any failure. FUZZ_SECONDS (default 20) sets the smoke run of each fuzzer.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
root=$PWD
start=$(date +%s)
step() { printf '\n== %s (%ss)\n' "$*" "$(( $(date +%s) - start ))"; }

step "setup"
scripts/setup.sh
# The compiler cache lives outside the clone and hashes paths relative to it: a fresh clone anywhere hits it.
export CCACHE_DIR=${CCACHE_DIR:-${XDG_CACHE_HOME:-$HOME/.cache}/tessaline-ccache}
export CCACHE_BASEDIR=$root CCACHE_NOHASHDIR=true CCACHE_MAXSIZE=${CCACHE_MAXSIZE:-6G}
ccache --zero-stats >/dev/null

step "layers of src/"
scripts/check-layers.sh

step "native build and tests"
cmake --preset native >/dev/null
cmake --build --preset native
ctest --preset native

step "native tests under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake --preset native-san >/dev/null
cmake --build --preset native-san
ctest --preset native-san

step "the search's threads under ThreadSanitizer"
cmake --preset native-tsan >/dev/null
cmake --build --preset native-tsan
build/native-tsan/tests/tessaline_search_tests --gtest_repeat=20 --gtest_brief=1

step "fuzzer smoke runs"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
scripts/fuzz.sh "${FUZZ_SECONDS:-20}"

step "windows builds"
cmake --preset windows >/dev/null
cmake --build --preset windows
cmake --preset windows64 >/dev/null
cmake --build --preset windows64
# What ships, checked without running it (this machine runs no 32-bit programs).
scripts/check-binaries.sh build/windows/bin i686
scripts/check-binaries.sh build/windows64/bin x86_64
ccache --show-stats | grep -Ei '^ *(cacheable calls|hits|misses):' || true

step "release packages from those builds"
scripts/release.sh --no-build
scripts/check-release.sh

step "windows tests under Wine"
# A screen tall enough for the start menu's 1080-pixel work-area scenario.
export TESSALINE_SCREEN=1920x1200
source scripts/xvfb.sh
cleanup() {
    WINEPREFIX=$root/build/wineprefix wineserver -k >/dev/null 2>&1 || true
    WINEPREFIX=$root/build/wineprefix-install wineserver -k >/dev/null 2>&1 || true
    [ -n "${TESSALINE_XCOMPMGR_PID:-}" ] && kill "$TESSALINE_XCOMPMGR_PID" 2>/dev/null || true
    [ -n "${TESSALINE_XVFB_PID:-}" ] && kill "$TESSALINE_XVFB_PID" 2>/dev/null || true
}
trap cleanup EXIT
scripts/wine-prefix.sh "$root/build/wineprefix" --fresh
ctest --preset windows
ctest --preset windows64

step "the release packages installed and run under Wine"
scripts/test-install.sh

step "all passed"
