# The library of the end-to-end scripts: they drive the real program with X
# events (xdotool, xclip) and run under with-display.sh. A script sets
# e2e_dir to this folder and sources this file.
#
# How the program is started and what the scripts read of it goes through a
# reader, chosen by DRAVELO_E2E_READER (default atspi: the Linux program)
# and sourced from reader-NAME.sh, so that the same journeys drive the
# program on another platform (win32: Morlane.exe under Wine). A reader
# provides reader_start, reader_stop, launch_program, field_text,
# window_labels, message_text, button_centre, press_button (an assistive
# press), system_info_tool_install and
# system_info_tool_started, and sets stopped_queue_told, c_settings and
# windows_names to yes or no (see reader-atspi.sh); a platform with sessions to end also
# provides end_session, one that sees the system's foreground window
# foreground_title, one that can act on windows from outside
# window_command and set_system_colour, and one that can measure the
# program's texts texts_whole (see reader-win32.sh). The windows are X
# windows, found here and driven with xdotool, unless the reader names an
# input file (e2e_input): input-NAME.sh then replaces those functions (see
# input-wayland.sh).

: "${e2e_dir:?set e2e_dir to the folder of lib.sh before sourcing it}"

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

e2e_reader=${DRAVELO_E2E_READER:-atspi}
[ -f "$e2e_dir/reader-$e2e_reader.sh" ] || fail "no reader named '$e2e_reader'"
. "$e2e_dir/reader-$e2e_reader.sh"

# Message boxes carry the application title; the input box of "&Salva" has
# a title of its own.
message_box=Dravelo
input_box="Calcolo del potere calorifico dei combustibili"
# How long the program may take to end after Yes (tenths of a second); the
# sanitizer build checks for leaks on the way out.
end_wait_tenths=100
# How long a window may take to come or go (tenths of a second); a reader
# may allow more.
: "${window_wait_tenths:=100}"

# A scratch current directory, the reader and an Italian keyboard for one
# run. At exit the program (pid) is killed if still running, the optional
# COMMAND runs, and the reader and the scratch directory go.
begin_run() {
    run_cleanup=${1:-}
    workdir=$(mktemp -d)
    cd "$workdir" || exit 1
    pid=
    trap end_run EXIT
    # The EXIT trap runs on a signal only through exit.
    trap 'exit 130' INT TERM
    reader_start
    set_keyboard_layout it
}

end_run() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null
    [ -n "$run_cleanup" ] && $run_cleanup
    reader_stop
    cd / && rm -rf "$workdir"
}

# The program's users type on an Italian keyboard, where "ù" has a key of
# its own: typing it then needs no remapped key, which is unreliable under
# load.
set_keyboard_layout() {
    setxkbmap "$1" 2>/dev/null || echo "note: keyboard layout '$1' not set" >&2
}

# Starts the program (path in $program) under these regional settings, sets
# pid, and waits for the cover window.
start_program() {
    launch_program "$1"
    wait_window Zerut >/dev/null || fail "the cover window did not open"
}

# The window manager with-display.sh started: none on a bare X server.
window_manager=${DRAVELO_WM:-openbox}

# The window that keys go to: the window manager's active one, or with none,
# the X server's focus.
focused_window() {
    if [ "$window_manager" = none ]; then
        xdotool getwindowfocus 2>/dev/null
    else
        xdotool getactivewindow 2>/dev/null
    fi
}

# Waits (bounded) until the window with this exact title is visible and has
# the focus, so that keys reach it; prints its id.
wait_window() {
    local title=$1 n=0 id
    while [ $n -lt $window_wait_tenths ]; do
        id=$(focused_window)
        if [ -n "$id" ] && [ "$(xdotool getwindowname "$id" 2>/dev/null)" = "$title" ]; then
            echo "$id"
            return 0
        fi
        # While the window manager's focus is on another window of the same
        # program, the system's own foreground window counts where the
        # reader sees it: Wine does not tell the window manager when a
        # program brings a window of its own to the front, and the
        # program's keys go to that window.
        if [ $((n % 5)) -eq 4 ] && [ -n "$id" ] && command -v foreground_title >/dev/null &&
            same_program "$id" "$title" && [ "$(foreground_title)" = "$title" ]; then
            find_window "$title"
            return 0
        fi
        sleep 0.1
        n=$((n + 1))
    done
    return 1
}

# Whether the window (X id) belongs to the process that shows a window with
# this title.
same_program() {
    local other
    other=$(find_window "$2") || return 1
    [ "$(xdotool getwindowpid "$1" 2>/dev/null)" = "$(xdotool getwindowpid "$other" 2>/dev/null)" ]
}

