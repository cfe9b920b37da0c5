#!/usr/bin/env bash
# Writes the packages a user installs from, into dist/:
#   Tarvel-<version>-windows.zip          x86/TARVEL.dll, x64/TARVEL.dll, x86/Tarvel.clap,
#                                         x64/Tarvel.clap and INSTALL.txt
#   Tarvel-<version>-linux-x86_64.tar.gz  vst/libtarvel-vst.so, lv2/tarvel.lv2/,
#                                         clap/Tarvel.clap and README.txt
#                                         (scripts/package-linux.sh)
# Builds the libraries first. DIST_DIR overrides the folder;
# `scripts/package.sh windows` or `scripts/package.sh linux` writes only one.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
version=$(sed -n 's/^project(Tarvel VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
dist="${DIST_DIR:-$root/dist}"
mkdir -p "$dist"
packages="${1:-all}"
case "$packages" in
all | windows | linux) ;;
*) echo "usage: scripts/package.sh [windows|linux]" >&2; exit 2 ;;
esac

if [ "$packages" != windows ]; then
    source "$root/scripts/package-linux.sh"
    package_linux "$root" "$dist"
fi
if [ "$packages" = linux ]; then
    exit 0
fi

for preset in win32 win64; do
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" --target TARVEL tarvel-clap >/dev/null
done

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
name="Tarvel-$version-windows"
mkdir -p "$stage/$name/x86" "$stage/$name/x64"
cp build/win32/src/TARVEL.dll "$stage/$name/x86/"
cp build/win64/src/TARVEL.dll "$stage/$name/x64/"
cp build/win32/clap/Tarvel.clap "$stage/$name/x86/"
cp build/win64/clap/Tarvel.clap "$stage/$name/x64/"
sed "s/@VERSION@/$version/" packaging/windows-install.txt > "$stage/$name/INSTALL.txt"
rm -f "$dist/$name.zip"
(cd "$stage" && zip -q -r -X "$dist/$name.zip" "$name")
echo "Wrote $dist/$name.zip"
