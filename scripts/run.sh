#!/usr/bin/env bash
# Installs what is missing, builds the programs and their data (no tests, no benchmarks) and
# starts the study program on the shipped data.
#   scripts/run.sh [Kvr arguments]   e.g. /Autorun=10 /s "英単語/中学１年/基本の動詞"
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"

build="${KVR_BUILD_DIR:-$root/build}"
cmake -S "$root" -B "$build" >/dev/null
cmake --build "$build" -j"$(nproc)" --target kvr_programs

if [[ ! -x "$build/bin/Kvr" ]]; then
    echo "The build has no $build/bin/Kvr (configured with -DKVR_GUI=OFF?)." >&2
    exit 1
fi
exec "$build/bin/Kvr" "$@"
