#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test.
#   scripts/test.sh [extra cmake options]   e.g. -DKVR_SANITIZE=ON
# First it checks that no core file includes Qt and builds and tests the core alone
# (-DKVR_GUI=OFF, in "<build>-core"); then the full build and its tests, whose CTest
# summary is the last line.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"

build="${KVR_BUILD_DIR:-$root/build}"
jobs=$(nproc)
launcher=()
if command -v ccache >/dev/null; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi

# Qt lives only in the ui/ folders. (A bare "! grep …" would not stop a set -e script.)
qt_in_core=$(cd "$root" && grep -rln '#include <Q' platform db history drill app editor install \
    2>/dev/null | grep -v '/ui/' || true)
if [[ -n "$qt_in_core" ]]; then
    echo "Qt included by core files (move the code to a ui/ folder):" >&2
    echo "$qt_in_core" >&2
    exit 1
fi

# The core without Qt, so a Qt dependency cannot creep into it unnoticed.
cmake -S "$root" -B "$build-core" -DKVR_TESTS=ON "${launcher[@]}" "$@" -DKVR_GUI=OFF \
    -DKVR_BENCH=OFF >/dev/null
cmake --build "$build-core" -j"$jobs"
ctest --test-dir "$build-core" --output-on-failure -j"$jobs"

cmake -S "$root" -B "$build" -DKVR_TESTS=ON "${launcher[@]}" "$@" >/dev/null
cmake --build "$build" -j"$jobs"
# Widget tests need no display.
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build" --output-on-failure -j"$jobs"
