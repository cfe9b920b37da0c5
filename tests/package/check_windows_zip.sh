#!/usr/bin/env bash
# Writes the Windows package with the project's packaging command into a
# scratch folder, checks what it holds, and loads both libraries from the
# unpacked files as a host would (the 32-bit one where this machine runs
# 32-bit programs).
#   check_windows_zip.sh WIN32_TREE WIN64_TREE SCRATCH
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
win32_tree="$1" win64_tree="$2" scratch="$3"
rm -rf "$scratch" && mkdir -p "$scratch"
DIST_DIR="$scratch" "$root/scripts/package.sh" windows
zip_file=$(ls "$scratch"/Tarvel-*-windows.zip)
unzip -q "$zip_file" -d "$scratch/unpacked"
folder=$(ls -d "$scratch"/unpacked/Tarvel-*-windows)
for entry in x86/TARVEL.dll x64/TARVEL.dll x86/Tarvel.clap x64/Tarvel.clap INSTALL.txt; do
    [ -s "$folder/$entry" ] || { echo "the package lacks $entry"; exit 1; }
done
# Beside those only the CLAP plug-in of each width whose build makes it.
expected=3
for width in 32 64; do
    tree="$win32_tree" dir=x86
    [ "$width" = 32 ] || tree="$win64_tree" dir=x64
    if [ -n "$(find "$tree" -name Tarvel.clap -type f ! -path '*/CMakeFiles/*')" ]; then
        [ -s "$folder/$dir/Tarvel.clap" ] || { echo "the package lacks $dir/Tarvel.clap"; exit 1; }
        expected=$((expected + 1))
    fi
done
[ "$(find "$folder" -type f | wc -l)" = "$expected" ] ||
    { echo "the package holds more than its $expected files"; exit 1; }
[ "$("$root/scripts/pe-width" "$folder/x86/TARVEL.dll")" = 32 ] || { echo "x86/TARVEL.dll is not 32-bit"; exit 1; }
[ "$("$root/scripts/pe-width" "$folder/x64/TARVEL.dll")" = 64 ] || { echo "x64/TARVEL.dll is not 64-bit"; exit 1; }
[ "$("$root/scripts/pe-width" "$folder/x86/Tarvel.clap")" = 32 ] || { echo "x86/Tarvel.clap is not 32-bit"; exit 1; }
[ "$("$root/scripts/pe-width" "$folder/x64/Tarvel.clap")" = 64 ] || { echo "x64/Tarvel.clap is not 64-bit"; exit 1; }

windows_path() { local path="Z:$1"; printf '%s' "${path//\//\\}"; }
load() { # TREE DLL: the tree's test program creates an instance and reads its identity
    "$root/scripts/wine-run" "$1/tests/wine/dll_tests.exe" \
        --gtest_filter=DllIdentity.NamesTheEffectAndItsMaker "$(windows_path "$2")"
}
load "$win64_tree" "$folder/x64/TARVEL.dll"
if reason=$("$root/scripts/can-run-32bit"); then
    load "$win32_tree" "$folder/x86/TARVEL.dll"
else
    echo "x86/TARVEL.dll not loaded: this machine cannot run 32-bit programs ($reason)"
fi
echo "package checked: $(basename "$zip_file")"
