#!/usr/bin/env bash
# Installs what is missing, builds the study program and starts it on the shipped data.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"

build="${KVR_BUILD_DIR:-$root/build}"
cmake -S "$root" -B "$build" >/dev/null
cmake --build "$build" -j"$(nproc)"

if [[ -x "$build/bin/Kvr" ]]; then
    exec "$build/bin/Kvr" "$@"
fi
cat <<MSG
Built the core libraries, their tests and benchmarks; the shipped data is in $build/bin.
The study program's window is not part of this build yet, so there is nothing to start.
Run the tests with scripts/test.sh, the benchmarks from $build/bench/.
MSG
