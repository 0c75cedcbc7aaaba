#!/usr/bin/env bash
# Checks the shipped programs and DLLs of a folder without running them (the i686 ones cannot run on a machine
# without 32-bit support): each is there, is a PE file for the intended machine, and carries a version resource and
# an application manifest; with --stripped, no debug sections either.
#   scripts/check-binaries.sh <folder> <i686|x86_64> [--stripped]
# Exits non-zero and names every fault.
set -uo pipefail
folder=${1:?folder}
arch=${2:?i686 or x86_64}
stripped=${3:-}

case $arch in
    i686) objdump=i686-w64-mingw32-objdump format=pei-i386 bits=32 ;;
    x86_64) objdump=x86_64-w64-mingw32-objdump format=pei-x86-64 bits=64 ;;
    *) echo "check-binaries: unknown machine $arch" >&2; exit 2 ;;
esac

files=(Tessaline.exe Tessaline_Guide.exe Tarnwick.exe "TarnwickHook$bits.dll" "Velmora$bits.exe")
faults=0
fault() {
    echo "check-binaries: $1" >&2
    faults=$((faults + 1))
}

for name in "${files[@]}"; do
    file=$folder/$name
    if [ ! -f "$file" ]; then
        fault "$name: missing"
        continue
    fi
    header=$("$objdump" -f "$file" 2>/dev/null)
    grep -q "file format $format\$" <<<"$header" || fault "$name: not $format ($(head -2 <<<"$header" | tail -1))"
    # The resource directory's type table: 0x10 is the version resource, 0x18 the manifest.
    types=$("$objdump" -p "$file" 2>/dev/null | awk '/Resource Directory section/ { on = 1 } on && /^0[0-9a-f]+   Entry: ID:/ { print $4 }')
    grep -qx '0x000010,' <<<"$types" || fault "$name: no version resource"
    grep -qx '0x000018,' <<<"$types" || fault "$name: no manifest"
    if [ "$stripped" = --stripped ] && "$objdump" -h "$file" | grep -q ' \.debug_'; then
        fault "$name: has debug sections"
    fi
done

if [ $faults -ne 0 ]; then
    exit 1
fi
echo "check-binaries: $folder: ${#files[@]} files for $arch, each with a version resource and a manifest${stripped:+, stripped}"
