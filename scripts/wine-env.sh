# Sourced by the scripts that run Windows programs: which Wine runs a program
# of the given width, in which of the project's two prefixes, and how quiet.
#   source wine-env.sh [32|64]      (32 when no width is given)
# Sets WINEPREFIX and WINEARCH, TARVEL_WINE (the loader to start) and
# TARVEL_WINESERVER (the server to wait for with -w).
_tarvel_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
if [ "${1:-32}" = 64 ]; then
    # Debian's wine wrapper starts the 32-bit loader whenever it is installed,
    # even where the machine cannot execute it: 64-bit programs get the 64-bit
    # loader and server by name, in a prefix of their own.
    export WINEPREFIX="${TARVEL_WINEPREFIX64:-$_tarvel_root/build/wineprefix64}"
    export WINEARCH=win64
    export WINELOADER=/usr/lib/wine/wine64
    export WINESERVER=/usr/lib/wine/wineserver64
    export TARVEL_WINE=/usr/lib/wine/wine64
    export TARVEL_WINESERVER=$WINESERVER
else
    export WINEPREFIX="${TARVEL_WINEPREFIX:-$_tarvel_root/build/wineprefix}"
    export WINEARCH=win32
    unset WINELOADER WINESERVER
    export TARVEL_WINE=wine
    export TARVEL_WINESERVER=wineserver
fi
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree=;mshtml=}"

# For the scripts that start a Windows program: the prefix and loader of
# PROGRAM's width (64 for anything that is no Windows executable, wineboot
# say). A 32-bit program on a machine that cannot run one is not started:
# this says so and exits 77, which CTest takes as a skip.
#   tarvel_wine_for PROGRAM
tarvel_wine_for() {
    local here width reason
    here="$(dirname "${BASH_SOURCE[0]}")"
    width=$("$here/pe-width" "$1" 2>/dev/null) || width=64
    if [ "$width" = 32 ] && ! reason=$("$here/can-run-32bit"); then
        echo "skipped: this machine cannot run 32-bit programs ($reason)" >&2
        exit 77
    fi
    source "$here/wine-env.sh" "$width"
}
