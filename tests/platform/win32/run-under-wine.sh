#!/bin/sh
# Builds the toolkit-free part of the tree for 64-bit Windows and runs every
# test of that build through ctest, with Wine as the emulator, in one fresh
# private prefix that is removed afterwards.
# Usage: run-under-wine.sh SOURCE_DIR CROSS_BUILD_DIR
set -eu

source_dir=$1
build_dir=$2

sh "$(dirname "$0")/cross-build.sh" "$source_dir" "$build_dir"

# Quiet and headless: no display, no Mono or Gecko installers, no menu
# entries, no debugger on a crash.
unset DISPLAY WAYLAND_DISPLAY
export WINEARCH=win64 WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe,winedbg.exe=d"
WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/dravelo-wine.XXXXXX")
export WINEPREFIX

finish() {
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
    rm -rf "$WINEPREFIX"
}
trap finish EXIT
trap 'exit 130' INT TERM

# A persistent server keeps the prefix warm between the test programs.
wineserver -p
wineboot --init >/dev/null 2>&1

ctest --test-dir "$build_dir" --output-on-failure --no-tests=error
