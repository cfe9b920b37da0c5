# Shared by install-linux.sh and package-linux.sh (sourced, not run): builds
# the native Linux plug-ins in release (the `linux` preset, build/linux) and
# installs them with `cmake --install` into the folders given.
#   build_linux_plugins ROOT
#   install_linux_plugins ROOT VST_DIR LV2_DIR [PREFIX]
# VST_DIR and LV2_DIR are absolute, or relative to PREFIX.

# The targets that make up the native plug-ins.
# LV2: the bundle's target joins this list.
linux_plugin_targets=(tarvel-vst)

build_linux_plugins() {
    local root="$1"
    cmake --preset linux -S "$root" >/dev/null
    cmake --build "$root/build/linux" -j2 --target "${linux_plugin_targets[@]}"
}

install_linux_plugins() {
    local root="$1" vst_dir="$2" lv2_dir="$3" prefix="${4:-}"
    # The install folders are cache settings of the tree: setting them
    # rebuilds nothing.
    cmake -S "$root" -B "$root/build/linux" -D TARVEL_VST_INSTALL_DIR="$vst_dir" \
        -D TARVEL_LV2_INSTALL_DIR="$lv2_dir" >/dev/null
    local args=(--install "$root/build/linux" --strip)
    if [ -n "$prefix" ]; then args+=(--prefix "$prefix"); fi
    cmake "${args[@]}"
}
