#!/bin/sh
# Start-up and memory benchmark: Dravelo against a bare Qt Widgets window, at
# its own size and maximized, all started in turn under Xvfb and openbox,
# timed from the outside.
# Usage: bench/run.sh [path/to/dravelo]
# Environment: BENCH_RUNS (rounds, default 20), BENCH_LIMIT_MS (the time
#              limit of one start, default 10000), BENCH_MAX_FAILED (failed
#              starts tolerated, default 3),
#              BENCH_SCREEN (default 640x480x24, the screen the designs are
#              laid out for), BENCH_BUILD (build dir).
set -eu
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
dravelo=${1:-$root/build/dravelo}
build=${BENCH_BUILD:-$root/build-bench}
runs=${BENCH_RUNS:-20}

if [ ! -x "$dravelo" ]; then
    echo "bench: no program at $dravelo (build it first, or pass its path)" >&2
    exit 2
fi
cmake -S "$here" -B "$build" >/dev/null
cmake --build "$build" --parallel 2 >/dev/null
DRAVELO_SCREEN=${BENCH_SCREEN:-640x480x24} \
    "$root/tests/support/with-display.sh" "$here/measure.sh" "$build" "$dravelo" "$runs"
