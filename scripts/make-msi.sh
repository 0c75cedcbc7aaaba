#!/usr/bin/env bash
# A Windows Installer package from a release folder (the folder Tessaline of a zip), with wixl:
#   scripts/make-msi.sh <folder> <x86|x64> <version> <out.msi>
# The package installs per machine into Program Files\Tessaline with Start Menu shortcuts for Tessaline and its
# guide (packaging/Tessaline.wxs); the files are every file of the folder.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
[ $# -eq 4 ] || { echo "usage: make-msi.sh <folder> <x86|x64> <version> <out.msi>" >&2; exit 2; }
folder=$(cd "$1" && pwd)
arch=$2 version=$3 out=$4

case $arch in
    # The codes stay the same for every version: they are how a newer package finds the one it replaces.
    x86) programFiles=ProgramFilesFolder upgradeCode=DC63D427-DA12-4942-97F3-427D800DED4F
         shortcuts=CB321F56-3F18-4F99-A7DC-A184413D689F ;;
    x64) programFiles=ProgramFiles64Folder upgradeCode=AB967BE8-B64F-4F75-8526-8CEAC4D9B5D5
         shortcuts=F162E00E-991C-465B-8D92-D52B000571DC ;;
    *) echo "make-msi: no architecture $arch" >&2; exit 2 ;;
esac

# Tarnwick.exe is named in the package itself: the uninstall runs it to end the running program.
heat=(--directory-ref INSTALLDIR --component-group ProgramFiles --var var.SourceDir)
win64=$([ "$arch" = x64 ] && echo yes || echo no)
[ "$win64" = yes ] && heat+=(--win64)

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
# wixl-heat names every file and folder below the one given, as components of the group ProgramFiles.
(cd "$(dirname "$folder")" && find "$(basename "$folder")" -type f ! -path "*/Tarnwick.exe" | LC_ALL=C sort |
    wixl-heat -p "$(basename "$folder")/" "${heat[@]}") >"$scratch/files.wxs"
# wixl takes sources by paths relative to where it runs.
out=$(cd "$(dirname "$out")" && pwd)/$(basename "$out")
cd "$(dirname "$folder")"
wixl -a "$arch" -o "$out" -D Version="$version" -D ProgramFiles="$programFiles" -D UpgradeCode="$upgradeCode" \
    -D ShortcutsGuid="$shortcuts" -D Win64="$win64" -D SourceDir="$(basename "$folder")" \
    "$root/packaging/Tessaline.wxs" "$scratch/files.wxs"
# An upgrade removes the whole older version: REMOVE=ALL, written out rather than left to the empty default
# (Windows reads an empty Remove column as ALL; Wine's installer passes it on empty and removes nothing).
msibuild "$out" -q "UPDATE \`Upgrade\` SET \`Remove\`='ALL' WHERE \`ActionProperty\`='WIX_UPGRADE_DETECTED'"
