#!/bin/sh
# Runs inside the X server of bench/run.sh: starts the bare window, the bare
# window maximized and Dravelo in turn, then drives Dravelo through
# "&Continua" and "&Calcola", and prints medians and ratios.
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
# A driven run shows two windows and types into one: twice a start's limit.
interact_limit_ms=$((limit_ms * 2))

# One unmeasured start of each fills the disk cache.
"$probe" --limit-ms "$limit_ms" -- "$build/bare" >/dev/null 2>&1 || true
"$probe" --limit-ms "$limit_ms" -- "$dravelo" >/dev/null 2>&1 || true

# start NAME ROUND: one measured start of NAME
start() {
    case $1 in
    bare) measure bare "$2" -- "$build/bare" ;;
    maximized) measure maximized "$2" -- "$build/bare" maximized ;;
    dravelo) measure dravelo "$2" -- "$dravelo" ;;
    esac
}

alternating_rounds "$runs" bare maximized dravelo
i=0
while [ "$i" -lt "$runs" ]; do
    measure interact "$i" --limit-ms "$interact_limit_ms" --interact -- "$dravelo"
    i=$((i + 1))
done

require bare maximized dravelo interact
over_bare_ms=$(paired_ratio dravelo bare start_ms) || true
over_bare_kb=$(paired_ratio dravelo bare rss_kb) || true
over_maximized_ms=$(paired_ratio dravelo maximized start_ms) || true
over_maximized_kb=$(paired_ratio dravelo maximized rss_kb) || true
if [ -z "$over_maximized_ms" ] || [ -z "$over_bare_ms" ]; then
    echo "bench: no round in which every program drew a frame: no ratios" >&2
    exit 1
fi

LC_ALL=C awk -v runs="$runs" -v ttarget="$time_target" -v mtarget="$memory_target" \
    -v bms="$(figure bare start_ms)" -v bkb="$(figure bare rss_kb)" \
    -v xms="$(figure maximized start_ms)" -v xkb="$(figure maximized rss_kb)" \
    -v dms="$(figure dravelo start_ms)" -v dkb="$(figure dravelo rss_kb)" \
    -v pbms="$over_bare_ms" -v pbkb="$over_bare_kb" -v pxms="$over_maximized_ms" -v pxkb="$over_maximized_kb" \
    -v cont="$(figure interact continua_ms)" -v calc="$(figure interact calcola_ms)" \
    -v px="$(figure interact result_px)" 'BEGIN {
    printf "Medians over %d rounds, failed starts left out (exec to first frame; peak resident memory)\n", runs
    printf "  bare Qt window              %8.1f ms   %8.1f MiB\n", bms, bkb / 1024
    printf "  bare Qt window, maximized   %8.1f ms   %8.1f MiB\n", xms, xkb / 1024
    printf "  Dravelo                     %8.1f ms   %8.1f MiB\n", dms, dkb / 1024
    printf "Dravelo over each floor       first frame   peak memory\n"
    printf "  bare Qt window\n"
    printf "    ratio of medians          %8.2f      %8.2f\n", dms / bms, dkb / bkb
    printf "    median ratio of rounds    %8.2f      %8.2f\n", pbms, pbkb
    printf "  bare Qt window, maximized (the floor of the verdict)\n"
    printf "    ratio of medians          %8.2f      %8.2f\n", dms / xms, dkb / xkb
    printf "    median ratio of rounds    %8.2f      %8.2f       (targets: time <= %.2f, memory <= %.2f)\n", \
        pxms, pxkb, ttarget, mtarget
    printf "  time target %s, memory target %s (median ratio of the starts of each round, over the bare window maximized)\n", \
        (pxms <= ttarget ? "met" : "MISSED"), (pxkb <= mtarget ? "met" : "MISSED")
    printf "Dravelo driven by keyboard, medians over %d runs, failed runs left out\n", runs
    printf "  \"&Continua\" to the calculation window'"'"'s first frame  %8.1f ms\n", cont
    printf "  \"&Calcola\" to the frame showing the result            %8.1f ms\n", calc
    if (px <= 0) print "  warning: no result was seen in the result field"
}'
failed_starts $((runs * 4))
