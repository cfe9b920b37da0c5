#!/usr/bin/env bash
# Writes the packages a user installs from, into dist/:
#   Tarvel-<version>-windows.zip   x86/TARVEL.dll, x64/TARVEL.dll and INSTALL.txt
# Builds the two Windows libraries first. DIST_DIR overrides the folder.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
version=$(sed -n 's/^project(Tarvel VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
dist="${DIST_DIR:-$root/dist}"
mkdir -p "$dist"

for preset in win32 win64; do
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" --target TARVEL >/dev/null
done

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
name="Tarvel-$version-windows"
mkdir -p "$stage/$name/x86" "$stage/$name/x64"
cp build/win32/src/TARVEL.dll "$stage/$name/x86/"
cp build/win64/src/TARVEL.dll "$stage/$name/x64/"
sed "s/@VERSION@/$version/" packaging/windows-install.txt > "$stage/$name/INSTALL.txt"
rm -f "$dist/$name.zip"
(cd "$stage" && zip -q -r -X "$dist/$name.zip" "$name")
echo "Wrote $dist/$name.zip"
