#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test.
#   scripts/test.sh [extra cmake options]   e.g. -DKVR_SANITIZE=ON
# Stages, each run even when an earlier one failed: no core file includes Qt; every C++ file
# is formatted as .clang-format says; the core alone (-DKVR_GUI=OFF, in "<build>-core") builds
# and passes its tests; when Clang with libFuzzer is there, every fuzz target runs for a few
# seconds (in "<build>-fuzz"; KVR_FUZZ_SMOKE=0 skips it); last the full build and its tests.
# The failed stages are listed before the full build's tests, whose CTest summary comes last;
# the exit status is non-zero when any stage failed.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh" || exit 1

build="${KVR_BUILD_DIR:-$root/build}"
jobs=$(nproc)
launcher=()
if command -v ccache >/dev/null; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi

failed=()
stage() {
    local name=$1
    shift
    echo "==== $name"
    "$@" || failed+=("$name")
}

# Qt lives only in the ui/ folders.
qt_outside_ui() {
    local found
    found=$(cd "$root" && grep -rln '#include <Q' platform db history drill app editor install \
        2>/dev/null | grep -v '/ui/')
    [[ -z "$found" ]] && return 0
    echo "Qt included by core files (move the code to a ui/ folder):" >&2
    echo "$found" >&2
    return 1
}

# Every C++ source and header outside the build folders.
format_check() {
    (cd "$root" && find . \( -name 'build*' -o -name '.git' \) -prune -o \
        \( -name '*.cpp' -o -name '*.h' \) -print0 | xargs -0 clang-format --dry-run -Werror)
}

# The core without Qt, so a Qt dependency cannot creep into it unnoticed.
core_build_and_tests() {
    cmake -S "$root" -B "$build-core" -DKVR_TESTS=ON "${launcher[@]}" "${cmake_args[@]}" \
        -DKVR_GUI=OFF -DKVR_BENCH=OFF >/dev/null \
        && cmake --build "$build-core" -j"$jobs" \
        && ctest --test-dir "$build-core" --output-on-failure -j"$jobs"
}

# Each fuzz target a few seconds over its seeds; a crash fails the stage.
fuzz_smoke() {
    local probe='extern "C" int LLVMFuzzerTestOneInput(const unsigned char *, unsigned long) { return 0; }'
    if [[ "${KVR_FUZZ_SMOKE:-1}" == 0 ]] || ! command -v clang++ >/dev/null \
        || ! clang++ -x c++ -fsanitize=fuzzer -o /dev/null - <<<"$probe" 2>/dev/null; then
        echo "Fuzz smoke test skipped (no clang++ with libFuzzer, or KVR_FUZZ_SMOKE=0)"
        return 0
    fi
    CC=clang CXX=clang++ cmake -S "$root" -B "$build-fuzz" "${launcher[@]}" -DKVR_FUZZ=ON \
        -DKVR_GUI=OFF -DKVR_TESTS=OFF -DKVR_BENCH=OFF >/dev/null \
        && cmake --build "$build-fuzz" -j"$jobs" \
        && "$root/fuzz/smoke.sh" "$build-fuzz" 5
}

full_build() {
    cmake -S "$root" -B "$build" -DKVR_TESTS=ON "${launcher[@]}" "${cmake_args[@]}" >/dev/null \
        && cmake --build "$build" -j"$jobs"
}

cmake_args=("$@")
stage "no Qt in the core" qt_outside_ui
stage "format" format_check
stage "core build and tests" core_build_and_tests
stage "fuzz smoke" fuzz_smoke
stage "full build" full_build

if [[ ${#failed[@]} -gt 0 ]]; then
    echo "==== failed stages:" >&2
    printf '  %s\n' "${failed[@]}" >&2
fi
tests_rc=0
if [[ -f "$build/CTestTestfile.cmake" ]]; then
    echo "==== full tests"
    # Widget tests need no display.
    QT_QPA_PLATFORM=offscreen ctest --test-dir "$build" --output-on-failure -j"$jobs" || tests_rc=$?
else
    echo "==== full tests: not run (the full build was not configured)" >&2
    tests_rc=1
fi
[[ ${#failed[@]} -eq 0 && $tests_rc -eq 0 ]]
