# The AT-SPI reader: the Linux program, started directly, seen as a screen
# reader on the X desktop sees it: texts through the accessibility bus
# (atspi_text.py). Sourced by lib.sh.

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

# A stopped print queue is in an error state for the program, which tells
# it; the C regional settings exist; a file may have any name Linux takes.
stopped_queue_told=yes
c_settings=yes
windows_names=no

# Starts the program in the background under these regional settings; sets
# pid.
launch_program() {
    LANG=$1 LC_ALL= "$program" &
    pid=$!
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

# Presses the button whose text contains this word, in the window with this
# title, through its accessibility action from this other process, as a
# screen reader, voice control or automation does.
press_button() {
    timeout 20 "$e2e_dir/atspi_text.py" press "$1" "$2"
}

# The controls of the window with this title that do not lie whole inside
# the screen area X Y WIDTH HEIGHT, one a line.
controls_outside() {
    timeout 20 "$e2e_dir/atspi_text.py" outside "$@"
}

# Linux has no registry to name a system information tool: fails, and
# "System Info..." can only tell that there is none.
system_info_tool_install() {
    return 1
}

system_info_tool_started() {
    return 1
}
