#!/bin/sh
# "&Salva" through the real window, typed as a user would: the report read
# back byte by byte from the program's current directory; a name that
# cannot be written gives a message and keeps the earlier report; Cancel
# saves to ".TXT". Runs under with-display.sh.
# Usage: save-window.sh PROGRAM WORKED_EXAMPLE_REPORT
set -u
e2e_dir=$(cd "$(dirname "$0")/../e2e" && pwd)
. "$e2e_dir/lib.sh"
program=$1
worked_example_report=$2
begin_run

# Waits (bounded) for a file to exist.
wait_file() {
    n=0
    while [ ! -s "$1" ] && [ $n -lt 50 ]; do sleep 0.1; n=$((n + 1)); done
    [ -s "$1" ]
}

save_as() {
    key alt+s
    wait_window "$input_box" >/dev/null || fail "Salva did not ask for a name"
    [ -n "$1" ] && type_text "$1"
    key "$2"
    wait_no_window "$input_box" || fail "the input box stayed open"
}

start_program it_IT.UTF-8
open_calculation
type_worked_example "Gasolio più pesante"

save_as rapp5 Return
wait_file rapp5.TXT || fail "no rapp5.TXT in the current directory"
[ "$(ls -A)" = "rapp5.TXT" ] || fail "unexpected files: $(ls -A)"

# The saved bytes are Windows-1252 with CR LF: the expected report's UTF-8
# lines are converted to them. Date and time are today's, in the regional
# formats.
expected_worked_example_report rapp5.TXT >expected.utf8
iconv -f UTF-8 -t WINDOWS-1252 expected.utf8 | sed 's/$/\r/' >expected
cmp rapp5.TXT expected || fail "the report differs: $(od -c rapp5.TXT | head -40)"
rm expected.utf8 expected

# Saving again under the same name replaces the report without a question.
save_as rapp5 Return
expect_no_message_box "saving again"
wait_file rapp5.TXT || fail "rapp5.TXT is gone"
cp rapp5.TXT earlier

# A folder that does not exist: a message, and nothing changes.
save_as manca/rapp5 Return
expect_message_box "a failed save"
answer_message_box_default "the failed save's message"
[ -d manca ] && fail "a folder was created"
cmp -s rapp5.TXT earlier || fail "the earlier report changed"

# Cancel writes the report to ".TXT".
save_as "" Escape
wait_file .TXT || fail "Cancel did not save to .TXT"
[ "$(wc -l <.TXT)" -eq 12 ] || fail ".TXT is not the 12-line report"
program_running || fail "the program ended"
end_program_with_esci
echo "PASS: report saved through the window, read back byte by byte; failure told; Cancel saved to .TXT"
