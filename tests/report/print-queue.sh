#!/bin/sh
# Runs the print queue test program against a private CUPS scheduler with
# a cups-pdf default queue: a real print; the user's default instance with
# its own media (A5); a queue that holds every job (lp is the control);
# the queue disabled, rejecting jobs, wanting a login, with a default that
# names a queue that is gone, with a queue but no default, and with no
# queue at all; and against servers that cannot serve: one that never
# answers (its wait runs beside the others), a closed port, a name that
# does not resolve, a port where something else hangs up on every request,
# a scheduler that stops answering mid-way and answers late, which must
# print nothing, and one that answers once and then holds back the rest.
# After every answer the print program must be gone.
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
control_pdf="$dir/control.pdf"
cp "$(private_queue_wait_pdf)" "$control_pdf" || status=1

# The user's default is an instance of the queue with its own media, set
# in the user's lpoptions: the page comes out on A5, not on the queue's A4.
mkdir -p "$HOME/.cups"
echo "Default $queue/small media=A5" >"$HOME/.cups/lpoptions"
DRAVELO_EXPECTED_PAGE=421x595 "$program" printsOnTheDestinationsMedia || status=1
# A default that names a queue the server does not have: told by its name.
echo "Default Qgone/small" >"$HOME/.cups/lpoptions"
DRAVELO_EXPECTED_FAILURE='La stampante predefinita "Qgone/small" non esiste' "$program" tellsTheCause || status=1
rm -f "$HOME/.cups/lpoptions"

# A queue that holds every job until someone releases it (approval,
# release at the device): lp's job stays held, and so does the report's.
n=0
while lpstat -h "$sock" -o "$queue" 2>/dev/null | grep -q . && [ $n -lt 150 ]; do sleep 0.1; n=$((n + 1)); done
rm -f "$dir"/out/*.pdf
lpadmin -h "$sock" -p "$queue" -o job-hold-until-default=indefinite
lp -h "$sock" -d "$queue" -t control "$control_pdf" >/dev/null || status=1
"$program" sendsTheJob || status=1
sleep 3
if [ "$(lpstat -h "$sock" -o "$queue" 2>/dev/null | wc -l)" -ne 2 ] || [ -n "$(ls "$dir"/out/*.pdf 2>/dev/null)" ]; then
    echo "print-queue: the holding queue did not hold both jobs" >&2
    lpstat -h "$sock" -o "$queue" >&2
    status=1
fi
cancel -h "$sock" -a "$queue"
lpadmin -h "$sock" -p "$queue" -o job-hold-until-default=no-hold

# A site that wants a login for every job: said so, without a password
# prompt, even where the program has a terminal to ask on.
python3 "$(dirname "$0")/stalling-proxy.py" "$sock" 0 0 >"$dir/login.port" &
login_proxy=$!
n=0
until [ -s "$dir/login.port" ] || [ $n -gt 100 ]; do sleep 0.05; n=$((n + 1)); done
lpadmin -h "$sock" -p "$queue" -o printer-op-policy=login
CUPS_SERVER="127.0.0.1:$(cat "$dir/login.port")" DRAVELO_EXPECTED_FAILURE="chiede nome utente e password" \
    script -qec "'$program' tellsTheCause" /dev/null </dev/null || status=1
lpadmin -h "$sock" -p "$queue" -o printer-op-policy=default
kill "$login_proxy" 2>/dev/null

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

# The scheduler answers once, then holds back everything from the given
# request on: the destination's details (operation 0x0b, which CUPS asks
# by itself) or the job (2, Print-Job). Each is given up at the limit, and
# the requests reach the scheduler late, after the program gave up. Held
# back before the job, nothing may print; held back at the job, the whole
# job had gone out: the user was told it may print later, and it prints
# once.
completed_before=$(lpstat -h "$sock" -W completed -o 2>/dev/null | wc -l)
pdfs_before=$(ls "$dir"/out/*.pdf 2>/dev/null | wc -l)
stalled_tests=
for stall in "0x0b:non ha risposto entro" "2:potrebbe essere stampato più tardi"; do
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
    echo "print-queue: the jobs held back did not end as told (one late print, from the job)" >&2
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
