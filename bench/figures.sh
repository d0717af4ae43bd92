# Shared by the measuring scripts (sourced): one line of probe figures per
# start, appended to a file per program in $work, their medians and the
# ratios of the starts of each round, and the failed starts.
# Needs $probe (the frame probe) and $work (a scratch directory).
# Environment: BENCH_LIMIT_MS (the time limit of one start, default 10000),
#              BENCH_MAX_FAILED (failed starts tolerated, default 3).

# The targets, over the floor made like the program: median of the ratios of
# the starts of each round.
time_target=1.10
memory_target=1.10

limit_ms=${BENCH_LIMIT_MS:-10000}
max_failed=${BENCH_MAX_FAILED:-3}
for number in "$limit_ms" "$max_failed"; do
    case $number in
    '' | *[!0-9]*)
        echo "bench: BENCH_LIMIT_MS and BENCH_MAX_FAILED are whole numbers" >&2
        exit 2
        ;;
    esac
done
failed=0

# alternating_rounds RUNS NAME...: calls the script's `start NAME ROUND` for
# each program in each round. The order turns round every other round, so that
# no program always follows the same one. (Its variables are its own: the
# shell has no locals, and measure sets `round`.)
alternating_rounds() {
    alt_runs=$1
    shift
    alt_round=0
    while [ "$alt_round" -lt "$alt_runs" ]; do
        if [ $((alt_round % 2)) -eq 0 ]; then
            for alt_program in "$@"; do start "$alt_program" "$alt_round"; done
        else
            for alt_program in $(printf '%s\n' "$@" | tac); do start "$alt_program" "$alt_round"; done
        fi
        alt_round=$((alt_round + 1))
    done
}

# measure NAME ROUND PROBE-OPTIONS... -- PROGRAM...: appends one line of
# figures of the start, or counts it as failed. More failed starts than
# tolerated end the benchmark: its figures would then mislead.
measure() {
    name=$1
    round=$2
    shift 2
    : >"$work/stderr"
    if line=$("$probe" --limit-ms "$limit_ms" "$@" 2>"$work/stderr"); then
        echo "round=$round $line" >>"$work/$name"
        return
    fi
    failed=$((failed + 1))
    echo "failed start: $name, round $((round + 1)): $(paste -s -d ' ' "$work/stderr")"
    if [ "$failed" -gt "$max_failed" ]; then
        echo "bench: $failed starts failed, more than $max_failed: no figures" >&2
        exit 1
    fi
}

# values NAME KEY: KEY of each run of NAME, one a line, in the order of the
# runs (the probe writes decimal points whatever the locale)
values() {
    [ -f "$work/$1" ] || return 0
    tr ' ' '\n' <"$work/$1" | sed -n "s/^$2=//p"
}

# median: of the numbers on standard input
median() {
    LC_ALL=C sort -n |
        LC_ALL=C awk '{ v[NR] = $1 } END { if (NR == 0) exit 1; print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

# figure NAME KEY: median of KEY over the runs of NAME
figure() {
    values "$1" "$2" | median
}

# fastest NAME KEY: the lowest KEY over the runs of NAME, the start least
# slowed by other work on the machine
fastest() {
    values "$1" "$2" | LC_ALL=C sort -n | head -n 1
}

# paired_ratio NAME OVER KEY: median over the rounds of KEY of NAME divided by
# KEY of OVER in the same round. The two started one after the other, so a
# slow spell of the machine weighs on both sides of a ratio alike. Rounds in
# which either start failed are left out.
paired_ratio() {
    [ -f "$work/$1" ] && [ -f "$work/$2" ] || return 1
    LC_ALL=C awk -v key="$3" '
        {
            round = ""; value = ""
            for (i = 1; i <= NF; i++) {
                split($i, pair, "=")
                if (pair[1] == "round") round = pair[2]
                else if (pair[1] == key) value = pair[2]
            }
        }
        FILENAME == ARGV[1] { over[round] = value; next }
        (round in over) && value != "" && over[round] > 0 { print value / over[round] }' \
        "$work/$2" "$work/$1" | median
}

# require NAME...: ends the benchmark unless every NAME has figures
require() {
    for name in "$@"; do
        if [ ! -s "$work/$name" ]; then
            echo "bench: no start of $name drew a frame: no figures" >&2
            exit 1
        fi
    done
}

# failed_starts TOTAL: the line that tells how many of TOTAL starts failed
failed_starts() {
    echo "Failed starts: $failed of $1 (no frame, or no end, within the limit of a start: $limit_ms ms)"
}
