#!/bin/sh
# The real program under abuse from outside: 1 MB of text pasted into every
# field, "&Calcola" pressed 200 times, saves under names that cannot be
# written, prints with no print server. The program must stay up with its
# window, and its resident memory must stay flat once warmed up.
# Usage (under with-display.sh): robustness.sh DRAVELO
set -u
e2e_dir=$(cd "$(dirname "$0")/../e2e" && pwd)
. "$e2e_dir/lib.sh"
program=$1
begin_run

# Growth of resident memory allowed from the warmed-up state to the end.
allowed_growth_kb=16384
pastes_kb=1024
# A single-line field may cut the first line of a paste short, though not
# below this (in the report of a save).
least_pasted=30000
calcola_presses=200

rss_kb() {
    awk '/^VmRSS:/ { print $2 }' "/proc/$pid/status"
}

# Waits (bounded) until the program is mostly idle: below half a core over a
# second. (A field holding a huge text costs some time at every blink of its
# cursor, so it is never fully idle.)
idle_ticks_per_second=50
wait_idle() {
    n=0
    last=$(awk '{ print $14 + $15 }' "/proc/$pid/stat" 2>/dev/null)
    while [ $n -lt 120 ]; do
        sleep 1
        now=$(awk '{ print $14 + $15 }' "/proc/$pid/stat" 2>/dev/null)
        [ -n "$now" ] || fail "the program ended (or crashed)"
        [ $((now - last)) -lt "$idle_ticks_per_second" ] && return 0
        last=$now
        n=$((n + 1))
    done
    fail "the program stays busy"
}

alive() {
    program_running || fail "the program ended (or crashed) $1"
    find_window Folim >/dev/null || fail "the calculation window is gone $1"
}

# Answers every message box that comes up (bounded), with its default button;
# boxes counts them.
boxes=0
dismiss_boxes() {
    wait_idle
    n=0
    while [ $n -lt 50 ]; do
        if ! box=$(find_window "$message_box"); then
            sleep 0.3
            find_window "$message_box" >/dev/null || return 0
            continue
        fi
        xdotool windowactivate --sync "$box" 2>/dev/null
        key Return
        n=$((n + 1))
        boxes=$((boxes + 1))
    done
    fail "message boxes keep coming"
}

# 1 MiB of mixed text: digits, commas, letters outside ASCII and blanks,
# first as one long line, then as lines ended by CR LF. A single-line field
# keeps the text up to the first line break, which must still be long; each
# line ends in a digit, so that no point is the last character.
make_text() {
    sample="12345,678 $(printf '\303\250\303\271\342\202\254') abc -9E+99 (1.5) "
    yes "$sample" | tr -d '\n' | head -c $((pastes_kb * 512))
    printf '0\r\n'
    yes "${sample}0$(printf '\r')" | head -c $((pastes_kb * 512))
    printf '0'
}

# No printer: the scheduler's socket does not exist.
CUPS_SERVER=$workdir/no-cups/socket
export CUPS_SERVER
start_program "${LANG:-it_IT.UTF-8}"
open_calculation

make_text >"$workdir/paste.txt"
# Text1 has the focus; Enter walks the fields and ends on "&Calcola". The
# paste is fetched whole before the Enter behind it is handled. A field that
# refuses the text is emptied and keeps the focus: then a plain number lets
# the walk go on.
for field in 1 2 3 4 5 6; do
    xclip -selection clipboard <"$workdir/paste.txt"
    key ctrl+v Return
    dismiss_boxes
    alive "after pasting into field $field"
    if [ "$field" -gt 1 ]; then
        key ctrl+a
        type_text "5"
        key Return
        dismiss_boxes
    fi
done
alive "after the pastes"

# A save that works shows the pasted fuel name arrived whole enough.
key alt+s
wait_window "$input_box" >/dev/null || fail "Salva showed no input box"
type_text "pasted"
key Return
dismiss_boxes
saved=$(wc -c <"$workdir/pasted.TXT" 2>/dev/null || echo 0)
[ "$saved" -ge "$least_pasted" ] || fail "the report of the pasted fields has only $saved bytes"
rm -f "$workdir/pasted.TXT"

# Warm up, then the long run; Calcola has the focus after the last Enter.
xdotool key --delay 10 --repeat 20 space
wait_idle
dismiss_boxes
warm_kb=$(rss_kb)
xdotool key --delay 10 --repeat "$calcola_presses" space
wait_idle
dismiss_boxes
alive "after pressing Calcola $calcola_presses times"

# Saves that cannot be written: into a missing folder, over a folder, a name
# too long for the file system, into /proc.
mkdir "$workdir/folder.TXT"
long_name=$(printf '%0300d' 0)
for round in 1 2; do
    for name in "missing/report" "folder" "$long_name" "/proc/dravelo"; do
        key alt+s
        wait_window "$input_box" >/dev/null || fail "Salva showed no input box"
        xdotool type --delay 2 -- "$name"
        key Return
        boxes=0
        dismiss_boxes
        alive "after saving as '$name' (round $round)"
        [ "$boxes" -ge 1 ] || fail "saving as '$name' failed without a word"
    done
done
written=$(find "$workdir" -name '*.TXT' ! -name folder.TXT)
[ -z "$written" ] || fail "an unwritable save left a file: $written"

# Printing without a print server.
for round in 1 2 3 4 5; do
    key alt+p
    boxes=0
    dismiss_boxes
    alive "after printing with no printer (round $round)"
    [ "$boxes" -ge 1 ] || fail "printing with no printer failed without a word"
done

# Once more the long run, to compare memory after everything.
xdotool key --delay 10 --repeat "$calcola_presses" space
wait_idle
dismiss_boxes
alive "at the end"
end_kb=$(rss_kb)
echo "resident memory: ${warm_kb} KiB warmed up, ${end_kb} KiB at the end"
# AddressSanitizer holds freed memory back (its quarantine), so resident
# memory says nothing there; its leak check at the exit below does instead.
if ! ldd "$program" | grep -q libasan; then
    [ $((end_kb - warm_kb)) -le "$allowed_growth_kb" ] ||
        fail "resident memory grew from ${warm_kb} KiB to ${end_kb} KiB"
fi

end_program_with_esci
echo "PASS: the program stayed up through pastes, $calcola_presses presses of Calcola, failed saves and prints"
