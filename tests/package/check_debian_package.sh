#!/usr/bin/env bash
# Writes the Linux packages with the project's packaging command and checks
# the Debian package as a user's machine takes it: the same bytes from a
# second build, SHA256SUMS checks, lintian reports no error and no warning,
# the control fields carry the project's version and computed dependencies;
# then installs it with dpkg on this machine: lv2ls lists Tarvel from
# /usr/lib/lv2 with the project's version, /usr/lib/vst/libtarvel-vst.so and
# the installed bundle render what the linked-in plug-in renders, and
# `dpkg -r` leaves none of its files.
# Installing needs root, or sudo without a password (elsewhere the test is
# skipped); the package is removed again however the test ends.
#   check_debian_package.sh NATIVE_TREE SCRATCH
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
native_tree="$1" scratch="$2"
version="$("$root/scripts/project-version")"
render="$native_tree/tools/tarvel-render/tarvel-render"
fail() { echo "$*" >&2; exit 1; }
as_root=()
if [ "$(id -u)" -ne 0 ]; then
    if ! sudo -n true 2>/dev/null; then
        echo "skipped: installing the package needs root or sudo without a password"
        exit 77
    fi
    as_root=(sudo -n)
fi
installed() { dpkg-query -W -f='${Status}' tarvel 2>/dev/null | grep -q "install ok installed"; }
# Someone's own installation is not the test's to replace or remove.
installed && fail "the package tarvel is installed on this machine already: remove it" \
    "(dpkg -r tarvel) to run this test"
rm -rf "$scratch" && mkdir -p "$scratch"

DIST_DIR="$scratch/dist" "$root/scripts/package.sh" linux
deb="$scratch/dist/tarvel_${version}_amd64.deb"
(source "$root/scripts/package-deb.sh" && package_deb "$root" "$scratch/again")
cmp "$deb" "$scratch/again/$(basename "$deb")" || fail "two builds of the package differ"
(cd "$scratch/dist" && sha256sum -c SHA256SUMS)
[ "$(cut -d' ' -f3 "$scratch/dist/SHA256SUMS" | sort | tr '\n' ' ')" = \
    "Tarvel-$version-linux-x86_64.tar.gz tarvel_${version}_amd64.deb " ] ||
    fail "SHA256SUMS lists other files: $(cat "$scratch/dist/SHA256SUMS")"

lintian_status=0
lintian --fail-on error,warning "$deb" >"$scratch/lintian.txt" 2>&1 || lintian_status=$?
grep -v 'running with root privileges' "$scratch/lintian.txt" || true
[ "$lintian_status" = 0 ] || fail "lintian finds errors or warnings (above)"
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Version)" = "$version" ] || fail "the package's version is $(field Version)"
for need in libc6 libstdc++6 libx11-6 libfreetype6; do
    field Depends | grep -q "$need (\|$need\(,\|$\)" || fail "Depends lacks $need: $(field Depends)"
done
for provided in vst-plugin lv2-plugin; do
    field Provides | grep -qw "$provided" || fail "Provides lacks $provided"
done
dpkg-deb -c "$deb" | awk '{ print $6 }' | sed 's|^\./|/|' | grep -v '/$' | sort >"$scratch/files.txt"
for file in /usr/lib/vst/libtarvel-vst.so /usr/lib/lv2/tarvel.lv2/manifest.ttl \
    /usr/lib/lv2/tarvel.lv2/tarvel.so /usr/lib/lv2/tarvel.lv2/tarvel_ui.so \
    /usr/share/doc/tarvel/copyright /usr/share/doc/tarvel/changelog.gz; do
    grep -qx "$file" "$scratch/files.txt" || fail "the package lacks $file"
done
if grep -q '^/usr/lib/clap/' "$scratch/files.txt"; then
    field Provides | grep -qw clap-plugin || fail "the package has CLAP but Provides lacks clap-plugin"
fi

remove() { if installed; then "${as_root[@]}" dpkg -r tarvel >/dev/null; fi; }
trap remove EXIT
trap 'exit 1' INT TERM HUP
"${as_root[@]}" dpkg -i "$deb" >/dev/null
env -u LV2_PATH lv2ls | grep -qx 'https://ostrand.example/plugins/tarvel' ||
    fail "lv2ls does not list the installed bundle"
# The bundle shows the project's version in LV2's terms (minor and micro).
IFS=. read -r _ minor micro <<<"$version"
grep -q "lv2:minorVersion $minor ;" /usr/lib/lv2/tarvel.lv2/tarvel.ttl &&
    grep -q "lv2:microVersion $micro ;" /usr/lib/lv2/tarvel.lv2/tarvel.ttl ||
    fail "the installed bundle does not show version $version"
cmake -D RENDER="$render" "-DPLUGIN_ARGS=--plugin;/usr/lib/vst/libtarvel-vst.so" \
    -D WORK_DIR="$scratch/renders" -D NAME=installed \
    "-DARGS=--signal noise --random-blocks 5 --cc1 3000:40" \
    -P "$root/tests/render_comparison/compare_render.cmake" >/dev/null
"$render" -q --signal slow "$scratch/lv2-linked.wav"
"$render" -q --signal slow --plugin /usr/lib/lv2/tarvel.lv2 "$scratch/lv2-installed.wav"
cmp "$scratch/lv2-linked.wav" "$scratch/lv2-installed.wav" ||
    fail "the installed bundle renders other samples"

"${as_root[@]}" dpkg -r tarvel >/dev/null
left=$(while read -r file; do [ ! -e "$file" ] || echo "$file"; done <"$scratch/files.txt")
[ -z "$left" ] || fail "dpkg -r left $left"
[ ! -e /usr/lib/lv2/tarvel.lv2 ] || fail "dpkg -r left /usr/lib/lv2/tarvel.lv2"
echo "package checked: $(basename "$deb") ($(stat -c %s "$deb") bytes)"
