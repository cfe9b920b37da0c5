#!/usr/bin/env bash
# Writes the Windows packages twice with the project's packaging command and
# requires the same installer bytes both times and SHA256SUMS to check; then
# runs the installer silently in a fresh 64-bit Wine prefix of its own, as a
# managed machine would:
#   - every component into the default folders: each library arrives where
#     chosen and nothing else beside the uninstaller, it is the build's
#     library and renders what the linked-in plug-in renders (the 32-bit one
#     where this machine runs 32-bit programs), and the uninstaller leaves
#     the prefix's files and registry as they were;
#   - the 32-bit library alone into a folder of its own and the uninstaller
#     into another, each two levels deep, and uninstalled again, the folders
#     made for them with them;
#   - a component list naming nothing it knows, and one folder for both
#     libraries, fail with status 2 and install nothing.
#   check_windows_installer.sh WIN32_TREE WIN64_TREE NATIVE_TREE SCRATCH
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
win32_tree="$1" win64_tree="$2" native_tree="$3" scratch="$4"
version="$("$root/scripts/project-version")"
setup_name="Tarvel-$version-windows-setup.exe"
rm -rf "$scratch" && mkdir -p "$scratch"
fail() { echo "$*" >&2; exit 1; }

DIST_DIR="$scratch/dist" "$root/scripts/package.sh" windows
DIST_DIR="$scratch/again" "$root/scripts/package.sh" windows
setup="$scratch/dist/$setup_name"
cmp "$setup" "$scratch/again/$setup_name" || fail "two builds of the installer differ"
(cd "$scratch/dist" && sha256sum -c SHA256SUMS)
[ "$(cut -d' ' -f3 "$scratch/dist/SHA256SUMS" | sort | tr '\n' ' ')" = \
    "Tarvel-$version-windows-setup.exe Tarvel-$version-windows.zip " ] ||
    fail "SHA256SUMS lists other files: $(cat "$scratch/dist/SHA256SUMS")"
# Where the builds make the CLAP plug-in, the installer carries it.
clap64=$(find "$win64_tree" -name Tarvel.clap -type f ! -path '*/CMakeFiles/*' | head -n 1)
clap32=$(find "$win32_tree" -name Tarvel.clap -type f ! -path '*/CMakeFiles/*' | head -n 1)

export TARVEL_WINEPREFIX64="$scratch/prefix64"
source "$root/scripts/wine-env.sh" 64
mkdir -p "$WINEPREFIX"
"$TARVEL_WINE" wineboot --init >/dev/null 2>&1 || true
"$TARVEL_WINESERVER" -w
drive="$WINEPREFIX/drive_c"
uninstall_key='Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Uninstall\\\\Tarvel'

# The prefix's folders and files, without the temporary folders Windows
# empties itself (where the uninstaller runs from a copy).
contents() { (cd "$drive" && find . ! -path './users/*/Temp/*' | sort); }
# The files that appeared since BEFORE (a listing by contents).
new_files() { comm -13 "$1" <(contents) | while read -r path; do
    [ -f "$drive/$path" ] && echo "${path#./}"; done; true; }
