#!/bin/sh
# Runs the runtime contract on the Win32 runtime under Wine, on real windows
# of this script's X server, in a fresh private prefix. Runs under
# with-display.sh.
# Usage: contract-window.sh CONTRACT_TESTS_EXE
set -u
work=$(mktemp -d "${TMPDIR:-/tmp}/dravelo-contract.XXXXXX")
export WINEPREFIX="$work/prefix" WINEARCH=win64 WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe,winedbg.exe=d"
finish() {
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
    rm -rf "$work"
}
trap finish EXIT
trap 'exit 130' INT TERM

mkdir -p "$WINEPREFIX"
wineserver -p
wineboot --init >/dev/null 2>&1
wine "$1" --gtest_brief=1
