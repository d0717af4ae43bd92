#!/bin/sh
# Runs inside the X server of bench/run-windows.sh: prepares one warm Wine
# prefix, starts the bare Win32 window, the bare window with the cover's
# controls and Morlane.exe in turn in it, and prints medians and ratios.
# Usage: measure-windows.sh FRAMEPROBE BARE_EXE MORLANE_EXE RUNS
set -eu
probe=$1
bare=$2
morlane=$3
runs=$4
# Drawing pauses longer than this end a program's first frame under Wine.
complete_ms=200
# Between two starts.
pause_s=0.3
work=$(mktemp -d "${TMPDIR:-/tmp}/dravelo-bench.XXXXXX")
. "$(dirname "$0")/figures.sh"

# The locale is fixed when the wineserver starts: the program's own.
LANG=it_IT.UTF-8
LC_ALL=it_IT.UTF-8
export LANG LC_ALL
. "$(dirname "$0")/../tests/platform/win32/wine-prefix.sh"
wine_prefix_scratch "$work"

# One prefix and one persistent server for every start.
wine_prefix_start
# Wine's desktop process and services end soon after the prefix's last
# program, and the next program then waits seconds for them to start again.
# A console program waiting on a pipe that is never written keeps them up.
mkfifo "$work/keep"
wine cmd.exe /c pause <"$work/keep" >/dev/null 2>&1 &
exec 4>"$work/keep"

# One unmeasured start of each starts the desktop and fills the disk cache.
"$probe" --limit-ms "$limit_ms" -- wine "$bare" >/dev/null 2>&1 || true
"$probe" --limit-ms "$limit_ms" -- wine "$morlane" >/dev/null 2>&1 || true

# start NAME ROUND: one measured start of NAME, once the previous program's
# end has been dealt with by Wine, X and the window manager
start() {
    sleep "$pause_s"
    case $1 in
    bare) measure bare "$2" --complete-ms "$complete_ms" -- wine "$bare" ;;
    cover) measure cover "$2" --complete-ms "$complete_ms" -- wine "$bare" cover ;;
    morlane) measure morlane "$2" --complete-ms "$complete_ms" -- wine "$morlane" ;;
    esac
}

alternating_rounds "$runs" bare cover morlane

require bare cover morlane
over_bare_first=$(paired_ratio morlane bare start_ms) || true
over_bare_ms=$(paired_ratio morlane bare complete_ms) || true
over_bare_kb=$(paired_ratio morlane bare rss_kb) || true
over_cover_first=$(paired_ratio morlane cover start_ms) || true
over_cover_ms=$(paired_ratio morlane cover complete_ms) || true
over_cover_kb=$(paired_ratio morlane cover rss_kb) || true
if [ -z "$over_cover_ms" ] || [ -z "$over_bare_ms" ]; then
    echo "bench: no round in which every program drew a frame: no ratios" >&2
    exit 1
fi

LC_ALL=C awk -v runs="$runs" -v gap="$complete_ms" -v ttarget="$time_target" -v mtarget="$memory_target" \
    -v bfirst="$(figure bare start_ms)" -v bms="$(figure bare complete_ms)" -v bkb="$(figure bare rss_kb)" \
    -v cfirst="$(figure cover start_ms)" -v cms="$(figure cover complete_ms)" -v ckb="$(figure cover rss_kb)" \
    -v mfirst="$(figure morlane start_ms)" -v mms="$(figure morlane complete_ms)" -v mkb="$(figure morlane rss_kb)" \
    -v pbfirst="$over_bare_first" -v pbms="$over_bare_ms" -v pbkb="$over_bare_kb" \
    -v pcfirst="$over_cover_first" -v pcms="$over_cover_ms" -v pckb="$over_cover_kb" \
    -v bfast="$(fastest bare complete_ms)" -v cfast="$(fastest cover complete_ms)" \
    -v mfast="$(fastest morlane complete_ms)" \
    'BEGIN {
    printf "Under Wine, medians over %d rounds, failed starts left out (exec to first drawing and\n", runs
    printf "to first frame, complete after %d ms without drawing; peak resident memory)\n", gap
    printf "                          first drawing   first frame   peak memory\n"
    printf "  bare Win32 window       %10.1f ms %10.1f ms %9.1f MiB\n", bfirst, bms, bkb / 1024
    printf "  bare, cover'"'"'s controls  %10.1f ms %10.1f ms %9.1f MiB\n", cfirst, cms, ckb / 1024
    printf "  Morlane.exe             %10.1f ms %10.1f ms %9.1f MiB\n", mfirst, mms, mkb / 1024
    printf "Morlane.exe over each floor\n"
    printf "  bare Win32 window\n"
    printf "    ratio of medians      %10.2f    %10.2f    %9.2f\n", mfirst / bfirst, mms / bms, mkb / bkb
    printf "    median ratio of rounds%10.2f    %10.2f    %9.2f\n", pbfirst, pbms, pbkb
    printf "  bare, cover'"'"'s controls (the floor of the verdict)\n"
    printf "    ratio of medians      %10.2f    %10.2f    %9.2f\n", mfirst / cfirst, mms / cms, mkb / ckb
    printf "    median ratio of rounds%10.2f    %10.2f    %9.2f      (targets: frame <= %.2f, memory <= %.2f)\n", \
        pcfirst, pcms, pckb, ttarget, mtarget
    printf "  time target %s, memory target %s (median ratio of the starts of each round, over the bare window with the cover'"'"'s controls)\n", \
        (pcms <= ttarget ? "met" : "MISSED"), (pckb <= mtarget ? "met" : "MISSED")
    printf "Fastest first frame: bare %.1f ms, with the cover'"'"'s controls %.1f ms, Morlane.exe %.1f ms (%.2f of the cover'"'"'s)\n", \
        bfast, cfast, mfast, mfast / cfast
}'
failed_starts $((runs * 3))
