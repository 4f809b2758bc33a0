#!/usr/bin/env bash
# Builds and runs every benchmark program (native ones directly, Windows ones
# under Wine), printing their figures.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
for preset in native win64; do
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
done
for b in $(find build/native -type f -name '*_bench' -perm -u+x | sort); do
    echo "== $b"; "$b"
done
benches=$(find build/win64 -type f -name '*_bench.exe' | sort)
if [ -n "$benches" ]; then
    bash scripts/with-wine.sh build/win64 bash -c 'for b in "$@"; do echo "== $b"; wine "$b"; done' _ $benches
fi
