#!/usr/bin/env bash
# Installs the Debian packages listed in scripts/deps.txt (skipped when present).
set -euo pipefail
here=$(dirname "$0")
mapfile -t packages < <(awk '$1 == "package" { print $2 }' "$here/deps.txt")
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
