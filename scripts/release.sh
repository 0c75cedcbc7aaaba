#!/usr/bin/env bash
# Release packages in dist/, from the two Windows builds (built here when missing; what is built is reused):
#   Tessaline-<version>-win32.zip   the i686 programs (with the 64-bit hook DLL and hot-corner helper), for 32-bit
#                                   and 64-bit Windows 8
#   Tessaline-<version>-win64.zip   the x86_64 programs, for 64-bit Windows
#   Tessaline-<version>-x86.msi     the win32 zip's folder as a Windows Installer package (scripts/make-msi.sh)
#   Tessaline-<version>-x64.msi     the win64 zip's folder as one
#   debug/<package>/*.debug         the programs' debug information (not in the zips), for reading crash addresses
#   SHA256SUMS                      over the packages and the debug files
# The version is the repository's one (the file VERSION). Each zip holds one folder, Tessaline, with the programs
# stripped, their data folders and README.txt.
#   scripts/release.sh [--no-build]    --no-build: package what build/windows and build/windows64 hold
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
root=$PWD

build=yes
[ "${1:-}" = "--no-build" ] && build=no

scripts/setup.sh
version=$(head -n 1 VERSION)
programs=(Tessaline Tessaline_Guide tarnwick tarnwick_hook velmora)
if [ $build = yes ]; then
    for preset in windows windows64; do
        cmake --preset "$preset" >/dev/null
        cmake --build --preset "$preset" --target "${programs[@]}"
    done
fi

dist=$root/dist
rm -rf "$dist"
mkdir -p "$dist/debug"

# package <name> <machine> <objcopy> <build folder>: the folder Tessaline with the stripped programs and the data.
package() {
    local name=$1 arch=$2 objcopy=$3 bin=$4
    local stage=$dist/stage/$name/Tessaline debug=$dist/debug/$name bits
    bits=$([ "$arch" = i686 ] && echo 32 || echo 64)
    mkdir -p "$stage" "$debug"
    for file in Tessaline.exe Tessaline_Guide.exe Tarnwick.exe "TarnwickHook$bits.dll" "Velmora$bits.exe"; do
        "$objcopy" --only-keep-debug "$bin/$file" "$debug/$file.debug"
        "$objcopy" --strip-debug --strip-unneeded --add-gnu-debuglink="$debug/$file.debug" "$bin/$file" "$stage/$file"
    done
    cp -r "$bin/Language" "$bin/StartButtonSkin" "$bin/Resources" "$stage/"
    sed "s/@VERSION@/$version/" packaging/README.txt | sed 's/$/\r/' >"$stage/README.txt"
    scripts/check-binaries.sh "$stage" "$arch" --stripped
}

package "Tessaline-$version-win32" i686 i686-w64-mingw32-objcopy build/windows/bin
# On 64-bit Windows the taskbar is a 64-bit Explorer's: the 32-bit Tarnwick places the 64-bit hook DLL there
# through the 64-bit rundll32, and the 32-bit program starts the 64-bit hot-corner helper. The 32-bit package
# ships both, so it docks on either Windows.
for file in TarnwickHook64.dll Velmora64.exe; do
    x86_64-w64-mingw32-objcopy --only-keep-debug "build/windows64/bin/$file" \
        "$dist/debug/Tessaline-$version-win32/$file.debug"
    x86_64-w64-mingw32-objcopy --strip-debug --strip-unneeded \
        --add-gnu-debuglink="$dist/debug/Tessaline-$version-win32/$file.debug" \
        "build/windows64/bin/$file" "$dist/stage/Tessaline-$version-win32/Tessaline/$file"
done
package "Tessaline-$version-win64" x86_64 x86_64-w64-mingw32-objcopy build/windows64/bin

for name in "Tessaline-$version-win32" "Tessaline-$version-win64"; do
    (cd "$dist/stage/$name" && cmake -E tar cf "$dist/$name.zip" --format=zip Tessaline)
    echo "release: dist/$name.zip"
done
scripts/make-msi.sh "$dist/stage/Tessaline-$version-win32/Tessaline" x86 "$version" "$dist/Tessaline-$version-x86.msi"
scripts/make-msi.sh "$dist/stage/Tessaline-$version-win64/Tessaline" x64 "$version" "$dist/Tessaline-$version-x64.msi"
echo "release: dist/Tessaline-$version-x86.msi dist/Tessaline-$version-x64.msi"
rm -rf "$dist/stage"

(cd "$dist" && find . -type f ! -name SHA256SUMS | sed 's|^\./||' | LC_ALL=C sort | xargs sha256sum >SHA256SUMS)
echo "release: dist/SHA256SUMS"
