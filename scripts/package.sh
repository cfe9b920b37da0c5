#!/usr/bin/env bash
# Writes the packages a user installs from, into dist/:
#   Tarvel-<version>-windows.zip          x86/TARVEL.dll, x64/TARVEL.dll and
#                                         INSTALL.txt  (scripts/package-windows.sh)
#   Tarvel-<version>-windows-setup.exe    the Windows installer (the same)
#   Tarvel-<version>-linux-x86_64.tar.gz  vst/libtarvel-vst.so, lv2/tarvel.lv2/,
#                                         install.sh and README.txt
#                                         (scripts/package-linux.sh)
#   tarvel_<version>_amd64.deb            the Debian package (scripts/package-deb.sh)
#   SHA256SUMS                            the checksums of those of this
#                                         version that dist/ holds
# Every package carries the CLAP plug-in as well where the builds make it.
# Builds the libraries first. DIST_DIR overrides the folder;
# `scripts/package.sh windows` or `scripts/package.sh linux` writes only the
# packages of one system (and SHA256SUMS).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
version="$("$root/scripts/project-version")"
dist="${DIST_DIR:-$root/dist}"
packages="${1:-all}"
case "$packages" in
all | windows | linux) ;;
*) echo "usage: scripts/package.sh [windows|linux]" >&2; exit 2 ;;
esac
mkdir -p "$dist"
dist="$(cd "$dist" && pwd)"

if [ "$packages" != windows ]; then
    source "$root/scripts/package-linux.sh"
    source "$root/scripts/package-deb.sh"
    package_linux "$root" "$dist"
    package_deb "$root" "$dist"
fi
if [ "$packages" != linux ]; then
    source "$root/scripts/package-windows.sh"
    package_windows "$root" "$dist"
fi

# Checksums of every package of this version in the folder, those written
# before by `package.sh windows` or `package.sh linux` included.
(
    cd "$dist"
    shopt -s nullglob
    artefacts=("Tarvel-$version-"* "tarvel_${version}_"*.deb)
    sha256sum "${artefacts[@]}" >SHA256SUMS
)
echo "Wrote $dist/SHA256SUMS"
