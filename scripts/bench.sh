#!/usr/bin/env bash
# Builds and runs every benchmark program (native ones directly, Windows ones
# under Wine) and the showcase's start-up measure, printing their figures.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
for preset in native win64; do
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
done
for b in $(find build/native/bench -type f -name '*_bench' -perm -u+x | sort); do
    echo "== $b"; "$b"
done
benches=$(find build/win64/bench -type f -name '*_bench.exe' | sort)
# Real pictures and the costliest the picture check takes, for picture_cost_bench.
[ -d build/win64/bench/pictures ] ||
    /usr/bin/python3 bench/make_bench_pictures.py build/win64/bench/pictures
# The showcase's start-up, three times with the wineserver already running.
bash scripts/with-wine.sh build/win64 bash -c '
    for b in "$@"; do echo "== $b"; wine "$b"; done
    echo "== Qel Showcase /startup-time"
    cd build/win64/demo
    for run in 1 2 3; do wine "Qel Showcase.exe" /startup-time; done' _ $benches
