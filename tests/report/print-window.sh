#!/bin/sh
# "Stam&pa" through the real window onto a private cups-pdf default queue:
# the PDF's lines read back, one page per press; then a disabled queue
# (where the platform can tell one) and no queue at all give a message and
# the program goes on.
# Runs under with-display.sh. Usage: print-window.sh PROGRAM WORKED_EXAMPLE_REPORT
set -u
here=$(dirname "$0")
e2e_dir=$(cd "$here/../e2e" && pwd)
. "$e2e_dir/lib.sh"
. "$here/private-queue.sh"
program=$1
worked_example_report=$2
begin_run private_queue_stop
private_queue_start || exit 1

pdf_count() {
    ls "$dir"/out/*.pdf 2>/dev/null | wc -l
}

# Lines as pdftotext lays them out: runs of blanks as one, none at either
# end, no empty lines at the end.
squeeze_blanks() {
    sed 's/  */ /g; s/^ //; s/ $//' | sed -e :a -e '/^\n*$/{$d;N;ba' -e '}'
}

start_program it_IT.UTF-8
open_calculation
type_worked_example "Gasolio più pesante"

key alt+p
pdf=$(private_queue_wait_pdf) || { private_queue_log; fail "no PDF from the queue"; }
expect_no_message_box "printing"
pdftotext -layout "$pdf" - | tr -d '\f' | squeeze_blanks >printed
expected_worked_example_report printed >expected
squeeze_blanks <expected | diff - printed >&2 || fail "the printed lines differ"
pdfinfo "$pdf" | grep -Eq '^Pages: +1$' || fail "not one page"

# A second press is a document of its own.
key alt+p
n=0
while [ "$(pdf_count)" -lt 2 ] && [ $n -lt 300 ]; do sleep 0.1; n=$((n + 1)); done
[ "$(pdf_count)" -eq 2 ] || fail "the second press gave no second PDF"

# The scheduler stops answering. While the program waits for it, the
# window keeps painting (a window laid over it and taken away leaves it
# whole, which a frozen program would leave unpainted) and holds the
# user's keys, as under a modal box; within the limit a message tells it.
# Either nothing went out, and the scheduler answering late prints
# nothing; or the job was already handed over (Wine sends it to CUPS as
# the document ends), and the message says it may print later: then it
# prints once.
kill -STOP "$cupsd_pid"
started=$(date +%s%N)
key alt+p
sleep 1
key alt+e
expect_painting_during_wait "silent scheduler"
expect_message_box "silent scheduler"
answered=$((($(date +%s%N) - started) / 1000000))
said=$(message_text)
case "$said" in
*"non ha risposto entro"*) late=0 ;;
*"potrebbe essere stampato più tardi"*) late=1 ;;
*) fail "silent scheduler: the message box says '$said'" ;;
esac
echo "print-window: the silent scheduler told after $answered ms"
[ $answered -lt 30000 ] || fail "the silent scheduler was told only after $answered ms"
answer_message_box_default "silent scheduler"
# The Alt+E typed during the wait was held, not kept for later.
sleep 0.5
expect_no_message_box "keys typed during the wait"
kill -CONT "$cupsd_pid"
printed=$((2 + late))
n=0
while [ "$(pdf_count)" -lt $printed ] && [ $n -lt 300 ]; do sleep 0.1; n=$((n + 1)); done
sleep 3
[ "$(pdf_count)" -eq $printed ] ||
    fail "$(pdf_count) PDFs after the scheduler answered late, not $printed ($said)"

# An end of session during such a wait still gets its question; No keeps
# the program, whose print is then told as before.
if command -v end_session >/dev/null; then
    kill -STOP "$cupsd_pid"
    key alt+p
    sleep 1
    end_session &
    session=$!
    expect_message_box "an end of session during the wait" "Chiudere il programma ?"
    answer_message_box_default "No to the end of session during the wait"
    wait "$session"
    [ $? -eq 1 ] || fail "the end of session during the wait was not refused"
    expect_message_box "the print after the end of session"
    case "$(message_text)" in
    *"non ha risposto entro"* | *"potrebbe essere stampato più tardi"*) ;;
    *) fail "the print after the end of session: '$(message_text)'" ;;
    esac
    answer_message_box_default "the print after the end of session"
    kill -CONT "$cupsd_pid"
    # A job already handed over prints once, late.
    sleep 3
    n=0
    while [ $n -lt 100 ] && lpstat -h "$sock" -o 2>/dev/null | grep -q .; do sleep 0.1; n=$((n + 1)); done
    printed=$(pdf_count)
fi

cupsdisable -h "$sock" "$queue"
key alt+p
if [ "$stopped_queue_told" = yes ]; then
    expect_message_box "disabled queue"
    answer_message_box_default "disabled queue"
else
    # The job waits in the queue for the printer to be resumed.
    n=0
    until lpstat -h "$sock" -o "$queue" 2>/dev/null | grep -q .; do
        [ $n -lt 50 ] || fail "the job on the disabled queue is not waiting in it"
        sleep 0.1
        n=$((n + 1))
    done
    expect_no_message_box "disabled queue"
fi

lpadmin -h "$sock" -x "$queue"
key alt+p
expect_message_box "no queue"
answer_message_box_default "no queue"
sleep 0.5
[ "$(pdf_count)" -eq $printed ] || fail "a refused print still made a PDF"
end_program_with_esci
echo "PASS: printed through the window and read back; a disabled queue and no queue told"
