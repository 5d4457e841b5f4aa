#!/usr/bin/env bash
# Runs every fuzz target of a KVR_FUZZ build for a few seconds over its seed corpus, two at a
# time, and fails when any of them finds a crash or a broken property:
#   fuzz/smoke.sh <build folder> [seconds per target]
# New inputs go to a scratch folder, so the seed corpora stay as they are; a crashing input
# is kept as <build folder>/fuzz/artifacts/<target>-crash-<hash>.
set -euo pipefail
build=${1:?usage: fuzz/smoke.sh <build folder> [seconds per target]}
seconds=${2:-5}
parallel=${KVR_FUZZ_JOBS:-2}
dir="$build/fuzz"
scratch="$dir/smoke"
rm -rf "$scratch"
mkdir -p "$scratch" "$dir/artifacts"

run() {
    local name=$1
    mkdir -p "$scratch/$name"
    local rc=0
    "$dir/fuzz_$name" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="$dir/artifacts/$name-" \
        "$scratch/$name" "$dir/corpus/$name" >"$scratch/$name.log" 2>&1 || rc=$?
    echo "$rc" >"$scratch/$name.rc"
}

names=()
for program in "$dir"/fuzz_*; do
    [[ -x "$program" ]] && names+=("${program##*/fuzz_}")
done
if [[ ${#names[@]} -eq 0 ]]; then
    echo "No fuzz targets in $dir" >&2
    exit 1
fi

start=$SECONDS
for name in "${names[@]}"; do
    while [[ $(jobs -rp | wc -l) -ge $parallel ]]; do
        wait -n || true
    done
    run "$name" &
done
wait

failed=()
for name in "${names[@]}"; do
    rc=$(cat "$scratch/$name.rc")
    runs=$(awk '/stat::number_of_executed_units/ { print $2 }' "$scratch/$name.log")
    if [[ "$rc" == 0 ]]; then
        printf '  %-14s %8s runs  ok\n' "$name" "${runs:-?}"
    else
        printf '  %-14s %8s runs  FAILED (exit %s)\n' "$name" "${runs:-?}" "$rc"
        failed+=("$name")
    fi
done
echo "Fuzz smoke: ${#names[@]} targets, $((SECONDS - start)) s"
for name in "${failed[@]}"; do
    echo "---- fuzz_$name" >&2
    grep -E 'property broken|ERROR|runtime error|SUMMARY|Test unit written' \
        "$scratch/$name.log" >&2 || tail -20 "$scratch/$name.log" >&2
done
[[ ${#failed[@]} -eq 0 ]]