# Waits (bounded) until no visible window has this title.
wait_no_window() {
    local title=$1 n=0
    while find_window "$title" >/dev/null; do
        [ $n -lt $window_wait_tenths ] || return 1
        sleep 0.1
        n=$((n + 1))
    done
}

# Prints the id of a visible window with this exact title, focused or not;
# fails if there is none.
find_window() {
    xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n1 | grep .
}

program_running() {
    kill -0 "$pid" 2>/dev/null
}

# "&Continua" on the cover window: the calculation window.
open_calculation() {
    key alt+c
    wait_window Folim >/dev/null || fail "Continua did not open the calculation window"
}

# Waits for a message box to take the focus and, with TEXT, checks that it
# says TEXT; failures name WHAT.
expect_message_box() {
    local what=$1 said
    wait_window "$message_box" >/dev/null || fail "$what: no message box"
    [ $# -ge 2 ] || return 0
    said=$(message_text)
    case "$said" in
    *"$2"*) ;;
    *) fail "$what: the message box says '$said', not '$2'" ;;
    esac
}

# Answers the open message box with its default button (Enter); it closes
# and the program goes on.
answer_message_box_default() {
    key Return
    wait_no_window "$message_box" || fail "$1: the message box did not close"
    program_running || fail "$1: the program ended"
}

# Fails if a message box is shown.
expect_no_message_box() {
    find_window "$message_box" >/dev/null && fail "$1: a message box came up"
    return 0
}

# Answers Yes to the exit question (Shift+Tab from the default No, then
# Space): the program must end with status 0, which under the sanitizer
# build also means no leak report.
answer_exit_yes() {
    local n=0 status
    expect_message_box "$1" "Chiudere il programma ?"
    key shift+Tab space
    while program_running && [ $n -lt $end_wait_tenths ]; do
        sleep 0.1
        n=$((n + 1))
    done
    program_running && fail "$1: the program did not end after Yes"
    wait "$pid"
    status=$?
    pid=
    [ $status -eq 0 ] || fail "$1: the program ended with status $status"
}

# The normal way out from either window: "&ESCI", answered Yes.
end_program_with_esci() {
    key alt+e
    answer_exit_yes "ESCI"
}

