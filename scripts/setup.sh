#!/usr/bin/env bash
# Installs everything the build and the tests need on a Debian 12 machine and
# prepares the Wine prefix the tests use. Safe to run again: it only installs
# what is missing. Needs root (or sudo) for the packages.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(dirname "$here")"

packages=(
    build-essential cmake pkg-config git
    g++-mingw-w64-i686 binutils-mingw-w64-i686
    g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64
    wine wine32:i386 wine64 xvfb xauth x11-utils zip unzip
    googletest libgtest-dev libgmock-dev libbenchmark-dev
    libsndfile1-dev libfreetype-dev libpng-dev fonts-liberation fonts-dejavu-core
    imagemagick clang-format
    # tarvel-render --plot draws with matplotlib; the main job's real sound
    # comes from espeak-ng (speech) and sox (a plucked string).
    python3-matplotlib python3-numpy espeak-ng sox
    python3 valgrind
    clang libclang-rt-14-dev
    lv2-dev liblilv-dev lilv-utils sordi
    # The X11 backend, and the real pointer and key input of its tests;
    # xrdb loads the display scale (Xft.dpi) into a test's private server.
    libx11-dev xdotool x11-xserver-utils
    # What a process holds on the X server, counted by the server (the tests).
    libxres-dev
    # A real LV2 host for the bundle and its panel, on a JACK server.
    jalv jackd2
    # A real CLAP host's plug-in scanner for Tarvel.clap.
    qtractor
    # The Windows installer (makensis), and the Debian package's dependencies
    # (dpkg-shlibdeps) and check.
    nsis dpkg-dev lintian
)

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -gt 0 ]; then
    echo "setup: installing ${missing[*]}"
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        "${sudo_cmd[@]}" dpkg --add-architecture i386
    fi
    export DEBIAN_FRONTEND=noninteractive
    # A mirror caught mid-sync fails one index now and then: try again, and
    # go on with what was fetched if it still fails (the install below says
    # so plainly when a package is then really missing).
    for attempt in 1 2 3; do
        if "${sudo_cmd[@]}" apt-get update -q; then break; fi
        echo "setup: apt-get update failed (attempt $attempt of 3)" >&2
        if [ "$attempt" -lt 3 ]; then sleep 10; fi
    done
    install=("${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends)
    if ! "${install[@]}" "${missing[@]}"; then
        # With one architecture's update index missing, the 64-bit and the
        # 32-bit copies of a shared library come from different releases and
        # cannot be installed together: take every candidate from the
        # distribution's own release instead, the same for both.
        codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
        if [ -z "$codename" ]; then exit 1; fi
        echo "setup: installing again from $codename alone" >&2
        "${install[@]}" -o APT::Default-Release="$codename" "${missing[@]}"
    fi
fi

# Private Wine prefixes inside the build tree, one for 64-bit programs and,
# where this machine can execute 32-bit programs, one for 32-bit programs:
# made once, quietly (no Mono or Gecko installers, no dialogs), and waited for
# so that no wineserver without a display is left running when windowed tests
# start.
make_prefix() {
    source "$here/wine-env.sh" "$1"
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        echo "setup: creating the $1-bit Wine prefix in $WINEPREFIX"
        mkdir -p "$WINEPREFIX"
        WINEDLLOVERRIDES="mscoree=;mshtml=" "$TARVEL_WINE" wineboot --init >/dev/null 2>&1 || true
        "$TARVEL_WINESERVER" -w || true
    fi
}
make_prefix 64
if reason=$("$here/can-run-32bit"); then
    make_prefix 32
else
    echo "setup: no 32-bit Wine prefix: this machine cannot run 32-bit programs ($reason)"
fi
echo "setup: ready"
