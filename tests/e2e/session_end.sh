#!/bin/sh
# The session ending while the program runs with a calculation on screen:
# the close question comes up; Enter (No) refuses the end and keeps
# everything; at the next end of session Yes lets it end, and the program
# ends with status 0. Only where the reader can end a session (end_session).
set -u
e2e_dir=$(cd "$(dirname "$0")" && pwd)
. "$e2e_dir/lib.sh"
program=$1
command -v end_session >/dev/null || fail "the reader '$e2e_reader' cannot end a session"
begin_run

start_program it_IT.UTF-8
open_calculation
type_worked_example "Gasolio"
[ "$(field_text "Potere calorifico inferiore [kcal/kg]")" = "9493,8" ] || fail "the worked example did not give 9493,8"

# The session waits for the program's answer.
end_session &
session=$!
expect_message_box "the first end of session" "Chiudere il programma ?"
answer_message_box_default "No to the end of session"
wait "$session"
[ $? -eq 1 ] || fail "the end of session was not refused"
wait_window Folim >/dev/null || fail "the calculation window did not take the focus back"
[ "$(field_text "Potere calorifico inferiore [kcal/kg]")" = "9493,8" ] || fail "the result changed after No"
[ "$(field_text "Carbonio [ % in peso]")" = "85,5" ] || fail "the carbon field changed after No"

end_session &
session=$!
answer_exit_yes "the second end of session"
wait "$session"
[ $? -eq 0 ] || fail "the end of session was refused after Yes"
echo "PASS: an end of session refused with No, then let through with Yes"
