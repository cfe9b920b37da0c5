#!/usr/bin/env bash
# Writes the Windows packages into dist/ (or DIST_DIR), from the win32 and
# win64 release builds (build/win32, build/win64):
#   Tarvel-<version>-windows.zip        x86/TARVEL.dll, x64/TARVEL.dll,
#                                       INSTALL.txt (and x86/, x64/Tarvel.clap
#                                       where the builds make the CLAP plug-in)
#   Tarvel-<version>-windows-setup.exe  the installer made with makensis from
#                                       packaging/windows/installer.nsi: the
#                                       same files, each into a folder hosts
#                                       search; building it twice from one
#                                       tree gives the same bytes
# scripts/package.sh calls package_windows as well.
set -euo pipefail

# package_windows ROOT DIST
package_windows() {
    local root="$1" dist="$2" version preset
    source "$root/scripts/clap-build.sh"
    version="$("$root/scripts/project-version")"
    for preset in win32 win64; do
        (cd "$root" && cmake --preset "$preset" >/dev/null)
        cmake --build "$root/build/$preset" -j2 --target TARVEL >/dev/null
    done
    local dll32="$root/build/win32/src/TARVEL.dll" dll64="$root/build/win64/src/TARVEL.dll"
    local clap32 clap64
    clap32=$(build_clap "$root/build/win32")
    clap64=$(build_clap "$root/build/win64")

    local name="Tarvel-$version-windows"
    local stage="$root/build/windows-package"
    rm -rf "$stage"
    mkdir -p "$stage/$name/x86" "$stage/$name/x64" "$dist"
    cp "$dll32" "$stage/$name/x86/"
    cp "$dll64" "$stage/$name/x64/"
    if [ -n "$clap32" ]; then cp "$clap32" "$stage/$name/x86/"; fi
    if [ -n "$clap64" ]; then cp "$clap64" "$stage/$name/x64/"; fi
    sed "s/@VERSION@/$version/" "$root/packaging/windows-install.txt" >"$stage/$name/INSTALL.txt"
    rm -f "$dist/$name.zip"
    (cd "$stage" && zip -q -r -X "$dist/$name.zip" "$name")
    echo "Wrote $dist/$name.zip"

    local defines=(-DVERSION="$version" -DWIN64_DLL="$dll64" -DWIN32_DLL="$dll32"
        -DREADME="$stage/$name/INSTALL.txt" -DOUT_FILE="$dist/$name-setup.exe")
    if [ -n "$clap32" ]; then defines+=(-DCLAP32="$clap32"); fi
    if [ -n "$clap64" ]; then defines+=(-DCLAP64="$clap64"); fi
    makensis -V2 -NOCD "${defines[@]}" "$root/packaging/windows/installer.nsi" >/dev/null
    echo "Wrote $dist/$name-setup.exe"
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
    root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
    package_windows "$root" "${DIST_DIR:-$root/dist}"
fi
