#!/usr/bin/env bash
# run.sh [showcase|creator]
# Installs what is needed, builds the Windows programs and starts the showcase
# (or, with "creator", the skin creator) under Wine: on your X display when
# DISPLAY is set, otherwise in Xvfb, where it saves a screenshot of the running
# program and says where.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
case "${1:-showcase}" in
    showcase) program=showcase folder=demo exe="Qel Showcase.exe" ;;
    creator) program=creator folder=creator exe="Qel Skin Creator.exe" ;;
    *) echo "usage: scripts/run.sh [showcase|creator]" >&2; exit 2 ;;
esac
bash scripts/install-deps.sh
cmake --preset win64 >/dev/null
cmake --build --preset win64
build=$root/build/win64
cd "$build/$folder"  # each program finds the control and its "Skins" folder beside it
if [ -n "${DISPLAY:-}" ] && [ "${QEL_XVFB:-0}" != 1 ]; then
    exec bash "$root/scripts/with-wine.sh" "$build" wine "$exe"
fi
shot=$build/$program.png
bash "$root/scripts/with-wine.sh" "$build" bash -c \
    'wine "$1" & sleep 6; import -window root "$2"' _ "$exe" "$shot"
echo "The $program ran in Xvfb; screenshot: $shot"
