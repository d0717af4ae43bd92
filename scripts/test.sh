#!/bin/sh
# Installs what is missing, builds and runs every test.
set -eu
cd "$(dirname "$0")/.."
scripts/deps.sh test
cmake -S . -B build >/dev/null
cmake --build build --parallel "$(nproc)"
cd build
ctest --output-on-failure --parallel "$(nproc)"
