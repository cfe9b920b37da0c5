# Sourced by the scripts that run Windows programs: where the project's Wine
# prefix lives and how quiet Wine should be.
_tarvel_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export WINEPREFIX="${TARVEL_WINEPREFIX:-$_tarvel_root/build/wineprefix}"
export WINEARCH=win32
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree=;mshtml=}"
