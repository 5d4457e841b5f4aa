#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test.
#   scripts/test.sh [extra cmake options]   e.g. -DKVR_SANITIZE=ON
# First it checks that no core file includes Qt and builds and tests the core alone
# (-DKVR_GUI=OFF, in "<build>-core"); then, when Clang with libFuzzer is there, runs every
# fuzz target for a few seconds (in "<build>-fuzz"; KVR_FUZZ_SMOKE=0 skips it); then the full
# build and its tests, whose CTest summary is the last line.
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

# Fuzz smoke test: each target a few seconds over its seeds; a crash fails the run.
fuzzer_probe='extern "C" int LLVMFuzzerTestOneInput(const unsigned char *, unsigned long) { return 0; }'
if [[ "${KVR_FUZZ_SMOKE:-1}" != 0 ]] && command -v clang++ >/dev/null \
    && clang++ -x c++ -fsanitize=fuzzer -o /dev/null - <<<"$fuzzer_probe" 2>/dev/null; then
    CC=clang CXX=clang++ cmake -S "$root" -B "$build-fuzz" "${launcher[@]}" -DKVR_FUZZ=ON \
        -DKVR_GUI=OFF -DKVR_TESTS=OFF -DKVR_BENCH=OFF >/dev/null
    cmake --build "$build-fuzz" -j"$jobs"
    "$root/fuzz/smoke.sh" "$build-fuzz" 5
else
    echo "Fuzz smoke test skipped (no clang++ with libFuzzer, or KVR_FUZZ_SMOKE=0)"
fi

cmake -S "$root" -B "$build" -DKVR_TESTS=ON "${launcher[@]}" "$@" >/dev/null
cmake --build "$build" -j"$jobs"
# Widget tests need no display.
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build" --output-on-failure -j"$jobs"
