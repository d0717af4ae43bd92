#!/bin/sh
# The end of the session where Qt has no session manager (Wayland): the
# program asks the desktop's portal to hold a log-off while it runs, once,
# with its reason, so that the desktop can tell the user before the typed
# figures go. The portal is a stand-in on the run's session bus.
set -u
e2e_dir=$(cd "$(dirname "$0")" && pwd)
. "$e2e_dir/lib.sh"
program=$1
begin_run stop_portal
stop_portal() {
    kill "$portal_pid" 2>/dev/null
}

"$e2e_dir/desktop_portal.py" "$workdir/holds" >"$workdir/portal.out" &
portal_pid=$!
n=0
until grep -q ready "$workdir/portal.out" 2>/dev/null; do
    [ $n -lt 100 ] || fail "the stand-in portal did not start"
    sleep 0.1
    n=$((n + 1))
done

start_program it_IT.UTF-8
open_calculation
type_worked_example "Gasolio"
[ "$(field_text "Potere calorifico inferiore [kcal/kg]")" = "9493,8" ] || fail "the worked example did not give 9493,8"
[ -s "$workdir/holds" ] || fail "the program did not ask the desktop to hold a log-off"
[ "$(wc -l <"$workdir/holds")" -eq 1 ] || fail "the program asked more than once: $(cat "$workdir/holds")"
read -r flags reason <"$workdir/holds"
# 1: log-off, nothing else (not suspend, idle or switching users).
[ "$flags" = 1 ] || fail "the hold has flags $flags, not 1 (log-off)"
case "$reason" in
*ESCI*) ;;
*) fail "the hold's reason does not tell how to close the program: '$reason'" ;;
esac
end_program_with_esci
echo "PASS: a log-off held through the desktop portal while the program runs"
