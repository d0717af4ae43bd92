#!/bin/sh
# Installs what is missing, builds and starts Dravelo.
set -eu
cd "$(dirname "$0")/.."
scripts/deps.sh run
cmake -S . -B build -DDRAVELO_TESTS=OFF >/dev/null
cmake --build build --parallel "$(nproc)" --target dravelo
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "Dravelo needs a graphical display, and none is set (DISPLAY is empty)." >&2
    echo "Start it from a desktop session, or without one under a virtual X server:" >&2
    echo "    xvfb-run -a build/dravelo" >&2
    exit 1
fi
exec build/dravelo
