#!/bin/sh
# Runs the print queue test program against a private CUPS scheduler with
# a cups-pdf default queue: first a real print, then with the queue
# disabled, rejecting jobs, with a queue but no default, and with no queue
# at all; and against servers that cannot serve: one that never answers
# (its wait runs beside the others), a closed port, a name that does not
# resolve, a port where something else hangs up on every request, and a scheduler that stops answering mid-way and answers late,
# which must print nothing.
# Usage: print-queue.sh TEST_PROGRAM
set -eu
program=$1
. "$(dirname "$0")/private-queue.sh"
trap private_queue_stop EXIT
trap 'exit 130' INT TERM
private_queue_start
export QT_QPA_PLATFORM=offscreen

status=0
# A listener that takes connections and never answers.
silent_port=$(mktemp)
python3 -c 'import socket, sys, time
s = socket.socket(); s.bind(("127.0.0.1", 0)); s.listen(8)
print(s.getsockname()[1], flush=True); time.sleep(120)' >"$silent_port" &
silent_pid=$!
n=0
until [ -s "$silent_port" ] || [ $n -gt 100 ]; do sleep 0.05; n=$((n + 1)); done
CUPS_SERVER="127.0.0.1:$(cat "$silent_port")" DRAVELO_EXPECTED_FAILURE="non ha risposto entro" \
    "$program" tellsTheCause >"$dir/silent.log" 2>&1 &
silent_test=$!

# A port nobody listens on, a name no resolver knows.
closed_port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
CUPS_SERVER="127.0.0.1:$closed_port" DRAVELO_EXPECTED_FAILURE="rifiuta la connessione" \
    "$program" tellsTheCause || status=1
CUPS_SERVER="dravelo-nessuno.invalid" DRAVELO_EXPECTED_FAILURE="il nome del server è sconosciuto" \
    "$program" tellsTheCause || status=1

# Something else on the port: it answers every request by hanging up.
hangup_port=$(mktemp)
python3 -c 'import socket, sys
s = socket.socket(); s.bind(("127.0.0.1", 0)); s.listen(8)
print(s.getsockname()[1], flush=True)
while True:
    c, _ = s.accept(); c.recv(4096); c.close()' >"$hangup_port" &
hangup_pid=$!
n=0
until [ -s "$hangup_port" ] || [ $n -gt 100 ]; do sleep 0.05; n=$((n + 1)); done
CUPS_SERVER="127.0.0.1:$(cat "$hangup_port")" DRAVELO_EXPECTED_FAILURE="non risponde come un servizio di stampa" \
    "$program" tellsTheCause || status=1
kill "$hangup_pid" 2>/dev/null
rm -f "$hangup_port"

"$program" printsTheReportOnTheDefaultQueue || status=1

cupsdisable -h "$sock" "$queue"
"$program" refusesADisabledQueue || status=1
if [ -n "$(lpstat -h "$sock" -o 2>/dev/null)" ]; then
    echo "print-queue: a job was queued on the disabled printer" >&2
    status=1
fi
cupsenable -h "$sock" "$queue"
cupsreject -h "$sock" "$queue"
DRAVELO_EXPECTED_FAILURE="non accetta lavori di stampa" "$program" tellsTheCause || status=1
cupsaccept -h "$sock" "$queue"

# The scheduler stops answering; once it answers again, late, nothing of
# the abandoned print may come out.
pdfs_before=$(ls "$dir"/out/*.pdf 2>/dev/null | wc -l)
kill -STOP "$cupsd_pid"
DRAVELO_EXPECTED_FAILURE="non ha risposto entro" "$program" tellsTheCause || status=1
kill -CONT "$cupsd_pid"
sleep 3
if [ -n "$(lpstat -h "$sock" -o 2>/dev/null)" ] || [ "$(ls "$dir"/out/*.pdf 2>/dev/null | wc -l)" -ne "$pdfs_before" ]; then
    echo "print-queue: the abandoned print went on once the scheduler answered" >&2
    status=1
fi

# The scheduler holds back the job itself: its creation (operation 5), its
# document (6), or its release (13, Release-Job). Each is given up at the
# limit, and the requests reach the scheduler late, after the program gave
# up. Held back before the release, the job was made held and never prints;
# held back at the release, the user was told it may print later, and it
# prints once.
completed_before=$(lpstat -h "$sock" -W completed -o 2>/dev/null | wc -l)
pdfs_before=$(ls "$dir"/out/*.pdf 2>/dev/null | wc -l)
stalled_tests=
for stall in "5:non ha risposto entro" "6:non ha risposto entro" "13:potrebbe essere stampato più tardi"; do
    operation=${stall%%:*}
    python3 "$(dirname "$0")/stalling-proxy.py" "$sock" $operation 12 >"$dir/proxy$operation.port" &
    proxies="${proxies:-} $!"
    n=0
    until [ -s "$dir/proxy$operation.port" ] || [ $n -gt 100 ]; do sleep 0.05; n=$((n + 1)); done
    CUPS_SERVER="127.0.0.1:$(cat "$dir/proxy$operation.port")" DRAVELO_EXPECTED_FAILURE="${stall#*:}" \
        "$program" tellsTheCause >"$dir/stalled$operation.log" 2>&1 &
    stalled_tests="$stalled_tests $!"
done
for test in $stalled_tests; do wait "$test" || status=1; done
cat "$dir"/stalled*.log
n=0
while [ "$(ls "$dir"/out/*.pdf 2>/dev/null | wc -l)" -le "$pdfs_before" ] && [ $n -lt 150 ]; do
    sleep 0.1
    n=$((n + 1))
done
sleep 3
if [ "$(lpstat -h "$sock" -W completed -o 2>/dev/null | wc -l)" -ne $((completed_before + 1)) ] ||
    [ "$(ls "$dir"/out/*.pdf 2>/dev/null | wc -l)" -ne $((pdfs_before + 1)) ]; then
    echo "print-queue: the jobs held back did not end as told (one late print, from the release)" >&2
    lpstat -h "$sock" -W all -o >&2
    status=1
fi
kill $proxies 2>/dev/null

wait "$silent_test" || status=1
cat "$dir/silent.log"
kill "$silent_pid" 2>/dev/null
rm -f "$silent_port"

# Queues but no default: the first queue must not be taken instead.
lpadmin -h "$sock" -p "R$queue" -E -v "cups-pdf:/$name" \
    -P /usr/share/ppd/cups-pdf/CUPS-PDF_noopt.ppd 2>/dev/null
cupsenable -h "$sock" "$queue"
lpadmin -h "$sock" -d "R$queue"
lpadmin -h "$sock" -x "R$queue"
if lpstat -h "$sock" -d 2>/dev/null | grep -q "$queue" || ! lpstat -h "$sock" -p "$queue" >/dev/null 2>&1; then
    echo "print-queue: not a queue without a default" >&2
    status=1
fi
"$program" tellsThereIsNoPrinter || status=1

lpadmin -h "$sock" -x "$queue"
"$program" tellsThereIsNoPrinter || status=1

[ $status -eq 0 ] || private_queue_log
exit $status
