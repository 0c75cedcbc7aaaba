#!/usr/bin/env bash
# Redraws every committed picture: installs cairo's headers when missing, builds tools/artwork (a project of its
# own, so the product builds never need cairo) and runs it over the repository.
#
#   scripts/artwork.sh                 redraw res/, data/StartButtonSkin/, data/Resources/
#   scripts/artwork.sh --test          also build and run the generator's tests
#   scripts/artwork.sh --sheet FILE    also write a contact sheet of every picture to FILE (not committed)
set -euo pipefail

repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${ARTWORK_BUILD_DIR:-$repo/build/artwork}"

run_tests=0
sheet=""
while [ $# -gt 0 ]; do
    case "$1" in
        --test) run_tests=1 ;;
        --sheet) sheet="$2"; shift ;;
        *) echo "artwork: unknown option $1" >&2; exit 2 ;;
    esac
    shift
done

installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }

missing=()
for p in libcairo2-dev pkg-config cmake ninja-build g++; do
    installed "$p" || missing+=("$p")
done
if [ "$run_tests" -eq 1 ] && ! installed libgtest-dev; then missing+=(libgtest-dev); fi

if [ ${#missing[@]} -gt 0 ]; then
    echo "artwork: installing ${missing[*]}"
    # Containers often run as root without sudo; a user account needs sudo.
    apt=(apt-get)
    if [ "$(id -u)" -ne 0 ]; then apt=(sudo apt-get); fi
    export DEBIAN_FRONTEND=noninteractive
    "${apt[@]}" update -qq
    "${apt[@]}" install -y -qq --no-install-recommends "${missing[@]}"
fi

tests_flag=OFF
if [ "$run_tests" -eq 1 ]; then tests_flag=ON; fi
cmake -S "$repo/tools/artwork" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DARTWORK_TESTS="$tests_flag" >/dev/null
cmake --build "$build" -j 1

sheet_args=()
if [ -n "$sheet" ]; then sheet_args=(--sheet "$sheet"); fi
"$build/artwork" "$repo" "${sheet_args[@]}"

if [ "$run_tests" -eq 1 ]; then
    "$build/artwork_tests"
fi
