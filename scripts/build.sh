#!/usr/bin/env bash
# Builds the two Windows libraries (32 and 64 bits) and the native tree
# (tests, tools).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
for preset in win32 win64 native; do
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
done
