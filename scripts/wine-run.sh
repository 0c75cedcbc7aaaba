#!/usr/bin/env bash
# Runs a Windows program under Wine in the given prefix: the CMake emulator of the windows builds.
#   scripts/wine-run.sh PREFIX PROGRAM.exe [ARGS...]
set -euo pipefail
prefix=$1
shift
export WINEPREFIX=$prefix WINEDEBUG=${WINEDEBUG:--all} WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
if [ ! -f "$prefix/.tessaline-ready" ]; then
    "$(dirname "${BASH_SOURCE[0]}")/wine-prefix.sh" "$prefix" >&2
fi
# The 64-bit loader runs 64-bit programs itself and hands 32-bit ones to the 32-bit loader (WOW64).
exec /usr/lib/wine/wine64 "$@"
