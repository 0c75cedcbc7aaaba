#!/usr/bin/env bash
# Checks what scripts/release.sh wrote to dist/ without running it: both zips unpack to one Tessaline folder with
# every program (stripped, for the intended machine, with a version resource and a manifest), the data folders and
# README.txt; every program's debug information is beside the zips; each MSI holds its zip's files; SHA256SUMS
# matches.
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

    # The installer package of the same programs: for the intended machine, this version, per machine, holding
    # exactly the zip's files, with both shortcuts and the program ended before an uninstall.
    msiArch=$([ "$arch" = i686 ] && echo x86 || echo x64)
    template=$([ "$arch" = i686 ] && echo Intel || echo x64)
    msi=$dist/Tessaline-$version-$msiArch.msi
    if [ ! -f "$msi" ]; then
        fault "$(basename "$msi"): missing"
        continue
    fi
    msiinfo suminfo "$msi" | grep -qx "Template: $template;1033" || fault "$(basename "$msi"): not for $template"
    properties=$(msiinfo export "$msi" Property)
    grep -qP "^ProductVersion\t$version\r?$" <<<"$properties" || fault "$(basename "$msi"): not version $version"
    grep -qP "^ALLUSERS\t1\r?$" <<<"$properties" || fault "$(basename "$msi"): not per machine"
    mkdir -p "$scratch/$msiArch"
    msiextract -C "$scratch/$msiArch" "$msi" >/dev/null || fault "$(basename "$msi"): does not unpack"
    # msiextract names the installation folder after its parent folder's name, which differs per architecture.
    extracted=$(dirname "$(find "$scratch/$msiArch" -name Tessaline.exe | head -n 1)")
    diff -r "$folder" "$extracted" >/dev/null ||
        fault "$(basename "$msi"): does not hold exactly the files of $name.zip"
    shortcuts=$(msiinfo export "$msi" Shortcut)
    for target in Tessaline.exe Tessaline_Guide.exe; do
        grep -qF "[INSTALLDIR]$target" <<<"$shortcuts" || fault "$(basename "$msi"): no shortcut to $target"
    done
    msiinfo export "$msi" CustomAction | grep -qP "^EndRunningTessaline\t82\tTarnwick.exe\t/Quit" ||
        fault "$(basename "$msi"): the uninstall does not end the running program"
done

(cd "$dist" && sha256sum --quiet -c SHA256SUMS) || fault "SHA256SUMS does not match"

if [ $faults -ne 0 ]; then
    exit 1
fi
echo "check-release: $dist: both zips, both MSIs and the debug files for version $version"
