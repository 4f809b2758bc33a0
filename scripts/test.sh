#!/usr/bin/env bash
# Installs what is needed, builds the three configurations and runs every test:
# natively with sanitizers, and the Windows build under Wine in an X display.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/check-deps.sh
for preset in native win64 win32; do
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
done
ctest --preset native
bash scripts/with-wine.sh build/win64 ctest --preset win64
