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

# figure NAME KEY: median of KEY over the runs of NAME (the probe writes
# decimal points whatever the locale)
figure() {
    tr ' ' '\n' <"$work/$1" | sed -n "s/^$2=//p" | LC_ALL=C sort -n |
        LC_ALL=C awk '{ v[NR] = $1 } END { if (NR == 0) exit 1; print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

# fastest NAME KEY: the lowest KEY over the runs of NAME, the start least
# slowed by other work on the machine
fastest() {
    tr ' ' '\n' <"$work/$1" | sed -n "s/^$2=//p" | LC_ALL=C sort -n | head -n 1
}
