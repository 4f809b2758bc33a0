#!/usr/bin/env bash
# Installs the Debian packages the project builds and tests with (skipped when
# present). `install-deps.sh --list` prints them; scripts/check-deps.sh checks
# that they bring every command and file listed in scripts/deps.txt.
set -euo pipefail
packages=(cmake ninja-build g++ googletest libgtest-dev libbenchmark-dev
          g++-mingw-w64-x86-64 g++-mingw-w64-i686 mingw-w64-tools
          wine wine64 fonts-wine libwine-dev xvfb xauth imagemagick
          zlib1g-dev libz-mingw-w64-dev giflib-tools libgif-dev python3-pil libjpeg-turbo-progs)
if [ "${1:-}" = --list ]; then
    printf '%s\n' "${packages[@]}"
    exit 0
fi
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -q
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
