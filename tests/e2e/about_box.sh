#!/bin/sh
# The About box opened from the real cover window: its texts, Esc and Enter
# closing it, the same texts when reopened, "System Info..." telling that
# the tool is not available while the box stays open, then, where a
# registry can name one, starting the tool it names, and a click on
# "&Continua" with the box open bringing the calculation window in front of
# it, hiding no window. Run under more than one window manager (DRAVELO_WM),
# and with none: the cover and the calculation window then cover the screen
# by themselves, the About box keeping its designed size.
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

# The About box's designed client size, 5730 x 3555 twips, scaled to the
# screen (DRAVELO_SCREEN of with-display.sh).
case "${DRAVELO_SCREEN:-640x480x24}" in
640x480x24) about_size=382x237 ;;
800x600x24) about_size=480x303 ;;
*) fail "no About box size known for the screen ${DRAVELO_SCREEN:-}" ;;
esac

start_program it_IT.UTF-8
expect_controls_inside Zerut

key alt+i
about_id=$(wait_window "$about") || fail "Info did not open the About box"
check_texts "first opening"
# Its designed size, even where the desktop places it (a Wayland
# compositor) and could size it too, or where nothing does.
[ "$e2e_reader" = win32 ] || [ "$(window_size "$about_id")" = "$about_size" ] ||
    fail "the About box is $(window_size "$about_id"), not $about_size"
# The focus starts on OK: Space presses it.
key space
wait_no_window "$about" || fail "Space did not close the About box: OK had not the focus"
wait_window Zerut >/dev/null || fail "the cover window did not take the focus back after Space"

# Enter presses OK, the default button.
key alt+i
wait_window "$about" >/dev/null || fail "Info did not open the About box again"
key Return
wait_no_window "$about" || fail "Enter did not close the About box"
wait_window Zerut >/dev/null || fail "the cover window did not take the focus back"

key alt+i
wait_window "$about" >/dev/null || fail "Info did not open the About box a third time"
check_texts "reopened after Enter"

key alt+s
expect_message_box "System Info" "Le informazioni sul sistema non sono disponibili in questa fase"
answer_message_box_default "the System Info message"
wait_window "$about" >/dev/null || fail "the About box closed with the message"

# Where the platform has a registry to name the tool (Windows), "System
# Info..." starts the tool it names, without a message.
if system_info_tool_install; then
    key alt+s
    system_info_tool_started || fail "System Info did not start the tool the registry names"
    expect_no_message_box "System Info with a tool"
    wait_window "$about" >/dev/null || fail "the About box lost the focus when the tool started"
fi

# OK is also the cancel button, wherever the focus is.
key Escape
wait_no_window "$about" || fail "Esc did not close the About box"
program_running || fail "closing the About box ended the program"
wait_window Zerut >/dev/null || fail "the cover window did not take the focus back after Esc"

# An ordinary window, not one the window manager keeps above the program's
# others: "&Continua" with the box open puts the calculation window on top.
key alt+i
about_id=$(wait_window "$about") || fail "Info did not open the About box a fourth time"
if [ "$window_stacking" = yes ]; then
    xprop -id "$about_id" WM_TRANSIENT_FOR | grep -q "window id" &&
        fail "the About box is transient for another window"
    watch_hiding "$(find_window Zerut)" "$about_id"
fi
click_button Zerut Continua || fail "the cover window shows no Continua button"
folim_id=$(wait_window Folim) || fail "Continua did not open the calculation window"
expect_controls_inside Folim
if [ "$window_stacking" = yes ]; then
    wait_on_top "$folim_id" || fail "the calculation window is not on top: $(xprop -root _NET_CLIENT_LIST_STACKING)"
    expect_none_hidden "Continua with the About box open"
fi
find_window "$about" >/dev/null || fail "the About box closed"
end_program_with_esci
echo "PASS: About box texts, size, Space, Esc, Enter, reopening, System Info and Continua (reader $e2e_reader, ${DRAVELO_WM:-openbox} on X)"
