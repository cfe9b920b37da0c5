#!/usr/bin/env bash
# Builds the native Linux plug-ins and installs them where Linux hosts look:
#   scripts/install-linux.sh            for this user: ~/.vst, ~/.lv2 and ~/.clap
#   scripts/install-linux.sh PREFIX     for everyone: PREFIX/lib/vst,
#                                       PREFIX/lib/lv2 and PREFIX/lib/clap (e.g.
#                                       /usr/local; needs the right to write there)
# Run scripts/setup.sh once first (or scripts/test-all.sh, which runs it).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$root/scripts/linux-plugins.sh"

build_linux_plugins "$root"
if [ $# -eq 0 ]; then
    install_linux_plugins "$root" "$HOME/.vst" "$HOME/.lv2" "" "$HOME/.clap"
else
    install_linux_plugins "$root" lib/vst lib/lv2 "$1" lib/clap
fi