# Runs the installer or the uninstaller and waits until every process it
# started in the prefix has ended; prints its exit status.
run() {
    local status=0
    "$TARVEL_WINE" "$@" >/dev/null 2>&1 || status=$?
    "$TARVEL_WINESERVER" -w
    echo "$status"
}
registry_has_tarvel() { grep -qi tarvel "$WINEPREFIX/system.reg" "$WINEPREFIX/user.reg"; }
expect_installed() { # FOLDER EXPECTED-FILE...: exactly these appeared, beside the
    local folder="$1"   # uninstaller and its README in FOLDER (under C:)
    shift
    local expected
    expected=$(printf '%s\n' "$@" "$folder/README.txt" "$folder/uninstall.exe" | sort)
    [ "$(new_files "$scratch/before.txt" | sort)" = "$expected" ] ||
        fail "the installer wrote other files than expected:" \
            "$(new_files "$scratch/before.txt")"
}
expect_uninstalled() { # FOLDER: the uninstaller's, under C:
    [ "$(run "C:\\${1//\//\\}\\uninstall.exe" /S)" = 0 ] || fail "the uninstaller failed"
    contents >"$scratch/after.txt"
    diff "$scratch/before.txt" "$scratch/after.txt" ||
        fail "the uninstaller left the files above changed"
    ! registry_has_tarvel || fail "the uninstaller left Tarvel in the registry"
}
windows_path() { local path="Z:$1"; printf '%s' "${path//\//\\}"; }
render_matches() { # DLL TREE: the installed library renders what the linked-in one does
    cmake -D RENDER="$native_tree/tools/tarvel-render/tarvel-render" \
        "-DPLUGIN_ARGS=--dll;$1;--server;$2/tools/plugin-server/plugin-server.exe" \
        -D WORK_DIR="$scratch/renders" -D NAME="$(basename "$2")" \
        "-DARGS=--signal noise --random-blocks 5 --cc1 3000:40" \
        -P "$root/tests/render_comparison/compare_render.cmake" >/dev/null
}

contents >"$scratch/before.txt"
registry_has_tarvel && fail "a fresh prefix names Tarvel in its registry"

# Everything, into the default folders.
[ "$(run "$setup" /S '/D=C:\Tarvel')" = 0 ] || fail "the silent install failed"
vst64="Program Files/Common Files/VST2/TARVEL.dll"
vst32="Program Files (x86)/Common Files/VST2/TARVEL.dll"
expected=("$vst64" "$vst32")
[ -z "$clap64" ] || expected+=("Program Files/Common Files/CLAP/Tarvel.clap")
[ -z "$clap32" ] || expected+=("Program Files (x86)/Common Files/CLAP/Tarvel.clap")
expect_installed Tarvel "${expected[@]}"
cmp "$drive/$vst64" "$win64_tree/src/TARVEL.dll" || fail "the installed 64-bit library differs"
cmp "$drive/$vst32" "$win32_tree/src/TARVEL.dll" || fail "the installed 32-bit library differs"
grep -A20 -i "^\[$uninstall_key\]" "$WINEPREFIX/system.reg" >"$scratch/key.txt" ||
    fail "no Add/Remove Programs entry"
for value in "\"DisplayName\"=\"Tarvel $version\"" "\"DisplayVersion\"=\"$version\"" \
    '"UninstallString"="\"C:\\Tarvel\\uninstall.exe\""'; do
    grep -qF "$value" "$scratch/key.txt" || fail "the Add/Remove Programs entry lacks $value"
done
render_matches "$drive/$vst64" "$win64_tree"
if reason=$("$root/scripts/can-run-32bit"); then
    render_matches "$drive/$vst32" "$win32_tree"
else
    echo "the installed 32-bit library not loaded: this machine cannot run 32-bit programs ($reason)"
fi
expect_uninstalled Tarvel

# The 32-bit library alone, into a folder whose parent does not exist yet,
# and the uninstaller too.
[ "$(run "$setup" /S /COMPONENTS=vst32 '/VST32DIR=C:\Audio\VST32' '/D=C:\Tools\Tarvel')" = 0 ] ||
    fail "the silent install of the 32-bit library failed"
expect_installed Tools/Tarvel "Audio/VST32/TARVEL.dll"
cmp "$drive/Audio/VST32/TARVEL.dll" "$win32_tree/src/TARVEL.dll" ||
    fail "the installed 32-bit library differs"
expect_uninstalled Tools/Tarvel

# What the installer cannot do.
[ "$(run "$setup" /S /COMPONENTS=vst3 '/D=C:\Tarvel')" = 2 ] ||
    fail "an install of an unknown component did not fail with status 2"
[ "$(run "$setup" /S '/VST64DIR=C:\VST' '/VST32DIR=C:\VST' '/D=C:\Tarvel')" = 2 ] ||
    fail "an install of both libraries into one folder did not fail with status 2"
contents >"$scratch/after.txt"
diff "$scratch/before.txt" "$scratch/after.txt" || fail "a failed install wrote files"
! registry_has_tarvel || fail "a failed install left Tarvel in the registry"
echo "installer checked: $setup_name ($(stat -c %s "$setup") bytes)"
