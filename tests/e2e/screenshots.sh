#!/bin/sh
# Screenshots of the program's three windows, for a person to look at: the
# cover, the About box over it, and the calculation window with the worked
# example. Uses the journeys' reader, so it shoots the Linux program or
# Morlane.exe under Wine alike. Runs under with-display.sh (DRAVELO_SCREEN
# sets the screen size).
# Usage: screenshots.sh PROGRAM OUTPUT_FOLDER
set -u
e2e_dir=$(cd "$(dirname "$0")" && pwd)
out=$(mkdir -p "$2" && cd "$2" && pwd)
. "$e2e_dir/lib.sh"
program=$1
begin_run

# The whole screen once the window with this title has the focus and has
# had time to paint.
shoot() {
    wait_window "$1" >/dev/null || fail "no window '$1' to shoot"
    sleep 1
    screenshot "$out/$2.png" || fail "no screenshot of '$1'"
}

start_program it_IT.UTF-8
shoot Zerut cover
key alt+i
shoot "Informazioni su Dravelo" about
key Escape
wait_window Zerut >/dev/null || fail "the About box did not close"
open_calculation
type_worked_example "Gasolio più pesante"
shoot Folim calculation
end_program_with_esci
echo "screenshots in $out"
