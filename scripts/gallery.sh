#!/usr/bin/env bash
# Builds the control gallery, shows it under Wine and saves a screenshot: build/gallery.png (or $1).
set -euo pipefail
cd "$(dirname "$0")/.."
root="$PWD"
out="${1:-$root/build/gallery.png}"
cmake --preset windows64 >/dev/null
cmake --build --preset windows64 --target gallery
bin="$root/build/windows64/tools/gallery"
mkdir -p "$bin/Resources"
cp data/Resources/*.png "$bin/Resources/"
# shellcheck source=scripts/xvfb.sh
source scripts/xvfb.sh
scripts/wine-prefix.sh "$root/build/wineprefix"
scripts/wine-run.sh "$root/build/wineprefix" "$bin/gallery.exe" "Z:${out//\//\\}"
status=$?
[ -n "${TESSALINE_XCOMPMGR_PID:-}" ] && kill "$TESSALINE_XCOMPMGR_PID" 2>/dev/null || true
[ -n "${TESSALINE_XVFB_PID:-}" ] && kill "$TESSALINE_XVFB_PID" 2>/dev/null || true
echo "gallery: $out"
exit $status
