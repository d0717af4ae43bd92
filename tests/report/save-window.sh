#!/bin/sh
# "&Salva" through the real window, typed as a user would: the report read
# back byte by byte from the program's current directory; a name that
# cannot be written gives a message and keeps the earlier report; Cancel
# saves to ".TXT". Runs under with-display.sh.
set -u
. "$(dirname "$0")/../e2e/lib.sh"
program=$1
workdir=$(mktemp -d)
earlier=$(mktemp)
cd "$workdir" || exit 1
pid=""
trap '[ -n "$pid" ] && kill $pid 2>/dev/null; rm -rf "$workdir" "$earlier"' EXIT

cr=$(printf '\r')
input_title="Calcolo del potere calorifico dei combustibili"

# Waits (bounded) for a file to exist.
wait_file() {
    n=0
    while [ ! -s "$1" ] && [ $n -lt 50 ]; do sleep 0.1; n=$((n + 1)); done
    [ -s "$1" ]
}

save_as() {
    key alt+s
    wait_window "$input_title" >/dev/null || fail "Salva did not ask for a name"
    [ -n "$1" ] && type_text "$1"
    key "$2"
    wait_no_window "$input_title" || fail "the input box stayed open"
}

# An Italian keyboard has the "ù" key: typing it needs no remapped key,
# which is unreliable under load.
setxkbmap it 2>/dev/null
start_program it_IT.UTF-8
open_calculation

type_worked_example "Gasolio più pesante"

save_as rapp5 Return
wait_file rapp5.TXT || fail "no rapp5.TXT in the current directory"
[ "$(ls -A)" = "rapp5.TXT" ] || fail "unexpected files: $(ls -A)"

# Date and time are today's, in the regional formats.
sed -n 3p rapp5.TXT | grep -Eq "^     Data rapporto di calcolo {20} = [0-9]{1,2}/[0-9]{1,2}/[0-9]{2,4}$cr\$" ||
    fail "date line: '$(sed -n 3p rapp5.TXT)'"
sed -n 4p rapp5.TXT | grep -Eq "^     Ora  rapporto di calcolo {20} = [0-9]{1,2}:[0-9]{2}:[0-9]{2}$cr\$" ||
    fail "time line: '$(sed -n 4p rapp5.TXT)'"
sed '3,4d' rapp5.TXT >rest
printf '%s\r\n' \
    "Calcolo del potere calorifico dei combustibili" \
    "" \
    "     Nome combustibile                            = Gasolio pi$(printf '\371') pesante" \
    "     Carbonio                                     = 85,5 % (in peso)" \
    "     Idrogeno                                     = 11,2 % (in peso)" \
    "     Ossigeno                                     = 0,8 % (in peso)" \
    "     Cloro                                        = 0 % (in peso)" \
    "     Zolfo                                        = 2,5 % (in peso)" \
    "     Potere calorifico inferiore                  = 9493,8 kcal/kg" \
    "" >expected
cmp rest expected || fail "the report differs: $(od -c rapp5.TXT | head -40)"
[ "$(wc -l <rapp5.TXT)" -eq 12 ] || fail "not 12 lines"
rm rest expected

# Saving again under the same name replaces the report without a question.
save_as rapp5 Return
xdotool search --onlyvisible --name '^Dravelo$' >/dev/null 2>&1 && fail "saving again asked or warned"
wait_file rapp5.TXT || fail "rapp5.TXT is gone"
cp rapp5.TXT "$earlier"

# A folder that does not exist: a message, and nothing changes.
save_as manca/rapp5 Return
wait_window Dravelo >/dev/null || fail "a failed save gave no message"
key Return
wait_no_window Dravelo || fail "the message did not close"
kill -0 $pid 2>/dev/null || fail "the program ended after a failed save"
[ -d manca ] && fail "a folder was created"
cmp -s rapp5.TXT "$earlier" || fail "the earlier report changed"

# Cancel writes the report to ".TXT".
save_as "" Escape
wait_file .TXT || fail "Cancel did not save to .TXT"
[ "$(wc -l <.TXT)" -eq 12 ] || fail ".TXT is not the 12-line report"
kill -0 $pid 2>/dev/null || fail "the program ended"
echo "PASS: report saved through the window, read back byte by byte; failure told; Cancel saved to .TXT"
