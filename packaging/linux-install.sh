#!/bin/sh
# Installs the plug-ins of this folder where Linux hosts look for them:
#   ./install.sh                 for you: ~/.vst, ~/.lv2 and ~/.clap (the
#                                folders Flatpak hosts see too)
#   ./install.sh --system        for everyone: /usr/local/lib/vst,
#                                /usr/local/lib/lv2 and /usr/local/lib/clap
#                                (run it as root)
#   ./install.sh --uninstall     removes what it put there (with --system:
#                                from the system folders)
# It installs nothing on a machine the plug-ins cannot run on: a library
# built for another architecture, or one that needs a library this machine
# lacks, stops it with a message first.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
system=no
uninstall=no
for arg in "$@"; do
    case "$arg" in
    --system) system=yes ;;
    --uninstall) uninstall=yes ;;
    -h | --help)
        sed -n '2,12s/^# \{0,1\}//p' "$0"
        exit 0
        ;;
    *)
        echo "install.sh: unknown option $arg (try --help)" >&2
        exit 2
        ;;
    esac
done
if [ "$system" = yes ]; then
    vst_dir=/usr/local/lib/vst lv2_dir=/usr/local/lib/lv2 clap_dir=/usr/local/lib/clap
else
    : "${HOME:?install.sh: HOME is not set}"
    vst_dir=$HOME/.vst lv2_dir=$HOME/.lv2 clap_dir=$HOME/.clap
fi

# What this folder holds, as "source destination-folder" pairs: the bundle
# goes as one folder, the CLAP plug-in only where this package has it.
plugins="vst/libtarvel-vst.so $vst_dir
lv2/tarvel.lv2 $lv2_dir"
if [ -f "$here/clap/Tarvel.clap" ]; then
    plugins="$plugins
clap/Tarvel.clap $clap_dir"
fi

if [ "$uninstall" = yes ]; then
    echo "$plugins" | while read -r source folder; do
        name=$(basename "$source")
        if [ -d "$here/$source" ]; then
            # Only the bundle's own files: anything else a user put there stays.
            for file in "$here/$source"/*; do
                rm -f "$folder/$name/$(basename "$file")"
            done
            rmdir "$folder/$name" 2>/dev/null || true
        else
            rm -f "$folder/$name"
        fi
        # The plug-in folder goes too once nothing else is in it.
        rmdir "$folder" 2>/dev/null || true
        echo "removed $folder/$name"
    done
    exit 0
fi

# Reads byte OFFSET (and, with a third argument, the next one too, least
# significant first) of FILE as a number.
read_number() {
    od -An -tu1 -j "$2" -N "${3:-1}" "$1" | awk '{ print $1 + 256 * $2 }'
}

# The ELF class and machine the libraries must have here.
case "$(uname -m)" in
x86_64 | amd64) want_class=2 want_machine=62 ;;
*)
    echo "install.sh: this package is built for x86_64 (64-bit PC) machines; this one is $(uname -m)." >&2
    echo "Nothing was installed." >&2
    exit 1
    ;;
esac
libraries=$(cd "$here" && find vst lv2 clap -type f \( -name '*.so' -o -name '*.clap' \) 2>/dev/null | sort)
for library in $libraries; do
    file="$here/$library"
    magic=$(od -An -c -N 4 "$file" | tr -d ' ')
    if [ "$magic" != '177ELF' ] || [ "$(read_number "$file" 4)" != "$want_class" ] ||
        [ "$(read_number "$file" 18 2)" != "$want_machine" ]; then
        echo "install.sh: $library is not a library for x86_64 Linux: this package is damaged or for another machine." >&2
        echo "Nothing was installed." >&2
        exit 1
    fi
    missing=$(ldd "$file" 2>&1 | sed -n 's/^[[:space:]]*\([^[:space:]]*\) => not found.*/\1/p' |
        tr '\n' ' ')
    if [ -n "$missing" ]; then
        echo "install.sh: $library needs libraries this machine lacks: $missing" >&2
        echo "Install them with your package manager (see README.txt), then run install.sh again." >&2
        echo "Nothing was installed." >&2
        exit 1
    fi
done

echo "$plugins" | while read -r source folder; do
    name=$(basename "$source")
    mkdir -p "$folder"
    if [ -d "$here/$source" ]; then
        rm -rf "${folder:?}/$name"
        cp -R "$here/$source" "$folder/$name"
    else
        cp "$here/$source" "$folder/$name"
    fi
    echo "installed $folder/$name"
done
echo "Let your hosts rescan their plug-ins: Tarvel appears as \"Tarvel\" by Ostrand."
