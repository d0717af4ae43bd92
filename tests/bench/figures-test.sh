#!/bin/sh
# The benchmark's bookkeeping, with a stand-in for the frame probe: a failed
# start is told, the benchmark goes on without it and pairs the other starts
# by round, and more failed starts than tolerated end it with a failure.
# Usage: figures-test.sh BENCH_DIR
set -eu
bench=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# The stand-in gives the next outcome of $work/outcomes at each call: a line
# of figures, or "fail". A run without a time limit is itself a fault.
probe="$work/probe"
cat >"$probe" <<'PROBE'
#!/bin/sh
outcomes=$(dirname "$0")/outcomes
n=$(($(cat "$outcomes.calls" 2>/dev/null || echo 0) + 1))
echo "$n" >"$outcomes.calls"
[ "$1" = --limit-ms ] && [ "$2" -gt 0 ] || { echo "frameprobe: run without a limit" >&2; exit 1; }
outcome=$(sed -n "${n}p" "$outcomes")
if [ "$outcome" = fail ]; then
    echo "frameprobe: prog drew no frame within the limit of $2 ms" >&2
    exit 1
fi
echo "$outcome"
PROBE
chmod +x "$probe"
BENCH_MAX_FAILED=1
. "$bench/figures.sh"

# Three rounds of "program" over "floor"; the program's second start fails.
cat >"$work/outcomes" <<'OUTCOMES'
start_ms=50 rss_kb=1000
start_ms=100 rss_kb=1100
start_ms=60 rss_kb=1000
fail
start_ms=100 rss_kb=1000
start_ms=300 rss_kb=1200
OUTCOMES
for round in 0 1 2; do
    measure floor "$round" -- prog
    measure program "$round" -- prog
done >"$work/told"
told=$(cat "$work/told")
echo "$told" | grep -q "^failed start: program, round 2: frameprobe: prog drew no frame within the limit of 10000 ms$" ||
    fail "the failed start was not told: $told"
[ "$(echo "$told" | wc -l)" -eq 1 ] || fail "more than the failed start was told: $told"
# Rounds 1 and 3 give 2 and 3; pairing by position would give 2 and 5.
[ "$(paired_ratio program floor start_ms)" = 2.5 ] ||
    fail "ratio of the rounds: $(paired_ratio program floor start_ms), expected 2.5"
[ "$(figure program rss_kb)" = 1150 ] || fail "median of the started: $(figure program rss_kb)"
failed_starts 6 | grep -q "^Failed starts: 1 of 6 " || fail "count of failed starts: $(failed_starts 6)"

# A second failure is more than tolerated: the benchmark stops, and says so.
echo fail >>"$work/outcomes"
if (measure program 3 -- prog) >"$work/out" 2>"$work/err"; then
    fail "went on past the tolerated failed starts"
fi
grep -q "2 starts failed, more than 1" "$work/err" || fail "did not say why it stopped: $(cat "$work/err")"

# A program none of whose starts drew has no figures: no verdict without them.
if (require floor never) 2>"$work/err"; then
    fail "a verdict without figures"
fi
grep -q "no start of never drew a frame" "$work/err" || fail "did not say which program: $(cat "$work/err")"
# The order of the programs turns round every other round.
start() { printf '%s%s ' "$1" "$2"; }
order=$(alternating_rounds 3 bare floor ours)
[ "$order" = "bare0 floor0 ours0 ours1 floor1 bare1 bare2 floor2 ours2 " ] || fail "order of the starts: $order"
echo "figures: ok"
