#!/bin/sh
# "Stam&pa" on a default printer whose port asks for a file name (FILE:, as
# "Microsoft Print to PDF" does with PORTPROMPT:), on Morlane.exe under
# Wine: while the printer's question is up the program's windows take no
# input, as under any modal box (a click on "ESCI" does nothing), also
# after a box of the question's own has come and gone; cancelling the
# question is the user's own choice, told as no failure; a name given
# there, even long after the program's time limit, receives the job, and
# nothing is said.
# Runs under with-display.sh with the win32 reader.
# Usage: print-to-file-window.sh PROGRAM
set -u
here=$(dirname "$0")
e2e_dir=$(cd "$here/../e2e" && pwd)
. "$e2e_dir/lib.sh"
. "$here/private-queue.sh"
program=$1
[ "$e2e_reader" = win32 ] || fail "the printer's own file name question is a Windows printer's"
begin_run private_queue_stop
private_queue_start || exit 1

start_program it_IT.UTF-8
open_calculation
type_worked_example "Gasolio"
# Wine lists the CUPS queues as printers when its prefix starts; the port
# is the printer's setting in the registry.
wine reg add "HKLM\\System\\CurrentControlSet\\Control\\Print\\Printers\\$queue" /v Port /t REG_SZ /d FILE: /f \
    >/dev/null 2>&1 || fail "the printer's port could not be set"

question="Stampa su File"
key alt+p
wait_window "$question" >/dev/null || fail "the printer did not ask for a file name"
click_button Folim "ESCI" || fail "no ESCI button on the calculation window"
sleep 1
expect_no_message_box "a click on ESCI under the printer's question"
wait_window "$question" >/dev/null || fail "the question lost the focus to a click on the program"
key Escape
wait_no_window "$question" || fail "the question did not close on Escape"
sleep 1
expect_no_message_box "the question cancelled"
# Wine on X gives the focus back to no window after a question without an
# owner; the user clicks into the window, as here.
xdotool windowactivate "$(find_window Folim)" 2>/dev/null
wait_window Folim >/dev/null || fail "the calculation window takes no focus after the question"

# A name that is taken: the printer asks whether to overwrite it, and No
# goes back to its question. The windows stay held all along.
echo "un altro file" >"$workdir/esistente.prn"
key alt+p
asked=$(date +%s)
wait_window "$question" >/dev/null || fail "the second press did not ask for a file name"
type_text "$(windows_path "$workdir")\\esistente.prn"
key Return
wait_window "Porta locale" >/dev/null || fail "the printer did not ask before overwriting a file"
key Escape
wait_no_window "Porta locale" || fail "the overwrite question did not close on Escape"
click_button Folim "ESCI" || fail "no ESCI button on the calculation window"
sleep 1
expect_no_message_box "a click on ESCI after the printer's own box closed"

# A name given after the program's time limit: the time the user spent in
# the printer's question does not count, and the job is written there.
wait_window "$question" >/dev/null || fail "the question went with its overwrite box"
while [ $(($(date +%s) - asked)) -lt 13 ]; do sleep 1; done
key End shift+Home
type_text "$(windows_path "$workdir")\\rapporto.prn"
key Return
wait_no_window "$question" || fail "the question did not close on Enter"
n=0
until [ -s "$workdir/rapporto.prn" ] || [ $n -gt 150 ]; do sleep 0.1; n=$((n + 1)); done
[ -s "$workdir/rapporto.prn" ] || fail "nothing was written to the file named"
sleep 1
expect_no_message_box "printing to the file named after the time limit"
xdotool windowactivate "$(find_window Folim)" 2>/dev/null
wait_window Folim >/dev/null || fail "the calculation window takes no focus after the second question"
end_program_with_esci
echo "PASS: the printer's file name question held the windows, its own box too; its cancel told nothing; a name given after the limit got the job"
