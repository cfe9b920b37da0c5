#!/usr/bin/env bash
# Writes the Linux package, dist/Tarvel-<version>-linux-x86_64.tar.gz: the
# native plug-ins built in release, in one folder of that name with
#   vst/libtarvel-vst.so    the VST 2.x library (for ~/.vst)
#   lv2/tarvel.lv2/         the LV2 bundle (for ~/.lv2), once it installs
#   README.txt              where each goes
# The library is checked to show the loader only its two entry names.
# package_linux can also be sourced and called from another packaging script.
set -euo pipefail

package_linux() {
    local root="$1"
    source "$root/scripts/linux-plugins.sh"
    local version
    version="$(sed -n 's/^project(Tarvel VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")"
    local name="Tarvel-$version-linux-x86_64"
    local stage="$root/build/linux/package"
    local folder="$stage/$name"

    build_linux_plugins "$root"
    rm -rf "$stage"
    mkdir -p "$folder"
    install_linux_plugins "$root" vst lv2 "$folder"
    cmake -D NM=nm -D READELF=readelf -D LIBRARY="$folder/vst/libtarvel-vst.so" \
        -P "$root/tests/native_vst/check_library_symbols.cmake"
    cat >"$folder/README.txt" <<TEXT
Tarvel $version by Ostrand, native Linux plug-ins for x86_64.

vst/libtarvel-vst.so  the VST 2.x plug-in: copy it into ~/.vst (just for you)
                      or /usr/local/lib/vst (for everyone), then let the
                      host rescan its plug-ins.
lv2/tarvel.lv2        the LV2 plug-in (when present): copy the whole folder
                      into ~/.lv2 or /usr/local/lib/lv2.

  mkdir -p ~/.vst ~/.lv2
  cp vst/libtarvel-vst.so ~/.vst/
  [ -d lv2/tarvel.lv2 ] && cp -r lv2/tarvel.lv2 ~/.lv2/

Hosts that search other folders take them from their plug-in settings or
from VST_PATH / LXVST_PATH and LV2_PATH.
TEXT
    mkdir -p "$root/dist"
    local archive="$root/dist/$name.tar.gz"
    tar -C "$stage" --owner=0 --group=0 --sort=name -czf "$archive" "$name"
    echo "package: $archive"
    tar -tzf "$archive"
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
    package_linux "$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
fi
