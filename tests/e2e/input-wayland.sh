# The window and keyboard functions of lib.sh for a Wayland desktop under
# sway: keys through the virtual-keyboard protocol (wtype), windows as sway
# lists them, the pointer moved by sway's seat commands, screenshots with
# grim. Sourced by lib.sh after its own X functions, which these replace.

# wtype sends keysyms with a keymap of its own: the layout does not matter.
set_keyboard_layout() {
    :
}

# The compositor's keyboard focus, which decides where keys go.
wait_window() {
    local title=$1 n=0
    while [ $n -lt $window_wait_tenths ]; do
        if [ "$("$e2e_dir/sway_windows.py" focused)" = "$title" ]; then
            "$e2e_dir/sway_windows.py" id "$title"
            return 0
        fi
        sleep 0.1
        n=$((n + 1))
    done
    return 1
}

find_window() {
    "$e2e_dir/sway_windows.py" id "$1"
}

# Gives the window with this title the focus, as a click on it would.
activate_window() {
    swaymsg -q "[title=\"^$1\$\"] focus"
}

window_area() {
    "$e2e_dir/sway_windows.py" area "$1"
}

# A button's point as the accessibility bus gives it is within its window:
# a Wayland client does not know where its window is. The window gets the
# focus before the press, as after a first click on it. Clicked at once in
# an unfocused window, Qt 6.4 asks for that window's activation itself, and
# late: sway then hands the focus back to it from a window the click opened.
click_button() {
    local point origin title=$1
    point=$(button_centre "$1" "$2") || return 1
    origin=$(window_area "$(find_window "$1")") || return 1
    set -- $origin $point
    activate_window "$title" && wait_window "$title" >/dev/null || return 1
    sleep 0.2
    swaymsg -q "seat - cursor set $(($1 + $5)) $(($2 + $6))" &&
        swaymsg -q "seat - cursor press button1" && swaymsg -q "seat - cursor release button1"
}

# Keys named as for xdotool ("alt+c", "shift+Tab", "Return"), one wtype call.
key() {
    local args="" combo name modifier
    for combo in "$@"; do
        name=${combo##*+}
        set -f
        for modifier in $(printf '%s' "${combo%"$name"}" | tr '+' ' '); do
            args="$args -M $modifier"
        done
        args="$args -k $name"
        for modifier in $(printf '%s' "${combo%"$name"}" | tr '+' ' '); do
            args="$args -m $modifier"
        done
        set +f
        args="$args -s 30"
    done
    wtype $args
    sleep 0.15
}

type_text() {
    wtype -d 20 -- "$1"
    sleep 0.1
}

# The whole output, at its scale.
screenshot() {
    grim "$1"
}

# sway has no maximized state to restore from, and stacks floating windows
# (the About box, message boxes) above tiled ones whatever has the focus.
window_manager_restores=no
window_stacking=no
