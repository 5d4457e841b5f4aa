#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test.
#   scripts/test.sh [extra cmake options]   e.g. -DKVR_SANITIZE=ON
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"

build="${KVR_BUILD_DIR:-$root/build}"
cmake -S "$root" -B "$build" -DKVR_TESTS=ON "$@" >/dev/null
cmake --build "$build" -j"$(nproc)"
# Widget tests need no display.
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build" --output-on-failure -j"$(nproc)"
