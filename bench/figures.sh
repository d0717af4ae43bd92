# Shared by the measuring scripts (sourced): one line of probe figures per
# start, appended to a file per program in $work, and their medians.
# Needs $probe (the frame probe) and $work (a scratch directory).

# measure NAME PROBE-OPTIONS... -- PROGRAM...: appends one line of figures
measure() {
    name=$1
    shift
    if ! line=$("$probe" "$@" 2>>"$work/stderr"); then
        echo "bench: $name failed:" >&2
        cat "$work/stderr" >&2
        exit 1
    fi
    echo "$line" >>"$work/$name"
}

# values NAME KEY: KEY of each run of NAME, one a line, in the order of the
# runs (the probe writes decimal points whatever the locale)
values() {
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
# slow spell of the machine weighs on both sides of a ratio alike.
paired_ratio() {
    values "$1" "$3" >"$work/paired.a"
    values "$2" "$3" >"$work/paired.b"
    paste -d ' ' "$work/paired.a" "$work/paired.b" |
        LC_ALL=C awk 'NF == 2 && $2 > 0 { print $1 / $2 }' | median
}
