#!/usr/bin/env bash
# Writes the Linux package, Tarvel-<version>-linux-x86_64.tar.gz, into dist/
# (or DIST_DIR): the native plug-ins built in release, in one folder of that
# name with
#   vst/libtarvel-vst.so    the VST 2.x library
#   lv2/tarvel.lv2/         the LV2 bundle
#   clap/Tarvel.clap        the CLAP plug-in, where the build has it
#   install.sh              puts them where hosts look (packaging/linux-install.sh)
#   README.txt              where each goes (packaging/linux-readme.txt)
# The library is checked to show the loader only its two entry names.
# scripts/package.sh calls package_linux as well.
set -euo pipefail

# package_linux ROOT DIST
package_linux() {
    local root="$1" dist="$2"
    source "$root/scripts/linux-plugins.sh"
    source "$root/scripts/clap-build.sh"
    local version clap
    version="$("$root/scripts/project-version")"
    local name="Tarvel-$version-linux-x86_64"
    local stage="$root/build/linux/package"
    local folder="$stage/$name"

    build_linux_plugins "$root" >/dev/null
    clap=$(build_clap "$root/build/linux")
    rm -rf "$stage"
    mkdir -p "$folder" "$dist"
    install_linux_plugins "$root" vst lv2 "$folder" >/dev/null
    cmake -D NM=nm -D READELF=readelf -D LIBRARY="$folder/vst/libtarvel-vst.so" -D EDITOR=X11 \
        -P "$root/tests/native_vst/check_library_symbols.cmake" >/dev/null
    if [ -n "$clap" ]; then
        mkdir -p "$folder/clap"
        install -m 0644 -s "$clap" "$folder/clap/Tarvel.clap"
    fi
    sed "s/@VERSION@/$version/" "$root/packaging/linux-readme.txt" >"$folder/README.txt"
    install -m 0755 "$root/packaging/linux-install.sh" "$folder/install.sh"
    rm -f "$dist/$name.tar.gz"
    tar -C "$stage" --owner=0 --group=0 --sort=name -czf "$dist/$name.tar.gz" "$name"
    echo "Wrote $dist/$name.tar.gz"
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
    root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
    package_linux "$root" "${DIST_DIR:-$root/dist}"
fi
