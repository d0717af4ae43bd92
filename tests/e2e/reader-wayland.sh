# The Wayland reader: the Linux program on its native Wayland platform under
# sway (run the journeys under tests/support/with-wayland.sh), read through
# the accessibility bus as reader-atspi.sh does, and driven through the
# compositor: keys from a virtual keyboard (wtype), windows and pointer
# through sway's IPC (input-wayland.sh). Sourced by lib.sh.

. "$e2e_dir/reader-atspi.sh"
e2e_input=wayland
# No X server: the program must not find one to fall back to.
unset DISPLAY
# A Wayland client does not know where its window is on the screen.
unset -f controls_outside

reader_start() {
    eval "$(dbus-launch --sh-syntax)"
    /usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
    atspi_pid=$!
    export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
    # A keyboard that stays for the whole run, as a desktop's does. Every
    # wtype call adds a virtual keyboard of its own and takes it away when
    # done; were it the seat's only one, the seat would lose and regain its
    # keyboard with each call, and keys sent before the program has its new
    # wl_keyboard arrive as already held and are lost.
    wtype -s 86400000 &
    keyboard_pid=$!
    # And a pointer, which a headless compositor lacks.
    "$e2e_dir/wayland_pointer.py" &
    pointer_pid=$!
}

reader_stop() {
    kill "$pointer_pid" "$keyboard_pid" "$atspi_pid" "$DBUS_SESSION_BUS_PID" 2>/dev/null
}

# As a desktop starts it: Qt chooses its platform itself.
launch_program() {
    LANG=$1 LC_ALL= "$program" &
    pid=$!
}
