#!/bin/sh
# "Stam&pa" through the real window onto a private cups-pdf default queue:
# the PDF's lines read back, one page per press; then a disabled queue and
# no queue at all give a message and the program goes on.
# Runs under with-display.sh. Usage: print-window.sh PROGRAM
set -u
here=$(dirname "$0")
. "$here/../e2e/lib.sh"
. "$here/private-queue.sh"
program=$1
workdir=$(mktemp -d)
pid=""
stop() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null
    private_queue_stop
    rm -rf "$workdir"
}
trap stop EXIT
trap 'exit 130' INT TERM
cd "$workdir" || exit 1
private_queue_start || exit 1

pdf_count() {
    ls "$dir"/out/*.pdf 2>/dev/null | wc -l
}

# A message box comes up, Enter closes it, the program goes on.
expect_message() {
    wait_window Dravelo >/dev/null || fail "$1: no message"
    key Return
    wait_no_window Dravelo || fail "$1: the message did not close"
    kill -0 "$pid" 2>/dev/null || fail "$1: the program ended"
}

# An Italian keyboard has the "ù" key: typing it needs no remapped key,
# which is unreliable under load.
setxkbmap it 2>/dev/null
start_program it_IT.UTF-8
open_calculation
type_worked_example "Gasolio più pesante"

key alt+p
pdf=$(private_queue_wait_pdf) || { private_queue_log; fail "no PDF from the queue"; }
xdotool search --onlyvisible --name '^Dravelo$' >/dev/null 2>&1 && fail "printing gave a message"
pdftotext -layout "$pdf" - | tr -d '\f' | sed 's/  */ /g; s/^ //; s/ $//' >lines
sed -n 3p lines | grep -Eq '^Data rapporto di calcolo = [0-9]{1,2}/[0-9]{1,2}/[0-9]{2,4}$' ||
    fail "date line: '$(sed -n 3p lines)'"
sed -n 4p lines | grep -Eq '^Ora rapporto di calcolo = [0-9]{1,2}:[0-9]{2}:[0-9]{2}$' ||
    fail "time line: '$(sed -n 4p lines)'"
sed '3,4d' lines | sed -e :a -e '/^\n*$/{$d;N;ba' -e '}' >rest
printf '%s\n' \
    "Calcolo del potere calorifico dei combustibili" \
    "" \
    "Nome combustibile = Gasolio più pesante" \
    "Carbonio = 85,5 % (in peso)" \
    "Idrogeno = 11,2 % (in peso)" \
    "Ossigeno = 0,8 % (in peso)" \
    "Cloro = 0 % (in peso)" \
    "Zolfo = 2,5 % (in peso)" \
    "Potere calorifico inferiore = 9493,8 kcal/kg" >expected
diff expected rest >&2 || fail "the printed lines differ"
pdfinfo "$pdf" | grep -Eq '^Pages: +1$' || fail "not one page"

# A second press is a document of its own.
key alt+p
n=0
while [ "$(pdf_count)" -lt 2 ] && [ $n -lt 300 ]; do sleep 0.1; n=$((n + 1)); done
[ "$(pdf_count)" -eq 2 ] || fail "the second press gave no second PDF"

cupsdisable -h "$sock" "$queue"
key alt+p
expect_message "disabled queue"

lpadmin -h "$sock" -x "$queue"
key alt+p
expect_message "no queue"
sleep 0.5
[ "$(pdf_count)" -eq 2 ] || fail "a refused print still made a PDF"
echo "PASS: printed through the window and read back; a disabled queue and no queue told"
