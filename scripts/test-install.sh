#!/usr/bin/env bash
# The release packages installed as a user installs them, in a fresh Wine prefix, and run from where they landed
# (the scenarios InstalledE2E.* of the windows64 build's end-to-end program, against the demo taskbar host):
#   1. the win64 zip unpacked into Program Files\Tessaline: it docks, the Windows key opens the menu, the guide
#      starts, Exit gives the band back, and nothing is written beside the programs;
#   2. the x64 MSI installed with msiexec /i /qn: the zip's files and both Start Menu shortcuts, the same scenario;
#   3. a newer package (the same programs, the version's last part one higher) installed while the program runs:
#      the program ends the clean way, the older version is replaced in place;
#   4. msiexec /x /qn while the program runs: it ends the clean way, no file of ours stays under Program Files
#      (but the hook DLL the taskbar's process still holds), no shortcut stays, and the settings in the data
#      directory do.
# Needs the display (scripts/xvfb.sh), the windows64 build and dist/ (scripts/release.sh).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
root=$PWD
version=$(head -n 1 VERSION)
prefix=$root/build/wineprefix-install
e2e=$root/build/windows64/tests/e2e/tessaline_e2e.exe
folder='C:\Program Files\Tessaline'
unixFolder=$prefix/drive_c/Program\ Files/Tessaline
faults=0
fault() {
    echo "test-install: $1" >&2
    faults=$((faults + 1))
}
windowsPath() { echo "Z:$1" | tr / '\\'; }
wine() { scripts/wine-run.sh "$prefix" "$@"; }
scenario() {
    echo "test-install: $1"
    TESSALINE_INSTALLED=$folder TESSALINE_MSIEXEC=${2:-} timeout 300 scripts/wine-run.sh "$prefix" "$e2e" \
        --gtest_color=no --gtest_brief=1 --gtest_filter="InstalledE2E.$1" || fault "$1 failed"
}
shortcuts() { find "$prefix/drive_c" -iname 'Tessaline*.lnk' 2>/dev/null | sort; }
products() {
    wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s 2>/dev/null | tr -d '\r' |
        grep -A20 -P '^\s+DisplayName\s+REG_SZ\s+Tessaline$' | grep -oP '^\s+DisplayVersion\s+REG_SZ\s+\K.*' || true
}

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
scripts/wine-prefix.sh "$prefix" --fresh
(cd "$scratch" && cmake -E tar xf "$root/dist/Tessaline-$version-win64.zip")

# 1. The zip, unpacked where programs live.
mkdir -p "$(dirname "$unixFolder")"
cp -r "$scratch/Tessaline" "$unixFolder"
scenario DocksOpensOnTheWindowsKeyStartsTheGuideAndExitsWritingNothingBesideThePrograms
rm -rf "$unixFolder"

# 2. The MSI.
msi=$(windowsPath "$root/dist/Tessaline-$version-x64.msi")
wine msiexec /i "$msi" /qn || fault "msiexec /i failed"
diff -r "$scratch/Tessaline" "$unixFolder" >/dev/null || fault "the MSI did not install the zip's files"
[ "$(shortcuts | wc -l)" = 2 ] || fault "the MSI made these shortcuts: $(shortcuts)"
[ "$(products)" = "$version" ] || fault "installed products: $(products)"
scenario DocksOpensOnTheWindowsKeyStartsTheGuideAndExitsWritingNothingBesideThePrograms

# 3. A newer package while the program runs.
newer=${version%.*}.$((${version##*.} + 1))
scripts/make-msi.sh "$scratch/Tessaline" x64 "$newer" "$scratch/Tessaline-$newer-x64.msi"
scenario TheInstallerEndsTheRunningProgramTheCleanWay "/i $(windowsPath "$scratch/Tessaline-$newer-x64.msi") /qn"
[ "$(products)" = "$newer" ] || fault "after the upgrade, installed products: $(products)"
diff -r "$scratch/Tessaline" "$unixFolder" >/dev/null || fault "the upgrade did not leave the programs in place"
[ "$(shortcuts | wc -l)" = 2 ] || fault "after the upgrade, these shortcuts: $(shortcuts)"

# 4. The uninstall while the program runs.
scenario TheInstallerEndsTheRunningProgramTheCleanWay "/x $(windowsPath "$scratch/Tessaline-$newer-x64.msi") /qn"
# The hook DLL stays loaded in the taskbar's process (the host here, Explorer on Windows) for as long as that
# process lives: Windows Installer removes a file in use at the next restart, Wine's leaves it. Every other file
# must be gone.
left=$(find "$unixFolder" -type f ! -path "$unixFolder/TarnwickHook64.dll" 2>/dev/null)
[ -z "$left" ] || fault "the uninstall left: $left"
[ -z "$(shortcuts)" ] || fault "the uninstall left these shortcuts: $(shortcuts)"
[ -z "$(products)" ] || fault "after the uninstall, installed products: $(products)"

WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1 || true
if [ $faults -ne 0 ]; then
    exit 1
fi
echo "test-install: the zip and the MSI install, run, upgrade and uninstall cleanly"
