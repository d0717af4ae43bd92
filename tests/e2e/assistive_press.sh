#!/bin/sh
# Buttons pressed by assistive technology from another process (the
# reader's press_button: the accessibility action on Linux, BM_CLICK on
# Windows), with the focus still in the field just typed: the field's leave
# runs first, as for a click. Letters left in a field are refused and the
# focus comes back to it; the worked example ended by such a press on
# Calcola gives 9493,8; a press on Salva saves the value typed last. Behind
# a message box such a press does nothing (print-window.sh presses during
# the print wait).
set -u
e2e_dir=$(cd "$(dirname "$0")" && pwd)
. "$e2e_dir/lib.sh"
program=$1
begin_run
result="Potere calorifico inferiore [kcal/kg]"

# Waits (bounded) until the field reads TEXT: the press acts a moment after
# the reader has sent it.
wait_field_text() {
    local n=0
    while [ "$(field_text "$1")" != "$2" ]; do
        [ $n -lt 30 ] || return 1
        sleep 0.2
        n=$((n + 1))
    done
}

start_program it_IT.UTF-8
open_calculation
type_text "Gasolio"
key Return

# Letters in the carbon field, then Calcola pressed: the leave refuses them.
type_text "abc"
press_button Folim Calcola || fail "the reader could not press Calcola"
expect_message_box "a press after letters" "Usare i numeri !"
# Behind the box a press computes nothing (the reader may be told no).
press_button Folim Calcola
sleep 1
[ "$(field_text "$result")" = "" ] || fail "a press behind the message box calculated '$(field_text "$result")'"
answer_message_box_default "the refusal of the letters"
wait_window Folim >/dev/null || fail "the calculation window did not take the focus back"
[ "$(field_text "Carbonio [ % in peso]")" = "" ] || fail "the refused field was not emptied"
[ "$(field_text "$result")" = "" ] || fail "a press refused by the leave calculated"
# The focus is back in the carbon field: what is typed next goes there.
type_text "85,5"
[ "$(field_text "Carbonio [ % in peso]")" = "85,5" ] || fail "the focus did not come back to the carbon field"

# The rest of the worked example, sulphur typed and left with the focus.
key Return
for value in 11,2 0,8 0; do
    type_text "$value"
    key Return
done
type_text "2,5"
press_button Folim Calcola || fail "the reader could not press Calcola"
wait_field_text "$result" "9493,8" || fail "Calcola pressed from the sulphur field shows '$(field_text "$result")', not 9493,8"
expect_no_message_box "the worked example"

# Back in the sulphur field (from Calcola: Text9, then Text6), a new value
# typed and Salva pressed at once.
key shift+Tab shift+Tab
type_text "3"
press_button Folim Salva || fail "the reader could not press Salva"
wait_window "$input_box" >/dev/null || fail "Salva did not ask for a name"
type_text "rapp18"
key Return
wait_no_window "$input_box" || fail "the input box stayed open"
n=0
while [ ! -s rapp18.TXT ] && [ $n -lt 50 ]; do sleep 0.1; n=$((n + 1)); done
grep -a "Zolfo" rapp18.TXT | grep -aq "= 3 % (in peso)" || fail "the report's sulphur line is '$(grep -a Zolfo rapp18.TXT)'"
end_program_with_esci
echo "PASS: assistive presses on Calcola and Salva run the field's leave first"
