# The AT-SPI reader: the program seen as a screen reader on the X desktop
# sees it. Windows are found through the X server, texts through the
# accessibility bus (atspi_text.py). Sourced by lib.sh.

reader_start() {
    # A private session bus with the accessibility bus on it.
    eval "$(dbus-launch --sh-syntax)"
    /usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
    atspi_pid=$!
    export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
}

reader_stop() {
    kill "$atspi_pid" "$DBUS_SESSION_BUS_PID" 2>/dev/null
}

# Waits (bounded) until the window with this exact title is visible and has
# the window manager's focus, so that keys reach it; prints its id.
wait_window() {
    local title=$1 n=0 id
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
    local title=$1 n=0
    while find_window "$title" >/dev/null; do
        [ $n -lt 100 ] || return 1
        sleep 0.1
        n=$((n + 1))
    done
}

# Prints the id of a visible window with this exact title, focused or not;
# fails if there is none.
find_window() {
    xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n1 | grep .
}

# The text of the field a screen reader announces by this name.
field_text() {
    timeout 20 "$e2e_dir/atspi_text.py" field "$1"
}

# The label texts of the window with this title, one a line.
window_labels() {
    timeout 20 "$e2e_dir/atspi_text.py" labels "$1"
}

# The texts of the open message box.
message_text() {
    timeout 20 "$e2e_dir/atspi_text.py" message
}

# The screen point at the middle of the button whose text contains this
# word, in the window with this title: "x y".
button_centre() {
    timeout 20 "$e2e_dir/atspi_text.py" centre "$1" "$2"
}
