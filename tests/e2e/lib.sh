# Helpers for driving the real program with X events (xdotool, xclip).
# Sourced by the end-to-end scripts; they run under with-display.sh.

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Waits (bounded) until a visible window with this exact title exists and
# prints its id.
wait_window() {
    title=$1
    n=0
    while [ $n -lt 100 ]; do
        id=$(xdotool search --onlyvisible --name "^${title}\$" 2>/dev/null | head -n1)
        if [ -n "$id" ]; then
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
    printf '' | xclip -selection clipboard
    key ctrl+a ctrl+c
    xclip -o -selection clipboard 2>/dev/null
}

# The text of the active message box (Qt copies it on Ctrl+C).
message_text() {
    printf '' | xclip -selection clipboard
    key ctrl+c
    xclip -o -selection clipboard 2>/dev/null
}
