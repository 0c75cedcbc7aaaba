#!/usr/bin/env bash
# Installs everything the two builds and their tests need. Safe to run again: it does nothing
# (and asks apt nothing) when every package is already present.
set -euo pipefail

packages=(
    cmake ninja-build g++ make git ccache
    clang libclang-rt-14-dev
    libgtest-dev googletest libbenchmark-dev libsimpleini-dev
    g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix binutils-mingw-w64-i686 binutils-mingw-w64-x86-64
    wine wine64
    xvfb xcompmgr imagemagick x11-utils xdotool xauth
    wixl msitools
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi
# The 32-bit Wine comes along when something is installed; its absence alone is no reason to ask apt.
if ! dpkg-query -W -f='${Status}' wine32:i386 2>/dev/null | grep -q 'install ok installed'; then
    missing+=(wine32:i386)
fi

echo "setup: installing ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi

if ! dpkg --print-foreign-architectures | grep -qx i386; then
    "${sudo_cmd[@]}" dpkg --add-architecture i386
fi
export DEBIAN_FRONTEND=noninteractive
# A mirror in the middle of a sync answers with lists of the wrong size for a while: try again, and install
# from the lists that did arrive when it never settles.
for attempt in 1 2 3; do
    if "${sudo_cmd[@]}" apt-get update -qq; then
        break
    fi
    echo "setup: apt-get update failed (attempt $attempt)"
    sleep $((attempt * 10))
done
if ! "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"; then
    # Without one architecture's package list (a mirror mid-sync) the i386 libraries cannot match the amd64 ones.
    # The 32-bit Wine only runs 32-bit programs, which a kernel without 32-bit support cannot run anyway, and
    # every test here runs the x86_64 build: install the rest.
    rest=()
    for p in "${missing[@]}"; do
        [ "$p" = wine32:i386 ] || rest+=("$p")
    done
    echo "setup: installing without wine32:i386"
    "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${rest[@]}"
fi
