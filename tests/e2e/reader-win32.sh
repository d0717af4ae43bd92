# The Win32 reader: Morlane.exe ($program) under Wine in a private prefix,
# seen through Win32 as a Windows screen reader sees it: the screen read by
# screen_reader.exe (DRAVELO_WIN32_SCREEN_READER) in the same prefix, its
# JSON read by win32_text.py. The system information tool of the About box
# is launch_target.exe (DRAVELO_WIN32_LAUNCH_TARGET). Sourced by lib.sh.
# The desktop is set as a real Windows one would be: the screen scale of
# DRAVELO_DPI (with-display.sh's) and, with DRAVELO_WIN32_COLOURS naming a
# registry file, that colour scheme instead of Wine's.

: "${DRAVELO_WIN32_SCREEN_READER:?the path of screen_reader.exe}"
: "${DRAVELO_WIN32_LAUNCH_TARGET:?the path of launch_target.exe}"
. "$e2e_dir/../platform/win32/wine-prefix.sh"

# Beside the screen reader: what the system or the user does to a window
# from outside (window_command.exe); one folder up, the measure of every
# text of the program's windows (text_fit_check.exe).
win32_window_command=$(dirname "$DRAVELO_WIN32_SCREEN_READER")/window_command.exe
win32_text_fit_check=$(dirname "$DRAVELO_WIN32_SCREEN_READER")/../text_fit_check.exe

# The first start of a Wine process in a cold server takes a few seconds.
window_wait_tenths=200
# Reads of the screen while a window is still being built may miss a field.
win32_read_attempts=3

# A paused printer keeps the jobs until it is resumed, as a Windows spooler
# does; Wine shows every CUPS queue as ready (PRINTER_INFO_2 Status 0).
stopped_queue_told=no
# Windows has no C settings: Wine reads LANG=C as English (en-US).
c_settings=no
# The program refuses the names Windows keeps for devices, and characters
# such as the colon.
windows_names=yes

# Unix paths as Wine's drive Z: names them.
windows_path() {
    printf 'Z:%s' "$1" | tr / '\\'
}

reader_start() {
    # The prefix lives beside, not in, the journey's current directory,
    # whose files the journeys check.
    win32_dir=$(mktemp -d "${TMPDIR:-/tmp}/dravelo-e2e-wine.XXXXXX")
    win32_locale=
    wine_prefix_use "$win32_dir/prefix"
    [ "${DRAVELO_DPI:-96}" = 96 ] || wine_prefix_dpi "$DRAVELO_DPI"
    # Inherited by the program and the tools it starts.
    export DRAVELO_LAUNCH_MARKER="$(windows_path "$win32_dir/launched.txt")"
}

reader_stop() {
    if [ -n "$win32_locale" ]; then wine_prefix_stop; fi
    rm -rf "$win32_dir"
}

# The Wine server reads the regional settings (and CUPS_SERVER) when it
# starts: it is started at the first launch, and again when the settings
# change. The prefix is made at the first start.
win32_server_for() {
    [ "$win32_locale" = "$1" ] && return 0
    if [ -n "$win32_locale" ]; then wine_prefix_stop; fi
    export LANG=$1 LC_ALL=$1
    win32_locale=$1
    wine_prefix_start || fail "wineboot failed"
    # The making of the prefix writes Wine's scheme: this one goes over it,
    # and is read afresh by a server started anew.
    if [ -n "${DRAVELO_WIN32_COLOURS:-}" ]; then
        wine reg import "$(windows_path "$DRAVELO_WIN32_COLOURS")" >/dev/null 2>&1 || fail "the colour scheme was not set"
        wine_prefix_stop
        wine_prefix_start || fail "the Wine server did not start again"
    fi
}

# Starts the program in the background under these regional settings; sets
# pid.
launch_program() {
    win32_server_for "$1"
    wine "$program" &
    pid=$!
}

# Runs win32_text.py with these arguments on the screen as read now; tried
# again while it finds nothing.
win32_read() {
    local n=0
    while [ $n -lt $win32_read_attempts ]; do
        timeout 20 wine "$DRAVELO_WIN32_SCREEN_READER" 2>/dev/null >"$win32_dir/screen.json" &&
            python3 "$e2e_dir/win32_text.py" "$@" <"$win32_dir/screen.json" 2>"$win32_dir/read.err" && return 0
        sleep 0.2
        n=$((n + 1))
    done
    cat "$win32_dir/read.err" >&2
    return 1
}

# The text of the field a screen reader announces by this name.
field_text() {
    win32_read field "$1"
}

# The title of the system's foreground window.
foreground_title() {
    win32_read foreground
}

# The label texts of the window with this title, one a line.
window_labels() {
    win32_read labels "$1"
}

# The texts of the open message box.
message_text() {
    win32_read message
}

# The screen point at the middle of the button with this text (access key
# left out), in the window with this title: "x y".
button_centre() {
    win32_read centre "$1" "$2"
}

# Presses the button with this text (access key left out), in the window
# with this title: the reader posts it BM_CLICK, as the system's
# accessibility proxy does for a button's default action.
press_button() {
    local handle
    handle=$(win32_read handle "$1" "$2") || return 1
    timeout 20 wine "$DRAVELO_WIN32_SCREEN_READER" press "$handle" 2>/dev/null
}

# Restores the window with this title from outside, by the system's
# ShowWindow(SW_RESTORE) (restore) or its system menu's Restore
# (sc-restore), or maximizes it (maximize).
window_command() {
    timeout 20 wine "$win32_window_command" "$@" >/dev/null 2>&1
}

# Whether every text of the program's three windows is whole inside its
# control on this screen; tells those that are not. Opens the windows of
# its own: run it while the program is not running.
texts_whole() {
    timeout 60 wine "$win32_text_fit_check" >/dev/null
}

# A change of the colour scheme, as the Control Panel makes it: the system
# colour INDEX becomes "R G B", and every window is told.
set_system_colour() {
    timeout 20 wine "$win32_window_command" colour "$1" "$2" >/dev/null 2>&1
}

# Names launch_target.exe as the system information tool, where the About
# box looks first.
system_info_tool_install() {
    wine reg add 'HKLM\SOFTWARE\Microsoft\Shared Tools\MSINFO' /v PATH /t REG_SZ \
        /d "$(windows_path "$DRAVELO_WIN32_LAUNCH_TARGET")" /f >/dev/null 2>&1
}

# Waits (bounded) until the tool has run: it writes the marker file.
system_info_tool_started() {
    local n=0
    while [ ! -s "$win32_dir/launched.txt" ]; do
        [ $n -lt 100 ] || return 1
        sleep 0.1
        n=$((n + 1))
    done
}

# Ends the session as a user logging off does: every program is asked.
# Status 0 when the session ended, 1 when a program refused.
end_session() {
    timeout 60 wineboot --end-session >/dev/null 2>&1
}
