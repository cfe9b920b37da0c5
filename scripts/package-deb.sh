#!/usr/bin/env bash
# Writes the Debian package, tarvel_<version>_amd64.deb, into dist/ (or
# DIST_DIR) with dpkg-deb, from the native release build (build/linux):
#   /usr/lib/vst/libtarvel-vst.so    the VST 2.x library
#   /usr/lib/lv2/tarvel.lv2/         the LV2 bundle
#   /usr/lib/clap/Tarvel.clap        the CLAP plug-in, where the build has it
#   /usr/share/doc/tarvel/           copyright and changelog
# Depends is what dpkg-shlibdeps finds the libraries need; the control file,
# copyright and changelog come from packaging/debian/. scripts/package.sh
# calls package_deb as well.
set -euo pipefail

# package_deb ROOT DIST
package_deb() {
    local root="$1" dist="$2" version
    source "$root/scripts/linux-plugins.sh"
    source "$root/scripts/clap-build.sh"
    version="$("$root/scripts/project-version")"
    local debian="$root/packaging/debian"
    local changelog_version
    changelog_version=$(sed -n '1s/^tarvel (\([^)]*\)).*/\1/p' "$debian/changelog")
    if [ "$changelog_version" != "$version" ]; then
        echo "packaging/debian/changelog starts with $changelog_version, the project is $version:" \
            "add an entry for $version" >&2
        return 1
    fi

    build_linux_plugins "$root" >/dev/null
    local clap
    clap=$(build_clap "$root/build/linux")
    # dpkg-shlibdeps reads the package's name from debian/control and wants
    # the libraries inside debian/<package>/.
    local work="$root/build/linux/deb" package="$root/build/linux/deb/debian/tarvel"
    rm -rf "$work"
    mkdir -p "$package/DEBIAN" "$package/usr/share/doc/tarvel"
    printf 'Source: tarvel\n\nPackage: tarvel\nArchitecture: amd64\n' >"$work/debian/control"
    install_linux_plugins "$root" lib/vst lib/lv2 "$package/usr" >/dev/null
    local provides="vst-plugin, lv2-plugin"
    if [ -n "$clap" ]; then
        mkdir -p "$package/usr/lib/clap"
        install -m 0644 -s "$clap" "$package/usr/lib/clap/Tarvel.clap"
        provides+=", clap-plugin"
    fi
    cp "$debian/copyright" "$package/usr/share/doc/tarvel/copyright"
    gzip -9nc "$debian/changelog" >"$package/usr/share/doc/tarvel/changelog.gz"
    # Plug-ins are loaded, never run: no execute bits.
    find "$package" -type d -exec chmod 0755 {} +
    find "$package" -type f -exec chmod 0644 {} +

    local libraries depends
    mapfile -t libraries < <(cd "$work" && find debian/tarvel/usr/lib -type f \( -name '*.so' -o -name '*.clap' \) | sort)
    depends=$(cd "$work" && dpkg-shlibdeps -O "${libraries[@]}" 2>/dev/null | sed -n 's/^shlibs:Depends=//p')
    if [ -z "$depends" ]; then
        echo "dpkg-shlibdeps found no dependencies of ${libraries[*]}" >&2
        return 1
    fi
    (cd "$package" && find usr -type f | sort | xargs md5sum) >"$package/DEBIAN/md5sums"
    local size
    size=$(du -sk --exclude=DEBIAN "$package" | cut -f1)
    sed -e "s/@VERSION@/$version/" -e "s/@INSTALLED_SIZE@/$size/" -e "s/@DEPENDS@/$depends/" \
        -e "s/@PROVIDES@/$provides/" "$debian/control.in" >"$package/DEBIAN/control"
    # The description ends with the list of what the package holds.
    if [ -n "$clap" ]; then
        echo "  - the CLAP plug-in, /usr/lib/clap/Tarvel.clap" >>"$package/DEBIAN/control"
    fi
    # Every time stamp from the changelog's last entry, so that one tree
    # gives one package.
    local epoch
    epoch=$(date -d "$(sed -n 's/^ -- .*>  //p' "$debian/changelog" | head -n 1)" +%s)
    find "$package" -exec touch -h -d "@$epoch" {} +
    local file="$dist/tarvel_${version}_amd64.deb"
    mkdir -p "$dist"
    rm -f "$file"
    SOURCE_DATE_EPOCH=$epoch dpkg-deb --root-owner-group -Zxz --build "$package" "$file" >/dev/null
    echo "Wrote $file"
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
    root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
    package_deb "$root" "${DIST_DIR:-$root/dist}"
fi
