#!/usr/bin/env bash
# Creates (if missing) and warms up the private Wine prefix the Windows tests run in.
#   scripts/wine-prefix.sh PREFIX [--fresh]
# --fresh deletes an existing prefix first. The prefix reports Windows 8 (6.2.9200).
set -euo pipefail
prefix=${1:?usage: wine-prefix.sh PREFIX [--fresh]}
fresh=${2:-}

export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export WINEARCH=win64
# The 64-bit loader starts every program; it hands 32-bit ones to the 32-bit loader (WOW64).
wine=/usr/lib/wine/wine64

mkdir -p "$(dirname "$prefix")"
exec 9>"$prefix.lock"
flock 9

if [ "$fresh" = "--fresh" ] && [ -d "$prefix" ]; then
    wineserver -k </dev/null >/dev/null 2>&1 || true
    rm -rf "$prefix"
fi

# Wine's processes must not inherit the lock (fd 9): a persistent wineserver would hold it for good.
if [ ! -f "$prefix/.tessaline-ready" ]; then
    "$wine" wineboot -i </dev/null >/dev/null 2>&1 9>&-
    "$wine" winecfg -v win8 </dev/null >/dev/null 2>&1 9>&-
    # A crashing program ends with a backtrace on the console instead of a dialog nobody answers (the
    # crash-report tests crash programs on purpose).
    "$wine" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f </dev/null >/dev/null 2>&1 9>&-
    wineserver -w 9>&-
    touch "$prefix/.tessaline-ready"
fi

# Warm-up: a persistent wineserver and Wine's services started with their output detached, so that each test
# process starts in milliseconds instead of seconds.
wineserver -p </dev/null >/dev/null 2>&1 9>&- || true  # already running: fine
"$wine" wineboot </dev/null >/dev/null 2>&1 9>&-
