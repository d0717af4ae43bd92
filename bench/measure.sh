#!/bin/sh
# Runs inside the X server of bench/run.sh: starts the bare window and
# Dravelo alternately, then drives Dravelo through "&Continua" and "&Calcola",
# and prints medians and ratios.
# Usage: measure.sh BENCH_BUILD DRAVELO RUNS
set -eu
build=$1
dravelo=$2
runs=$3
probe="$build/frameprobe"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Both programs see the same private runtime directory.
XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
export XDG_RUNTIME_DIR

. "$(dirname "$0")/figures.sh"

# One unmeasured start of each fills the disk cache.
"$probe" -- "$build/bare" >/dev/null 2>&1 || true
"$probe" -- "$dravelo" >/dev/null 2>&1 || true

i=0
while [ "$i" -lt "$runs" ]; do
    measure bare -- "$build/bare"
    measure dravelo -- "$dravelo"
    i=$((i + 1))
done
i=0
while [ "$i" -lt "$runs" ]; do
    measure interact --interact -- "$dravelo"
    i=$((i + 1))
done

bare_ms=$(figure bare start_ms)
bare_kb=$(figure bare rss_kb)
dravelo_ms=$(figure dravelo start_ms)
dravelo_kb=$(figure dravelo rss_kb)
awk -v runs="$runs" -v bms="$bare_ms" -v bkb="$bare_kb" -v dms="$dravelo_ms" -v dkb="$dravelo_kb" \
    -v cont="$(figure interact continua_ms)" -v calc="$(figure interact calcola_ms)" \
    -v px="$(figure interact result_px)" 'BEGIN {
    printf "Medians of %d starts each (exec to first frame; peak resident memory)\n", runs
    printf "  bare Qt window   %8.1f ms   %8.1f MiB\n", bms, bkb / 1024
    printf "  Dravelo          %8.1f ms   %8.1f MiB\n", dms, dkb / 1024
    tr = dms / bms; mr = dkb / bkb
    printf "  ratio            %8.2f      %8.2f       (targets: time <= 1.15, memory <= 1.10)\n", tr, mr
    printf "  time target %s, memory target %s\n", (tr <= 1.15 ? "met" : "MISSED"), (mr <= 1.10 ? "met" : "MISSED")
    printf "Dravelo, medians of %d runs\n", runs
    printf "  \"&Continua\" to the calculation window'"'"'s first frame  %8.1f ms\n", cont
    printf "  \"&Calcola\" to the frame showing the result            %8.1f ms\n", calc
    if (px <= 0) print "  warning: no result was seen in the result field"
}'
