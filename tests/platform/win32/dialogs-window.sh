#!/bin/sh
# The message box and the input box on real windows under Wine, with the
# Italian settings the program is made for: read with the screen reader as
# a person would check them, answered with real keys. Runs under
# with-display.sh.
# Usage: dialogs-window.sh DIALOG_CHECK_EXE SCREEN_READER_EXE
set -u
check=$1
reader=$2
describe="$(dirname "$0")/reader/describe.py"
process=$(basename "$check")
work=$(mktemp -d)
pid=""
. "$(dirname "$0")/wine-prefix.sh"
wine_prefix_use "$work/prefix"
export LANG=it_IT.UTF-8 LC_ALL=it_IT.UTF-8
finish() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null
    wine_prefix_stop
    rm -rf "$work"
}
trap finish EXIT
trap 'exit 130' INT TERM

fail() {
    echo "dialogs-window: $*" >&2
    exit 1
}

# Reads the screen until the program's windows are as expected (bounded).
expect_screen() {
    n=0
    while [ $n -lt 60 ]; do
        wine "$reader" >"$work/screen.json" 2>/dev/null &&
            python3 "$describe" "$work/screen.json" "$process" >"$work/seen" &&
            [ "$(cat "$work/seen")" = "$2" ] && return 0
        sleep 0.25
        n=$((n + 1))
    done
    fail "$1: the screen reads
$(cat "$work/seen")"
}

# Waits for the program's answer line number $1 and compares it.
expect_answer() {
    n=0
    while [ "$(wc -l <"$work/answers")" -lt "$1" ] && [ $n -lt 60 ]; do
        sleep 0.25
        n=$((n + 1))
    done
    seen=$(tr -d '\r' <"$work/answers" | sed -n "${1}p")
    [ "$seen" = "$2" ] || fail "answer $1 is \"$seen\", not \"$2\""
}

# An Italian keyboard has the "è" key.
setxkbmap it 2>/dev/null
wine_prefix_start

question="Chiudere il programma ?"
title="Calcolo del potere calorifico dei combustibili"
# Made before the program starts: the background job opens it later.
: >"$work/answers"
wine "$check" "$question" "Nome file - Max 8 caratteri" "$title" >>"$work/answers" 2>&1 &
pid=$!
expect_answer 1 "start focus=field"

forms_disabled='window "Form A" disabled
  Edit 1 ""
window "Form B" disabled
  Edit 1 ""'
# The system's own box and words, No the default, every window disabled.
box='window "Dravelo" enabled foreground
  Static 1088 ""
  Button 6 "&Sì"
  Button 7 "&No" focused
  Static 65535 "'"$question"'"'
expect_screen "the owned question" "$box
$forms_disabled"
xdotool key Return
expect_answer 2 "owned No focus=field"

# The input box: the edit line has the focus; the buttons in the system's words.
input_box() {
    printf '%s\n' "window \"$title\" enabled foreground" "  Edit 100 \"$1\" focused" '  Button 1 "Ok"' \
        '  Button 2 "Annulla"' '  Static 101 "Nome file - Max 8 caratteri"'
    printf '%s' "$forms_disabled"
}
expect_screen "the input box" "$(input_box "")"
xdotool type --delay 60 "Caffè 1"
expect_screen "the typed name" "$(input_box "Caffè 1")"
xdotool key Return
expect_answer 3 "input [Caffè 1] focus=field"

expect_screen "the input box again" "$(input_box "")"
xdotool type --delay 60 "x"
xdotool key Escape
expect_answer 4 "input [] focus=field"

# Without an owner the box is still modal to every window of the program.
expect_screen "the unowned question" "$box
$forms_disabled"
xdotool key Tab
expect_screen "Tab to Yes" "$(printf '%s\n' "$box" | sed 's/"&Sì"/"\&Sì" focused/; s/"&No" focused/"\&No"/')
$forms_disabled"
xdotool key Return
expect_answer 5 "unowned Yes focus=field"

wait "$pid" || fail "the check program failed"
pid=""
echo "dialogs-window: both boxes read and answered as expected"
