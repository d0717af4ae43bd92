#!/bin/sh
# The first worked example typed as a user would, under Italian settings:
# 85,5 / 11,2 / 0,8 / 0 / 2,5 gives 9493,8; then the close box, answered Yes.
set -u
. "$(dirname "$0")/lib.sh"
program=$1
begin_run

start_program it_IT.UTF-8
open_calculation
type_worked_example "Gasolio"
result=$(field_text "Potere calorifico inferiore [kcal/kg]")
[ "$result" = "9493,8" ] || fail "Text9 shows '$result', expected '9493,8'"

# The close box asks once; Enter answers No and keeps everything.
key alt+F4
wait_window Dravelo >/dev/null || fail "closing did not ask"
question=$(message_text)
case "$question" in *"Chiudere il programma ?"*) ;; *) fail "unexpected question '$question'" ;; esac
key Return
wait_no_window Dravelo || fail "Enter did not close the question"
wait_window Folim >/dev/null || fail "the calculation window did not take the focus back"
kill -0 $pid 2>/dev/null || fail "No ended the program"
[ "$(field_text "Potere calorifico inferiore [kcal/kg]")" = "9493,8" ] || fail "the result changed after No"
[ "$(field_text "Carbonio [ % in peso]")" = "85,5" ] || fail "the carbon field changed after No"

# Asked again, Yes (Shift+Tab from the default No, then Space) ends it.
key alt+F4
wait_window Dravelo >/dev/null || fail "closing did not ask the second time"
key shift+Tab space
n=0
while kill -0 $pid 2>/dev/null && [ $n -lt 50 ]; do sleep 0.1; n=$((n + 1)); done
kill -0 $pid 2>/dev/null && fail "Yes did not end the program"
wait $pid
status=$?
[ $status -eq 0 ] || fail "exit status $status"
echo "PASS: worked example typed, 9493,8 read back, exit confirmed"
