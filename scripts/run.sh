#!/usr/bin/env bash
# Installs what is needed, builds the Windows programs and starts the furthest
# built one under Wine: on your X display when DISPLAY is set, otherwise in
# Xvfb, where it saves a screenshot of the running program and says where.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset win64 >/dev/null
cmake --build --preset win64
program=build/win64/samples/FrameSample.exe
if [ -n "${DISPLAY:-}" ] && [ "${QEL_XVFB:-0}" != 1 ]; then
    exec bash scripts/with-wine.sh build/win64 wine "$program"
fi
shot=$(pwd)/build/win64/FrameSample.png
bash scripts/with-wine.sh build/win64 bash -c \
    'wine "$1" & sleep 5; import -window root "$2"' _ "$program" "$shot"
echo "The program ran in Xvfb; screenshot: $shot"
