#!/usr/bin/env bash
# Checks what scripts/release.sh wrote to dist/ without running it: both zips unpack to one Tessaline folder with
# every program (stripped, for the intended machine, with a version resource and a manifest), the data folders and
# README.txt; every program's debug information is beside the zips; SHA256SUMS matches.
#   scripts/check-release.sh [dist]
set -uo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
dist=$(cd "${1:-dist}" && pwd)
version=$(head -n 1 VERSION)
faults=0
fault() {
    echo "check-release: $1" >&2
    faults=$((faults + 1))
}

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

for package in win32:i686 win64:x86_64; do
    name=Tessaline-$version-${package%%:*}
    arch=${package##*:}
    zip=$dist/$name.zip
    if [ ! -f "$zip" ]; then
        fault "$name.zip: missing"
        continue
    fi
    mkdir -p "$scratch/$name"
    (cd "$scratch/$name" && cmake -E tar xf "$zip") || fault "$name.zip: does not unpack"
    top=$(ls "$scratch/$name")
    [ "$top" = Tessaline ] || fault "$name.zip: holds \"$top\", not one folder Tessaline"
    folder=$scratch/$name/Tessaline
    scripts/check-binaries.sh "$folder" "$arch" --stripped || fault "$name.zip: its programs"
    for file in README.txt Language/English.lng StartButtonSkin/Classic_normal.png Resources/userframe.png; do
        [ -f "$folder/$file" ] || fault "$name.zip: no $file"
    done
    grep -q "Tessaline $version" "$folder/README.txt" 2>/dev/null || fault "$name.zip: README.txt without the version"
    if [ "$arch" = i686 ]; then
        # What docks the 32-bit package on 64-bit Windows: the 64-bit hook DLL and hot-corner helper.
        for file in TarnwickHook64.dll Velmora64.exe; do
            x86_64-w64-mingw32-objdump -f "$folder/$file" 2>/dev/null | grep -q 'file format pei-x86-64$' ||
                fault "$name.zip: no 64-bit $file"
            x86_64-w64-mingw32-objdump -h "$folder/$file" 2>/dev/null | grep -q ' \.debug_' &&
                fault "$name.zip: $file has debug sections"
        done
    fi
    for program in "$folder"/*.exe "$folder"/*.dll; do
        [ -f "$dist/debug/$name/$(basename "$program").debug" ] || fault "$name: no debug file for $(basename "$program")"
    done
    if find "$folder" -name '*.debug' | grep -q .; then
        fault "$name.zip: holds debug files"
    fi
done

(cd "$dist" && sha256sum --quiet -c SHA256SUMS) || fault "SHA256SUMS does not match"

if [ $faults -ne 0 ]; then
    exit 1
fi
echo "check-release: $dist: both zips and their debug files for version $version"
