#!/bin/sh
# The first worked example typed as a user would, under Italian settings:
# 85,5 / 11,2 / 0,8 / 0 / 2,5 gives 9493,8; the close box answered No;
# "&Continua" on the cover brings it back as it was, hiding no window; then
# the close box answered Yes. First, the maximized cover restored by the
# window manager takes its designed size.
set -u
e2e_dir=$(cd "$(dirname "$0")" && pwd)
. "$e2e_dir/lib.sh"
program=$1
shift
other_settings="$*"
begin_run

# The cover's designed normal size, 4680 x 3195 twips inside the frame,
# scaled to the screen (DRAVELO_SCREEN, DRAVELO_DPI of with-display.sh).
case "${DRAVELO_SCREEN:-640x480x24}@${DRAVELO_DPI:-96}" in
640x480x24@96) restored=312x213 ;; # the screen the design is laid out for
1366x768x24@120) restored=673x350 ;;
1920x1080x24@144) restored=948x500 ;;
*) fail "no restored size known for the screen ${DRAVELO_SCREEN:-}@${DRAVELO_DPI:-}" ;;
esac

start_program it_IT.UTF-8
if [ "$window_manager_restores" = yes ]; then
    # Restored by the window manager, and where the reader can, by the system
    # from outside, before and after a maximize by the window manager, the
    # cover takes its designed size; maximized again, the size it opened at.
    cover=$(find_window Zerut)
    maximized=$(window_size "$cover")
    # The system's own restore takes the rectangle it holds for the maximized
    # window, as every other way does (Win+Down, dragging the title bar).
    restore_from_outside() {
        window_command "$1" Zerut || fail "no cover window to restore"
        wait_size "$cover" "$restored" || fail "restored by $1, the cover is $(window_size "$cover"), not $restored"
        window_command maximize Zerut
        wait_size "$cover" "$maximized" || fail "maximized again, the cover is $(window_size "$cover"), not $maximized"
    }
    command -v window_command >/dev/null && restore_from_outside restore
    toggle_maximized "$cover" "$restored" || fail "the restored cover is $(window_size "$cover"), not $restored"
    toggle_maximized "$cover" "$maximized" || fail "the cover maximized again is $(window_size "$cover"), not $maximized"
    if command -v window_command >/dev/null; then
        restore_from_outside restore
        restore_from_outside sc-restore
    fi
    wait_window Zerut >/dev/null || fail "the cover window lost the focus"
fi
open_calculation
type_worked_example "Gasolio"
result=$(field_text "Potere calorifico inferiore [kcal/kg]")
[ "$result" = "9493,8" ] || fail "Text9 shows '$result', expected '9493,8'"

# Where the reader can change the colour scheme while the program runs, the
# calculation window's ground, the scheme's inactive caption text colour
# (19), is drawn again in the new colour.
if command -v set_system_colour >/dev/null; then
    set -- $(window_area "$(find_window Folim)")
    set_system_colour 19 "255 255 0" || fail "the colour scheme did not change"
    wait_screen_colour $(($1 + 4)) $(($2 + $4 - 4)) "#FFFF00" ||
        fail "the calculation window's ground did not follow the colour scheme"
fi

# The close box asks once; Enter answers No and keeps everything.
key alt+F4
expect_message_box "the close box" "Chiudere il programma ?"
answer_message_box_default "No to closing"
wait_window Folim >/dev/null || fail "the calculation window did not take the focus back"
[ "$(field_text "Potere calorifico inferiore [kcal/kg]")" = "9493,8" ] || fail "the result changed after No"
[ "$(field_text "Carbonio [ % in peso]")" = "85,5" ] || fail "the carbon field changed after No"

# Back on the cover, "&Continua" brings the calculation window to the
# front as it was left, without hiding either window on the way.
cover=$(find_window Zerut)
folim=$(find_window Folim)
activate_window Zerut
wait_window Zerut >/dev/null || fail "the cover window did not take the focus"
[ "$window_stacking" = yes ] && watch_hiding "$cover" "$folim"
open_calculation
if [ "$window_stacking" = yes ]; then
    wait_on_top "$folim" || fail "the calculation window is not on top: $(xprop -root _NET_CLIENT_LIST_STACKING)"
    expect_none_hidden "Continua with the calculation window behind"
fi
[ "$(field_text "Potere calorifico inferiore [kcal/kg]")" = "9493,8" ] || fail "the result changed on the way back"

# Asked again, Yes ends it.
key alt+F4
answer_exit_yes "the close box the second time"
# Where the reader can measure them, every text of the three windows is
# whole inside its control on this screen.
if command -v texts_whole >/dev/null; then
    texts_whole || fail "a text is not whole inside its control"
fi

# worked_example.sh PROGRAM [SETTINGS...]: then, under each regional
# settings named after the program (en_US.UTF-8 ...), a fresh start
# and both examples typed with commas, as the program asks (the second,
# 60 / 4 / 10 / 1,2 / 1,5, over the first): the results in the settings' own
# format, checked against the C library's decimal separator.
expect_result() {
    local expected result
    expected=$(printf '%s' "$1" | sed "s/,/$(LC_ALL=$settings locale decimal_point)/")
    result=$(field_text "Potere calorifico inferiore [kcal/kg]")
    [ "$result" = "$expected" ] || fail "$settings: Text9 shows '$result', expected '$expected'"
}
for settings in $other_settings; do
    start_program "$settings"
    open_calculation
    type_worked_example "Gasolio"
    expect_result 9493,8
    # From "&Calcola" back to Text2 (Text9, Text6, Text3, Text2 in the tab
    # order); each value replaces what its field shows.
    key shift+Tab shift+Tab shift+Tab shift+Tab
    for value in 60 4 10 1,2 1,5; do
        key End shift+Home
        type_text "$value"
        key Return
    done
    key alt+c
    expect_result 5390,2
    [ "$(field_text "Cloro [ % in peso]")" = "1,2" ] || fail "$settings: the chlorine field does not show what was typed"
    end_program_with_esci
    echo "worked examples typed with commas under $settings"
done
echo "PASS: worked example typed, 9493,8 read back, exit confirmed"
