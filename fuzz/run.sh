#!/bin/sh
# Builds the fuzzers with clang and runs each for a bounded time over the seed
# corpus kept in fuzz/corpus; inputs found on the way go to a scratch folder,
# so the kept corpus changes only by hand. A crashing input is kept in the
# build folder and its name printed.
# Usage: fuzz/run.sh [seconds-per-target]   Environment: FUZZ_BUILD (build dir)
set -eu
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
seconds=${1:-30}
build=${FUZZ_BUILD:-$root/build-fuzz}
targets="number_text report"

cmake -S "$here" -B "$build" -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$build" --parallel 2 >/dev/null

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
status=0
for target in $targets; do
    mkdir "$scratch/$target"
    log="$scratch/$target.log"
    if "$build/fuzz_$target" -max_total_time="$seconds" -print_final_stats=1 -max_len=4096 \
        -timeout=10 -rss_limit_mb=2048 -artifact_prefix="$build/crash-$target-" \
        "$scratch/$target" "$here/corpus/$target" >"$log" 2>&1; then
        result=passed
    else
        result=FAILED
        status=1
        tail -n 40 "$log" >&2
    fi
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
    echo "fuzz_$target: $result, ${runs:-?} inputs in ${seconds} s (${rate:-?} per second)"
done
exit $status
