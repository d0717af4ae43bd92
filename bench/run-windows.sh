#!/bin/sh
# Start-up and memory benchmark of the Windows program: Morlane.exe against a
# bare Win32 window, plain and holding the cover's controls, all started in
# turn under Wine on Xvfb and openbox, timed from the outside.
# Usage: bench/run-windows.sh [path/to/Morlane.exe]
# Environment: BENCH_RUNS (rounds, default 20), BENCH_LIMIT_MS (the time
#              limit of one start, default 10000), BENCH_MAX_FAILED (failed
#              starts tolerated, default 3),
#              BENCH_SCREEN (default 640x480x24, the screen the designs are
#              laid out for), BENCH_BUILD (the probe's build dir),
#              BENCH_WINDOWS_BUILD (the bare window's cross build dir).
set -eu
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
morlane=${1:-$root/build-windows/Morlane.exe}
build=${BENCH_BUILD:-$root/build-bench}
windows_build=${BENCH_WINDOWS_BUILD:-$root/build-bench-windows}
runs=${BENCH_RUNS:-20}

if [ ! -f "$morlane" ]; then
    echo "bench: no program at $morlane (build it first: cmake --preset windows &&" \
        "cmake --build --preset windows, or pass its path)" >&2
    exit 2
fi
cmake -S "$here" -B "$build" >/dev/null
cmake --build "$build" --target frameprobe --parallel 2 >/dev/null
# The bare window is built as Morlane.exe is: same toolchain, same build type.
cmake -S "$here" -B "$windows_build" -DCMAKE_TOOLCHAIN_FILE="$root/cross/mingw-w64.cmake" >/dev/null
cmake --build "$windows_build" --parallel 2 >/dev/null
DRAVELO_SCREEN=${BENCH_SCREEN:-640x480x24} \
    "$root/tests/support/with-display.sh" "$here/measure-windows.sh" \
    "$build/frameprobe" "$windows_build/BareWindow.exe" "$morlane" "$runs"
