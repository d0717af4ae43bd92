#!/bin/sh
# Runs the print queue test program against a private CUPS scheduler with
# a cups-pdf default queue: first a real print, then with the queue
# disabled, with a queue but no default, and with no queue at all.
# Usage: print-queue.sh TEST_PROGRAM
set -eu
program=$1
. "$(dirname "$0")/private-queue.sh"
trap private_queue_stop EXIT
trap 'exit 130' INT TERM
private_queue_start
export QT_QPA_PLATFORM=offscreen

status=0
"$program" printsTheReportOnTheDefaultQueue || status=1

cupsdisable -h "$sock" "$queue"
"$program" refusesADisabledQueue || status=1
if [ -n "$(lpstat -h "$sock" -o 2>/dev/null)" ]; then
    echo "print-queue: a job was queued on the disabled printer" >&2
    status=1
fi

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
