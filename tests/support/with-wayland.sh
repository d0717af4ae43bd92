#!/bin/sh
# Runs a command under its own headless sway, a Wayland compositor with no X
# server, and stops it afterwards. The output shows 640x480 logical pixels,
# as the X journeys' screen, at the scale DRAVELO_WAYLAND_SCALE (1 or 2; at
# 2 the output has 1280x960 pixels, as a HiDPI screen). sway refuses to run as root: started
# as root, this runs itself, the compositor and the command as the user
# nobody, who must then be able to read the program and the scripts. The
# command runs with WAYLAND_DISPLAY, SWAYSOCK and XDG_SESSION_TYPE set, as
# in a Wayland desktop session, and DISPLAY unset.
set -u
scale="${DRAVELO_WAYLAND_SCALE:-1}"
unprivileged=65534
as_unprivileged() {
    setpriv --reuid=$unprivileged --regid=$unprivileged --clear-groups "$@"
}
if [ "$(id -u)" -eq 0 ]; then
    # A checkout in a private folder (a CI clone, a home of mode 0700) is out
    # of nobody's reach: run from a copy of this script, the journey's folder
    # and the program, in a folder of its own that user can read.
    if ! as_unprivileged test -r "$0" -a -r "$1" -a -r "${2:-$1}"; then
        stage=$(mktemp -d /tmp/dravelo-wayland.XXXXXX)
        cp "$0" "$stage/with-wayland.sh"
        cp -R "$(dirname "$1")" "$stage/journey"
        journey="$stage/journey/$(basename "$1")"
        shift
        if [ $# -ge 1 ] && [ -f "$1" ] && [ -x "$1" ]; then
            cp "$1" "$stage/"
            program="$stage/$(basename "$1")"
            shift
            set -- "$program" "$@"
        fi
        chmod -R a+rX "$stage"
        as_unprivileged "$stage/with-wayland.sh" "$journey" "$@"
        status=$?
        rm -rf "$stage"
        exit $status
    fi
    exec setpriv --reuid=$unprivileged --regid=$unprivileged --clear-groups "$0" "$@"
fi
# The command, and the program a journey is given after it.
if [ ! -x "$1" ] && ! command -v "$1" >/dev/null || { [ $# -ge 2 ] && [ "${2#/}" != "$2" ] && [ ! -r "$2" ]; }; then
    echo "with-wayland: $(id -un) cannot run '$1' ${2:+on '$2'}; their folders must be readable by all" >&2
    exit 1
fi
# A home and a runtime directory of the user's own, mode 0700 as a desktop
# session makes them.
HOME=$(mktemp -d)
XDG_RUNTIME_DIR=$(mktemp -d)
export HOME XDG_RUNTIME_DIR
unset DISPLAY WAYLAND_DISPLAY SWAYSOCK
# A window that asks to be activated with a token from the user's own input
# gets the focus, as GNOME and Plasma give it; sway's default only marks it
# urgent. Alt+F4 asks the focused window to close, as there. No Xwayland,
# even where it is installed: a program must not fall back to X.
cat >"$HOME/sway.config" <<CONFIG
output HEADLESS-1 resolution $((640 * scale))x$((480 * scale)) scale $scale
focus_on_window_activation smart
bindsym Mod1+F4 kill
xwayland disable
CONFIG
WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman \
    sway --config "$HOME/sway.config" >"$HOME/sway.log" 2>&1 &
sway_pid=$!
n=0
while ! swaymsg -s "$XDG_RUNTIME_DIR"/sway-ipc.*.sock -t get_outputs >/dev/null 2>&1; do
    if [ $n -ge 100 ] || ! kill -0 $sway_pid 2>/dev/null; then
        echo "with-wayland: sway did not start" >&2
        cat "$HOME/sway.log" >&2
        kill $sway_pid 2>/dev/null
        rm -rf "$HOME" "$XDG_RUNTIME_DIR"
        exit 1
    fi
    sleep 0.05
    n=$((n + 1))
done
SWAYSOCK=$(ls "$XDG_RUNTIME_DIR"/sway-ipc.*.sock)
WAYLAND_DISPLAY=$(cd "$XDG_RUNTIME_DIR" && ls wayland-* | grep -v lock | head -n1)
XDG_SESSION_TYPE=wayland
export SWAYSOCK WAYLAND_DISPLAY XDG_SESSION_TYPE
"$@"
status=$?
kill $sway_pid 2>/dev/null
wait $sway_pid 2>/dev/null
rm -rf "$HOME" "$XDG_RUNTIME_DIR"
exit $status
