#!/bin/sh
# Configures the Windows cross build of the tree and builds the given
# targets, or all of them. The Windows test run and the Windows journeys
# both build through here, into the same folder, so that there is one build.
# Usage: cross-build.sh SOURCE_DIR CROSS_BUILD_DIR [TARGET...]
set -eu

source_dir=$1
build_dir=$2
shift 2

# Light optimisation without debug information more than halves the build
# time; assertions stay on.
mkdir -p "$build_dir"
log="$build_dir/cross-build.log"
if ! { cmake -S "$source_dir" -B "$build_dir" -DCMAKE_TOOLCHAIN_FILE="$source_dir/cross/mingw-w64.cmake" \
        -DDRAVELO_GUI=OFF -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE=-O1 \
        -DCMAKE_CROSSCOMPILING_EMULATOR=wine &&
    cmake --build "$build_dir" --parallel 2 ${1+--target "$@"}; } >"$log" 2>&1; then
    cat "$log"
    echo "the Windows build failed" >&2
    exit 1
fi
