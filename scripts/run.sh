#!/usr/bin/env bash
# Installs what is needed, builds the Windows program and starts it under Wine:
# on your X display when DISPLAY is set, otherwise in Xvfb, saving a screenshot.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset win64 >/dev/null
cmake --build --preset win64
# No program is built yet: run the Windows test suite instead.
bash scripts/with-wine.sh build/win64 ctest --preset win64
