#!/bin/sh
# Print service benchmark (not a test; prints figures): "Stam&pa" through
# the real window against the print services a user meets, each for a
# program started anew under Xvfb and openbox: a private cups-pdf default
# queue (the good print), the user's default instance on A5, a queue that
# holds every job, a scheduler whose queue is paused, one with no printer,
# a default that names a queue that is gone, a server that wants a login, a
# listener that never answers, a closed port, a name that does not
# resolve, a server that answers once and then holds back the rest, and
# the scheduler stopped. For each it prints the time from the key press
# until the window answers again (the message box, the PDF, or the job
# held in the queue) and the message. Needs root (the private queue).
# Usage: bench/print-service.sh [path/to/dravelo]
set -u
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
program=$(realpath "${1:-$root/build/dravelo}")
if [ -z "${DISPLAY:-}" ]; then
    exec "$root/tests/support/with-display.sh" sh "$0" "$program"
fi
e2e_dir=$root/tests/e2e
. "$e2e_dir/lib.sh"
. "$root/tests/report/private-queue.sh"

silent_pid=
proxy_pids=
finish() {
    [ -n "$silent_pid" ] && kill "$silent_pid" 2>/dev/null
    [ -n "$proxy_pids" ] && kill $proxy_pids 2>/dev/null
    private_queue_stop
}
begin_run finish
private_queue_start || exit 1
scheduler=$CUPS_SERVER

silent_port=$workdir/silent.port
python3 -c 'import socket, time
s = socket.socket(); s.bind(("127.0.0.1", 0)); s.listen(8)
print(s.getsockname()[1], flush=True); time.sleep(600)' >"$silent_port" &
silent_pid=$!
closed_port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
until [ -s "$silent_port" ]; do sleep 0.05; done

# Proxies to the scheduler: one passes everything on (for the login the
# scheduler wants, asked over TCP), one answers the first request and holds
# back the rest.
python3 "$root/tests/report/stalling-proxy.py" "$sock" 0 0 >"$workdir/passing.port" &
proxy_pids="$proxy_pids $!"
python3 "$root/tests/report/stalling-proxy.py" "$sock" 0x0b 600 >"$workdir/once.port" &
proxy_pids="$proxy_pids $!"
until [ -s "$workdir/passing.port" ] && [ -s "$workdir/once.port" ]; do sleep 0.05; done

now_ms() {
    echo $(($(date +%s%N) / 1000000))
}

# One press of "Stam&pa" with the program started under CUPS_SERVER=$2;
# with a third word "held", also until a job waits in the queue.
measure() {
    local what=$1 server=$2 held=${3:-} started told said pdfs jobs
    pdfs=$(ls "$dir"/out/*.pdf 2>/dev/null | wc -l)
    [ -n "$held" ] && jobs=$(lpstat -h "$sock" -o 2>/dev/null | wc -l)
    CUPS_SERVER=$server start_program it_IT.UTF-8
    open_calculation
    type_worked_example "Gasolio"
    started=$(now_ms)
    key alt+p
    said="(nessun messaggio)"
    while :; do
        if find_window "$message_box" >/dev/null; then
            said=$(message_text | tr '\n' ' ')
            break
        fi
        [ "$(ls "$dir"/out/*.pdf 2>/dev/null | wc -l)" -gt "$pdfs" ] && break
        if [ -n "$held" ] && [ "$(lpstat -h "$sock" -o 2>/dev/null | wc -l)" -gt "$jobs" ]; then
            said="(lavoro in coda, trattenuto)"
            break
        fi
        [ $(($(now_ms) - started)) -lt 60000 ] || { said="(nessuna risposta in 60 s)"; break; }
        sleep 0.05
    done
    told=$(($(now_ms) - started))
    printf '%-24s %6d ms  %s\n' "$what" "$told" "$said"
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    pid=
}

echo "Stampa: time from the key press until the window answers again"
measure "good print" "$scheduler"
mkdir -p "$HOME/.cups"
echo "Default $queue/small media=A5" >"$HOME/.cups/lpoptions"
measure "default instance on A5" "$scheduler"
echo "Default Qgone" >"$HOME/.cups/lpoptions"
measure "default queue gone" "$scheduler"
rm -f "$HOME/.cups/lpoptions"
lpadmin -h "$sock" -p "$queue" -o job-hold-until-default=indefinite
measure "queue holds every job" "$scheduler" held
cancel -h "$sock" -a "$queue"
lpadmin -h "$sock" -p "$queue" -o job-hold-until-default=no-hold
lpadmin -h "$sock" -p "$queue" -o printer-op-policy=login
measure "login required" "127.0.0.1:$(cat "$workdir/passing.port")"
lpadmin -h "$sock" -p "$queue" -o printer-op-policy=default
cupsdisable -h "$sock" "$queue"
measure "paused queue" "$scheduler"
cupsenable -h "$sock" "$queue"
measure "listener never answers" "127.0.0.1:$(cat "$silent_port")"
measure "closed port" "127.0.0.1:$closed_port"
measure "unknown host" "dravelo-nessuno.invalid"
measure "answers once" "127.0.0.1:$(cat "$workdir/once.port")"
kill -STOP "$cupsd_pid"
measure "scheduler stopped" "$scheduler"
kill -CONT "$cupsd_pid"
lpadmin -h "$sock" -x "$queue"
measure "no printer" "$scheduler"
