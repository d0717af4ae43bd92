#!/bin/sh
# The first worked example typed as a user would, under Italian settings:
# 85,5 / 11,2 / 0,8 / 0 / 2,5 gives 9493,8; "&Continua" on the cover brings
# it back as it was; then the close box, answered No, the second example
# (60 / 4 / 10 / 1,2 / 1,5 gives 5390,2) typed over the first, and Yes.
# First, the maximized cover restored by the window manager takes its
# designed size.
# Usage: worked_example.sh PROGRAM [LOCALE...]: the whole journey under the
# first regional settings (it_IT.UTF-8 by default); under each further one,
# a fresh start and both examples typed with commas, as the program asks.
# The results are shown with the settings' own decimal separator.
set -u
e2e_dir=$(cd "$(dirname "$0")" && pwd)
. "$e2e_dir/lib.sh"
program=$1
shift
[ $# -gt 0 ] || set -- it_IT.UTF-8
all_settings="$*"
begin_run

# The C library's decimal separator of the settings, against which the
# result is checked.
decimal_separator() {
    LC_ALL=$1 locale decimal_point
}

# Fails unless Text9 shows TEXT, written with a comma, under the settings'
# decimal separator; WHAT names the check.
expect_result() {
    local expected result
    expected=$(printf '%s' "$1" | sed "s/,/$separator/")
    result=$(field_text "Potere calorifico inferiore [kcal/kg]")
    [ "$result" = "$expected" ] || fail "$locale, $2: Text9 shows '$result', expected '$expected'"
}

# The second example typed over the first from Text2, field by field with
# Enter (End, then Shift+Home selects what the field shows), then
# "&Calcola".
type_second_example() {
    for value in 60 4 10 1,2 1,5; do
        key End shift+Home
        type_text "$value"
        key Return
    done
    key alt+c
}

locale=$1
separator=$(decimal_separator "$locale")
start_program "$locale"
# 4680 x 3195 twips inside the frame on a 640x480 screen, which the design
# is laid out for; maximized again, the size it opened at.
cover=$(find_window Zerut)
maximized=$(window_size "$cover")
toggle_maximized "$cover" 312x213 || fail "the restored cover is $(window_size "$cover"), not 312x213"
toggle_maximized "$cover" "$maximized" || fail "the cover maximized again is $(window_size "$cover"), not $maximized"
wait_window Zerut >/dev/null || fail "the cover window lost the focus"
open_calculation
type_worked_example "Gasolio"
expect_result 9493,8 "the first example"

# Back on the cover, "&Continua" brings the calculation window to the
# front as it was left.
xdotool windowactivate "$(find_window Zerut)"
wait_window Zerut >/dev/null || fail "the cover window did not take the focus"
open_calculation
expect_result 9493,8 "back from the cover"

# The close box asks once; Enter answers No and keeps everything.
key alt+F4
expect_message_box "the close box" "Chiudere il programma ?"
answer_message_box_default "No to closing"
wait_window Folim >/dev/null || fail "the calculation window did not take the focus back"
expect_result 9493,8 "after No"
[ "$(field_text "Carbonio [ % in peso]")" = "85,5" ] || fail "the carbon field changed after No"

# From "&Calcola" back to Text2: Text9, Text6, Text3, Text2 in the tab order.
key shift+Tab shift+Tab shift+Tab shift+Tab
type_second_example
expect_result 5390,2 "the second example"
[ "$(field_text "Cloro [ % in peso]")" = "1,2" ] || fail "the chlorine field does not show what was typed"

# Asked again, Yes ends it.
key alt+F4
answer_exit_yes "the close box the second time"

shift
for locale in "$@"; do
    separator=$(decimal_separator "$locale")
    start_program "$locale"
    open_calculation
    type_worked_example "Gasolio"
    expect_result 9493,8 "the first example"
    key shift+Tab shift+Tab shift+Tab shift+Tab
    type_second_example
    expect_result 5390,2 "the second example"
    end_program_with_esci
done
echo "PASS: worked examples typed with commas and read back under $all_settings; exit confirmed"
