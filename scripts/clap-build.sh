# Sourced by the packaging scripts: the CLAP plug-in, Tarvel.clap, where a
# build tree has a target for it. Every package carries it then; a tree
# without it packages the other formats alone.
#   build_clap TREE     builds it and prints the path of Tarvel.clap, or
#                       prints nothing where the tree has no CLAP build
tarvel_clap_target=tarvel-clap

build_clap() {
    local tree="$1"
    # grep reads the whole list: one that stopped early could leave cmake
    # writing into a closed pipe, which pipefail would count as no target.
    if ! cmake --build "$tree" --target help | grep -E "^\.\.\. $tarvel_clap_target( |\$)" >/dev/null; then
        return 0
    fi
    cmake --build "$tree" -j2 --target "$tarvel_clap_target" >/dev/null
    local file
    file=$(find "$tree" -name Tarvel.clap -type f ! -path '*/CMakeFiles/*' | head -n 1)
    if [ -z "$file" ]; then
        echo "$tree builds $tarvel_clap_target but no Tarvel.clap" >&2
        return 1
    fi
    echo "$file"
}
