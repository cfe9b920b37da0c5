# Shared by install-linux.sh and package-linux.sh (sourced, not run): builds
# the native Linux plug-ins in release (the `linux` preset, build/linux) and
# installs them with `cmake --install` into the folders given.
#   build_linux_plugins ROOT
#   install_linux_plugins ROOT VST_DIR LV2_DIR CLAP_DIR [PREFIX]
# VST_DIR, LV2_DIR and CLAP_DIR are absolute, or relative to PREFIX.

# The targets that make up the native plug-ins; the LV2 panel where the tree
# has the X11 backend to build it on.
linux_plugin_targets=(tarvel-vst tarvel_lv2_plugin tarvel-clap)
linux_optional_targets=(tarvel_lv2_ui_plugin)

build_linux_plugins() {
    local root="$1" target
    local targets=("${linux_plugin_targets[@]}")
    cmake --preset linux -S "$root" >/dev/null
    for target in "${linux_optional_targets[@]}"; do
        if cmake --build "$root/build/linux" --target help | grep -w "$target" >/dev/null; then
            targets+=("$target")
        fi
    done
    cmake --build "$root/build/linux" -j2 --target "${targets[@]}"
}

install_linux_plugins() {
    local root="$1" vst_dir="$2" lv2_dir="$3" clap_dir="$4" prefix="${5:-}"
    # The install folders are cache settings of the tree: setting them
    # rebuilds nothing.
    cmake -S "$root" -B "$root/build/linux" -D TARVEL_VST_INSTALL_DIR="$vst_dir" \
        -D TARVEL_LV2_INSTALL_DIR="$lv2_dir" -D TARVEL_CLAP_INSTALL_DIR="$clap_dir" >/dev/null
    local args=(--install "$root/build/linux" --strip)
    if [ -n "$prefix" ]; then args+=(--prefix "$prefix"); fi
    cmake "${args[@]}"
}
