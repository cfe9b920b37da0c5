# Shared by install-linux.sh and package-linux.sh (sourced, not run): builds
# the native Linux plug-ins in release (the `linux` preset, build/linux) and
# installs them with `cmake --install` into the folders given.
#   build_linux_plugins ROOT
#   install_linux_plugins ROOT VST_DIR LV2_DIR [PREFIX [CLAP_DIR]]
# VST_DIR, LV2_DIR and CLAP_DIR are absolute, or relative to PREFIX (which
# may be empty); Tarvel.clap is installed only where CLAP_DIR is given.

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
    local root="$1" vst_dir="$2" lv2_dir="$3" prefix="${4:-}" clap_dir="${5:-}"
    # The install folders are cache settings of the tree: setting them
    # rebuilds nothing.
    local folders=(-D TARVEL_VST_INSTALL_DIR="$vst_dir" -D TARVEL_LV2_INSTALL_DIR="$lv2_dir")
    if [ -n "$clap_dir" ]; then folders+=(-D TARVEL_CLAP_INSTALL_DIR="$clap_dir"); fi
    cmake -S "$root" -B "$root/build/linux" "${folders[@]}" >/dev/null
    local args=(--install "$root/build/linux" --strip)
    if [ -n "$prefix" ]; then args+=(--prefix "$prefix"); fi
    cmake "${args[@]}"
    # --strip reaches only the libraries installed as targets, not the
    # bundle's, copied with its folder, and keeps the compiler's notes.
    local vst="$vst_dir/libtarvel-vst.so" bundle="$lv2_dir/tarvel.lv2"
    case "$vst" in /*) ;; *) vst="$prefix/$vst" ;; esac
    case "$bundle" in /*) ;; *) bundle="$prefix/$bundle" ;; esac
    strip --strip-unneeded --remove-section=.comment --remove-section=.note "$vst" "$bundle"/*.so
    if [ -n "$clap_dir" ]; then
        args+=(--component clap)
        cmake "${args[@]}"
        local clap="$clap_dir/Tarvel.clap"
        case "$clap" in /*) ;; *) clap="$prefix/$clap" ;; esac
        strip --strip-unneeded --remove-section=.comment --remove-section=.note "$clap"
    fi
}
