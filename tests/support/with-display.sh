#!/bin/sh
# Runs a command under its own Xvfb and window manager, and stops both
# afterwards. Screen size and depth from DRAVELO_SCREEN (default
# 640x480x24), the logical DPI from DRAVELO_DPI (default 96), the window
# manager from DRAVELO_WM: openbox (default), xfwm4, or none for a bare X
# server (a kiosk started with xinit, a virtual screen shared over VNC).
set -u
screen="${DRAVELO_SCREEN:-640x480x24}"
dpi="${DRAVELO_DPI:-96}"
wm="${DRAVELO_WM:-openbox}"
workdir=$(mktemp -d)
# A private runtime directory, as a desktop session has (mktemp gives 0700).
XDG_RUNTIME_DIR="$workdir"
export XDG_RUNTIME_DIR
exec 3>"$workdir/displayfd"
# -noreset: the server must keep the resources set below when xrdb disconnects.
Xvfb -displayfd 3 -screen 0 "$screen" -dpi "$dpi" -nolisten tcp -noreset >"$workdir/xvfb.log" 2>&1 &
xvfb_pid=$!
exec 3>&-
n=0
while [ ! -s "$workdir/displayfd" ] && [ $n -lt 100 ]; do sleep 0.05; n=$((n + 1)); done
if [ ! -s "$workdir/displayfd" ]; then
    echo "with-display: Xvfb did not start" >&2
    cat "$workdir/xvfb.log" >&2
    kill "$xvfb_pid" 2>/dev/null
    rm -rf "$workdir"
    exit 1
fi
DISPLAY=":$(head -n1 "$workdir/displayfd")"
export DISPLAY
if [ "$dpi" != 96 ]; then
    echo "Xft.dpi: $dpi" | xrdb -merge 2>/dev/null
fi
bus_pid=
wm_pid=
case "$wm" in
openbox)
    openbox --sm-disable >"$workdir/wm.log" 2>&1 &
    wm_pid=$!
    ;;
xfwm4)
    # xfwm4 reads its settings through xfconf on the session bus; without one
    # libdbus would autolaunch a bus that outlives the test. Its own bus,
    # then, stopped below, which ends xfconfd with it.
    bus_address=$(dbus-daemon --session --fork --print-address=1 --print-pid=3 3>"$workdir/bus.pid")
    bus_pid=$(cat "$workdir/bus.pid")
    DBUS_SESSION_BUS_ADDRESS="$bus_address" NO_AT_BRIDGE=1 \
        xfwm4 --compositor=off --sm-client-disable >"$workdir/wm.log" 2>&1 &
    wm_pid=$!
    ;;
none) ;;
*)
    echo "with-display: unknown window manager '$wm' (openbox, xfwm4, none)" >&2
    kill "$xvfb_pid" 2>/dev/null
    rm -rf "$workdir"
    exit 1
    ;;
esac
# Wait until the window manager has taken the screen.
n=0
while [ -n "$wm_pid" ] && ! xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && [ $n -lt 100 ]; do
    sleep 0.05
    n=$((n + 1))
done
"$@"
status=$?
kill $wm_pid "$xvfb_pid" $bus_pid 2>/dev/null
wait $wm_pid "$xvfb_pid" 2>/dev/null
rm -rf "$workdir"
exit $status
