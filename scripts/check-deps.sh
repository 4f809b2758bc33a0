#!/usr/bin/env bash
# Checks that every command and file in scripts/deps.txt comes from a package
# that install-deps.sh installs (or one that such a package depends on), so
# that something installed by hand on this machine cannot hide a missing
# package on a fresh one. Essential packages count as always there.
set -euo pipefail
here=$(dirname "$0")
mapfile -t packages < <(bash "$here/install-deps.sh" --list)

# Everything the listed packages bring, following Depends and Pre-Depends.
declare -A brought=()
while read -r p; do brought[$p]=1; done < <(
    apt-cache depends --recurse --installed --no-recommends --no-suggests --no-conflicts \
        --no-breaks --no-replaces --no-enhances "${packages[@]}" | grep -v '^ ' | sed 's/:.*//')

# The package that owns PATH: the first link of a symlink chain that a package
# owns (alternatives' links belong to no package; their targets do).
owner() {
    local path=$1 target
    for _ in 1 2 3 4 5 6 7 8; do
        local found
        if found=$(dpkg-query -S "$path" 2>/dev/null); then
            echo "${found%%:*}" | sed 's/,.*//'
            return 0
        fi
        [ -L "$path" ] || break
        target=$(readlink "$path")
        case $target in /*) path=$target ;; *) path=$(dirname "$path")/$target ;; esac
    done
    return 1
}

failures=0
fail() { echo "check-deps: $*" >&2; failures=$((failures + 1)); }
while read -r kind name _; do
    case $kind in
        command) path=$(command -v "$name") || { fail "command '$name' is not installed"; continue; } ;;
        file) path=$name; [ -e "$path" ] || { fail "file $path is missing"; continue; } ;;
        *) continue ;;
    esac
    package=$(owner "$path") || { fail "$name ($path) belongs to no Debian package"; continue; }
    [ -n "${brought[$package]:-}" ] && continue
    [ "$(dpkg-query -W -f='${Essential}' "$package" 2>/dev/null)" = yes ] && continue
    fail "$name comes from package '$package', which scripts/install-deps.sh does not bring: add it there"
done < "$here/deps.txt"
if [ "$failures" -gt 0 ]; then
    echo "check-deps: $failures requirement(s) not met by the packages scripts/install-deps.sh installs" >&2
    exit 1
fi
echo "check-deps: every command and file the project uses comes from a listed package"
