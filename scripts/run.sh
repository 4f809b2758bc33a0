#!/usr/bin/env bash
# Installs what is needed, builds the Windows programs and starts the showcase
# under Wine: on your X display when DISPLAY is set, otherwise in Xvfb, where it
# saves a screenshot of the running showcase and says where.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
bash scripts/install-deps.sh
cmake --preset win64 >/dev/null
cmake --build --preset win64
build=$root/build/win64
cd "$build/demo"  # the showcase finds its "Skins" folder and the control beside it
if [ -n "${DISPLAY:-}" ] && [ "${QEL_XVFB:-0}" != 1 ]; then
    exec bash "$root/scripts/with-wine.sh" "$build" wine "Qel Showcase.exe"
fi
shot=$build/showcase.png
bash "$root/scripts/with-wine.sh" "$build" bash -c \
    'wine "Qel Showcase.exe" & sleep 6; import -window root "$1"' _ "$shot"
echo "The showcase ran in Xvfb; screenshot: $shot"
