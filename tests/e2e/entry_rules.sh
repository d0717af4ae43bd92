#!/bin/sh
# The entry rules seen by a user: a value typed and Calcola pressed at once
# (access key and mouse) is used; a point at the end is refused as typed; under
# C settings, where the platform has them, "85,5" is 85.5 but a comma and a
# point together are no number.
set -u
e2e_dir=$(cd "$(dirname "$0")" && pwd)
. "$e2e_dir/lib.sh"
program=$1
begin_run
result="Potere calorifico inferiore [kcal/kg]"

start() {
    start_program "$1"
    open_calculation
    form2=$(wait_window Folim) || fail "the calculation window lost the focus"
}

# Italian settings: carbon 100 typed, then Alt+C straight from the field.
start it_IT.UTF-8
key Tab
type_text "100"
key alt+c
[ "$(field_text "$result")" = "7783" ] || fail "Alt+C after typing did not use the value just typed"

# Hydrogen 4 typed, then a mouse click on Calcola while the field has the focus.
# Back from Calcola: Text9, Text6, then Text3.
key shift+Tab shift+Tab shift+Tab
type_text "4"
# Calcola's design position (7320, 2400, 1215 x 330 twips) at 15 twips a pixel.
xdotool mousemove --window "$form2" $((7320 / 15 + 40)) $((2400 / 15 + 10)) click 1
sleep 0.3
[ "$(field_text "$result")" = "8783,6" ] || fail "a click on Calcola after typing did not use the value just typed"

# A point typed at the end of a field is refused at once (back to Text2).
key shift+Tab shift+Tab shift+Tab shift+Tab
type_text "12."
expect_message_box "a trailing point" "Usare la virgola invece del punto !"
answer_message_box_default "the point message"
[ "$(field_text "Carbonio [ % in peso]")" = "" ] || fail "the field was not emptied after the point"
end_program_with_esci

# C settings, where the platform has them: the point is the decimal
# separator there, and the comma the program asks for is read as one too.
[ "$c_settings" = yes ] || { echo "PASS: entry rules through real key and mouse events (no C settings here)"; exit 0; }
start C
key Tab
# The point put inside afterwards, so that the text never ends with it.
type_text "12,5"
key Home Right
type_text "."
key Tab
expect_message_box "1.2,5 under C settings" "Usare i numeri !"
answer_message_box_default "the refusal of 1.2,5"
[ "$(field_text "Carbonio [ % in peso]")" = "" ] || fail "the refused field was not emptied"
type_text "85,5"
key alt+c
[ "$(field_text "$result")" = "6654.4" ] || fail "85,5 under C settings did not give 6654.4"
end_program_with_esci
echo "PASS: entry rules through real key and mouse events"
