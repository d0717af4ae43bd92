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
[ "$(pdf_count)" -eq 2 ] || fail "a refused print still made a PDF"
end_program_with_esci
echo "PASS: printed through the window and read back; a disabled queue and no queue told"