# Clicks the button with the pointer, where the screen shows it.
click_button() {
    local point
    point=$(button_centre "$1" "$2") || return 1
    xdotool mousemove ${point% *} ${point#* } click 1
}

# A window's client area on the screen: "X Y WIDTH HEIGHT" in pixels.
# (xdotool counts the window manager's frame twice in the position.)
window_area() {
    xwininfo -id "$1" | awk -F: '/Absolute upper-left X/ { x = $2 } /Absolute upper-left Y/ { y = $2 }
        /^ *Width/ { w = $2 } /^ *Height/ { h = $2 } END { print x + 0, y + 0, w + 0, h + 0 }'
}

# Where the reader can tell where controls are: the maximized window with
# this title holds every control of its own, and where no window manager
# runs, it covers the screen by itself.
expect_controls_inside() {
    local area outside
    command -v controls_outside >/dev/null || return 0
    area=$(window_area "$(find_window "$1")")
    if [ "$window_manager" = none ] && [ "$area" != "0 0 $(xdotool getdisplaygeometry)" ]; then
        fail "$1 is at $area (x y width height), not over the whole screen"
    fi
    outside=$(controls_outside "$1" $area) || fail "$1: its controls cannot be read"
    [ -z "$outside" ] || fail "$1 at $area holds not all its controls; outside it: $outside"
}

# The size of a window's client area, as WIDTHxHEIGHT pixels.
window_size() {
    window_area "$1" | awk '{ print $3 "x" $4 }'
}

# Double-clicks a window's title bar, just above its client area: the window
# manager maximizes or restores it. Waits (bounded) until its size is SIZE.
toggle_maximized() {
    local id=$1 size=$2 area
    area=$(window_area "$id")
    set -- $area
    xdotool mousemove $(($1 + $3 / 2)) $(($2 - 8)) click --repeat 2 --delay 80 1
    wait_size "$id" "$size"
}

# Waits (bounded) until the window's size is SIZE.
wait_size() {
    local n=0
    while [ "$(window_size "$1")" != "$2" ]; do
        [ $n -lt $window_wait_tenths ] || return 1
        sleep 0.1
        n=$((n + 1))
    done
}

# Watches these windows (X ids) for being hidden, as the system hides a
# window it unmaps: the window manager drops it and shows it anew.
watch_hiding() {
    hiding_log=$(mktemp)
    hiding_watchers=
    for id in "$@"; do
        xev -id "$id" -event structure >>"$hiding_log" 2>&1 &
        hiding_watchers="$hiding_watchers $!"
    done
    # Until each watcher has asked for the window's events.
    sleep 0.5
}

# Stops watching; fails, naming WHAT, if a watched window was hidden.
expect_none_hidden() {
    sleep 0.5
    kill $hiding_watchers 2>/dev/null
    wait $hiding_watchers 2>/dev/null
    if grep -q UnmapNotify "$hiding_log"; then
        rm -f "$hiding_log"
        fail "$1: a window of the program was hidden and shown again"
    fi
    rm -f "$hiding_log"
}

# Waits (bounded) until the screen shows the colour #RRGGBB at X Y.
wait_screen_colour() {
    local n=0
    while [ "$(import -window root -crop "1x1+$1+$2" -depth 8 txt:- 2>/dev/null | grep -o '#[0-9A-F]\{6\}')" != "$3" ]; do
        [ $n -lt 20 ] || return 1
        sleep 0.2
        n=$((n + 1))
    done
}

# During a wait of the program (WHAT): another window laid over it and
# taken away leaves the calculation window whole, which a frozen program
# would leave unpainted.
expect_painting_during_wait() {
    local shots unpainted cover n=0
    find_window Folim >/dev/null || fail "$1: no calculation window during the wait"
    shots=$(mktemp -d)
    import -window root "$shots/waiting.png"
    xmessage -geometry 400x200+40+60 "Coperto" &
    cover=$!
    until find_window xmessage >/dev/null || [ $n -gt 50 ]; do sleep 0.1; n=$((n + 1)); done
    sleep 0.5
    kill "$cover"
    wait "$cover" 2>/dev/null
    sleep 1
    import -window root "$shots/uncovered.png"
    # Only where the other window lay: the focus may have left the button.
    unpainted=$(compare -metric AE "$shots/waiting.png[400x200+40+60]" "$shots/uncovered.png[400x200+40+60]" null: 2>&1)
    rm -rf "$shots"
    [ "${unpainted%% *}" -lt 500 ] 2>/dev/null ||
        fail "$1: the window was not painted again during the wait ($unpainted pixels differ)"
}

# The window on top of all, as the window manager stacks them.
top_window() {
    xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*, *//; s/.*# *//'
}

# Waits (bounded) until the window (X id) is on top of all.
wait_on_top() {
    local hex n=0
    hex=$(printf '0x%x' "$1")
    while [ "$(top_window)" != "$hex" ]; do
        [ $n -lt 20 ] || return 1
        sleep 0.1
        n=$((n + 1))
    done
}

# Gives the window with this title the focus.
activate_window() {
    xdotool windowactivate "$(find_window "$1")"
}

# The whole screen as a PNG file.
screenshot() {
    import -window root "$1"
}

# The window manager restores a maximized window (toggle_maximized), and
# stacks windows as they are activated (top_window, WM_TRANSIENT_FOR).
if [ "$window_manager" = none ]; then
    window_manager_restores=no
    window_stacking=no
else
    window_manager_restores=yes
    window_stacking=yes
fi

# Types text into the focused control.
type_text() {
    xdotool type --delay 20 -- "$1"
    sleep 0.1
}

key() {
    xdotool key --delay 30 "$@"
    sleep 0.15
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

# Prints the report that the first worked example with the fuel name
# "Gasolio più pesante" should give, as UTF-8 lines, from the shared file
# $worked_example_report. Its {date} and {time} become the texts behind
# " = " on lines 3 and 4 of the report read back (FILE), once their formats
# are checked.
expected_worked_example_report() {
    local date time
    date=$(sed -n '3{s/.* = //;s/\r$//;p}' "$1")
    time=$(sed -n '4{s/.* = //;s/\r$//;p}' "$1")
    printf '%s\n' "$date" | grep -Eqx '[0-9]{1,2}/[0-9]{1,2}/[0-9]{2,4}' || fail "date line: '$(sed -n 3p "$1")'"
    printf '%s\n' "$time" | grep -Eqx '[0-9]{1,2}:[0-9]{2}:[0-9]{2}' || fail "time line: '$(sed -n 4p "$1")'"
    sed -e "s|{date}|$date|" -e "s|{time}|$time|" "$worked_example_report"
}

if [ -n "${e2e_input:-}" ]; then
    . "$e2e_dir/input-$e2e_input.sh"
fi
