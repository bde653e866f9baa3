#!/usr/bin/env bash
# Builds Kestrane and starts it.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${KESTRANE_BUILD:-$top/build}
"$top/scripts/setup.sh"
cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKESTRANE_BENCH=OFF >/dev/null
cmake --build "$build"
printf 'compute\n' | "$build/bin/kestrane-calc" "$@"
