#!/bin/sh
# The About box opened from the real cover window: its texts, Esc and Enter
# closing it, the same texts when reopened, and "System Info..." telling that
# the tool is not available here while the box stays open.
set -u
e2e_dir=$(cd "$(dirname "$0")" && pwd)
. "$e2e_dir/lib.sh"
program=$1
begin_run
about="Informazioni su Dravelo"

check_texts() {
    labels=$(window_labels "$about")
    for text in "Dravelo" "Versione 1.0.0" "Calcolo del potere calorifico dei combustibili "; do
        printf '%s\n' "$labels" | grep -qxF -- "$text" || fail "the About box lacks '$text' ($1)"
    done
    printf '%s\n' "$labels" | grep -qxF "CALCOLO DEL POTERE CALORIFICO DEI COMBUSTIBILI" &&
        fail "the About box shows the design title instead of the program's ($1)"
}

start_program it_IT.UTF-8

key alt+i
wait_window "$about" >/dev/null || fail "Info did not open the About box"
check_texts "first opening"
# The focus starts on OK, the default button.
key Return
wait_no_window "$about" || fail "Enter did not close the About box"
wait_window Zerut >/dev/null || fail "the cover window did not take the focus back"

key alt+i
wait_window "$about" >/dev/null || fail "Info did not open the About box again"
check_texts "reopened after Enter"

key alt+s
expect_message_box "System Info" "Le informazioni sul sistema non sono disponibili in questa fase"
answer_message_box_default "the System Info message"
wait_window "$about" >/dev/null || fail "the About box closed with the message"

# OK is also the cancel button, wherever the focus is.
key Escape
wait_no_window "$about" || fail "Esc did not close the About box"
program_running || fail "closing the About box ended the program"
wait_window Zerut >/dev/null || fail "the cover window did not take the focus back after Esc"
end_program_with_esci
echo "PASS: About box texts, Esc, Enter, reopening and System Info"
