# Helpers for driving the real program with X events (xdotool, xclip).
# Sourced by the end-to-end scripts; they run under with-display.sh.

e2e_dir=$(cd "$(dirname "$0")" && pwd)

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Waits (bounded) until the window with this exact title is visible and has
# the window manager's focus, so that keys reach it; prints its id.
wait_window() {
    title=$1
    n=0
    while [ $n -lt 100 ]; do
        id=$(xdotool getactivewindow 2>/dev/null)
        if [ -n "$id" ] && [ "$(xdotool getwindowname "$id" 2>/dev/null)" = "$title" ]; then
            echo "$id"
            return 0
        fi
        sleep 0.1
        n=$((n + 1))
    done
    return 1
}

# Waits (bounded) until no visible window has this title.
wait_no_window() {
    title=$1
    n=0
    while xdotool search --onlyvisible --name "^${title}\$" >/dev/null 2>&1; do
        [ $n -lt 100 ] || return 1
        sleep 0.1
        n=$((n + 1))
    done
}

# A scratch current directory and the accessibility bus for one test run,
# both cleaned up at exit together with the program (pid).
begin_run() {
    workdir=$(mktemp -d)
    cd "$workdir" || exit 1
    start_accessibility
    pid=
    trap 'kill $pid 2>/dev/null; stop_accessibility; rm -rf "$workdir"' EXIT
}

# Starts the program (path in $program) under these regional settings, sets
# pid, and waits for the cover window.
start_program() {
    LANG=$1 LC_ALL= "$program" &
    pid=$!
    wait_window Zerut >/dev/null || fail "the cover window did not open"
}

# "&Continua" on the cover window: the calculation window.
open_calculation() {
    key alt+c
    wait_window Folim >/dev/null || fail "Continua did not open the calculation window"
}

# The first worked example typed field by field with Enter, as a user does:
# the fuel name given, then 85,5 / 11,2 / 0,8 / 0 / 2,5; "&Calcola" follows.
type_worked_example() {
    type_text "$1"
    key Return
    for value in 85,5 11,2 0,8 0 2,5; do
        type_text "$value"
        key Return
    done
    key alt+c
}

# Types text into the focused control.
type_text() {
    xdotool type --delay 20 -- "$1"
    sleep 0.1
}

key() {
    xdotool key --delay 30 "$@"
    sleep 0.15
}

# The text of the focused line edit, through the clipboard.
focused_text() {
    printf '' | xclip -selection clipboard >/dev/null 2>&1
    key ctrl+a ctrl+c
    xclip -o -selection clipboard 2>/dev/null
}

# Starts a private session bus with the accessibility bus, so that the
# program's texts can be read as a screen reader reads them.
start_accessibility() {
    eval "$(dbus-launch --sh-syntax)"
    /usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
    atspi_pid=$!
    export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
}

stop_accessibility() {
    kill "$atspi_pid" "$DBUS_SESSION_BUS_PID" 2>/dev/null
}

# The text of the field a screen reader announces by this name.
field_text() {
    timeout 20 "$e2e_dir/atspi_text.py" field "$1"
}

# The label texts of the window with this title, one a line.
window_labels() {
    timeout 20 "$e2e_dir/atspi_text.py" labels "$1"
}

# The texts of the open message box, read through the accessibility bus.
message_text() {
    timeout 20 "$e2e_dir/atspi_text.py" message
}
