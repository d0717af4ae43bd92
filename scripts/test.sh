#!/bin/sh
# Installs what is missing, builds and runs every test: first the release
# build with all tests (window, print queue, Windows under Wine, fuzzers,
# package), then the same program built with AddressSanitizer and
# UndefinedBehaviorSanitizer and its tests run again under them.
set -eu
cd "$(dirname "$0")/.."
scripts/deps.sh test
jobs=$(nproc)

cmake --preset default >/dev/null
cmake --build --preset default --parallel "$jobs"
ctest --preset default --parallel "$jobs"

# Under the sanitizers, leave out what does not run our code in this
# process's build: the Windows cross build and its journeys, the Wayland
# journeys (run as another user, who gets no sanitizer report through ctest),
# the fuzzers (sanitized builds of their own), the package, the long
# robustness run and the benchmark script's check.
cmake --preset asan >/dev/null
cmake --build --preset asan --parallel "$jobs"
ctest --preset asan --parallel "$jobs" --exclude-regex '^(windows_under_wine|e2e_win32_|e2e_wayland_|fuzz\.|package\.|robust\.|bench\.)'
