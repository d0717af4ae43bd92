#!/bin/sh
# Builds with AddressSanitizer and UndefinedBehaviorSanitizer (the asan
# preset, in build-asan) and runs every test under them, window tests
# included. Any sanitizer report fails its test; leaks are reported except
# those of third-party libraries listed in scripts/lsan-suppressions.txt.
set -eu
cd "$(dirname "$0")/.."
scripts/deps.sh test
cmake --preset asan >/dev/null
cmake --build --preset asan --parallel "$(nproc)"
ctest --preset asan --parallel "$(nproc)"
