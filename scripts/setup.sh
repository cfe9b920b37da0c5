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
    wine wine32:i386 xvfb xauth x11-utils
    googletest libgtest-dev libgmock-dev libbenchmark-dev
    libsndfile1-dev libfreetype-dev libpng-dev fonts-liberation fonts-dejavu-core
    imagemagick clang-format
    python3 valgrind
    clang libclang-rt-14-dev
    lv2-dev liblilv-dev lilv-utils sordi
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
    "${sudo_cmd[@]}" apt-get update -q
    "${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# A private Wine prefix inside the build tree: made once, quietly (no Mono or
# Gecko installers, no dialogs), and waited for so that no wineserver without a
# display is left running when windowed tests start.
source "$here/wine-env.sh"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "setup: creating Wine prefix in $WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    WINEDLLOVERRIDES="mscoree=;mshtml=" wineboot --init >/dev/null 2>&1 || true
    wineserver -w || true
fi
echo "setup: ready"
