#!/bin/sh
# Builds the toolkit-free part of the tree for 64-bit Windows and runs every
# test of that build through ctest, with Wine as the emulator, in one fresh
# private prefix that is removed afterwards.
# Usage: run-under-wine.sh SOURCE_DIR CROSS_BUILD_DIR
set -eu

source_dir=$1
build_dir=$2

sh "$(dirname "$0")/cross-build.sh" "$source_dir" "$build_dir"

# Headless: the tests that need windows start their own X server.
unset DISPLAY WAYLAND_DISPLAY
. "$(dirname "$0")/wine-prefix.sh"
wine_prefix_use "$(mktemp -d "${TMPDIR:-/tmp}/dravelo-wine.XXXXXX")"

finish() {
    wine_prefix_stop
    rm -rf "$WINEPREFIX"
}
trap finish EXIT
trap 'exit 130' INT TERM

wine_prefix_start

ctest --test-dir "$build_dir" --output-on-failure --no-tests=error
