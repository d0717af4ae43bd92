#!/bin/sh
# Runs the runtime contract on the Win32 runtime under Wine, on real windows
# of this script's X server, in a fresh private prefix. Runs under
# with-display.sh.
# Usage: contract-window.sh CONTRACT_TESTS_EXE
set -u
. "$(dirname "$0")/wine-prefix.sh"
work=$(mktemp -d "${TMPDIR:-/tmp}/dravelo-contract.XXXXXX")
wine_prefix_scratch "$work"

wine_prefix_start
wine "$1" --gtest_brief=1
