#!/bin/sh
# "&Salva" through the real window, typed as a user would: the report read
# back byte by byte from the program's current directory; a name that
# cannot be written gives a message and keeps the earlier report; the names
# Windows keeps for itself are refused there, and taken as they are on
# Linux; a long name is saved; a current folder that stops answering is
# told within the limit while the window keeps painting, and the save
# answered late leaves nothing behind; Cancel saves to ".TXT".
# Runs under with-display.sh.
# Usage: save-window.sh PROGRAM WORKED_EXAMPLE_REPORT
set -u
here=$(cd "$(dirname "$0")" && pwd)
e2e_dir=$(cd "$here/../e2e" && pwd)
. "$e2e_dir/lib.sh"
program=$1
worked_example_report=$2
begin_run folder_stop

# The program's current folder: a FUSE folder over disco that holds the
# calls named in the hold file (blocking-folder.py; root only), or a plain
# folder where none can be mounted.
folder_start() {
    mkdir disco cartella
    hold=$workdir/hold
    blocking=
    if [ "$(id -u)" -eq 0 ] && [ -e /dev/fuse ]; then
        "$here/blocking-folder.py" disco cartella "$hold" 2>fuse.log &
        fuse_pid=$!
        n=0
        until mountpoint -q cartella || [ $n -gt 50 ]; do sleep 0.1; n=$((n + 1)); done
        mountpoint -q cartella && blocking=yes
    fi
    [ -n "$blocking" ] || echo "note: no FUSE folder here; a folder that stops answering is not tried" >&2
    cd cartella || exit 1
}

folder_stop() {
    cd "$workdir" || return
    rm -f "$hold"
    [ -n "$blocking" ] || return 0
    umount -l cartella
    kill "$fuse_pid" 2>/dev/null
}

# Waits (bounded) for a file to exist.
wait_file() {
    n=0
    while [ ! -s "$1" ] && [ $n -lt 50 ]; do sleep 0.1; n=$((n + 1)); done
    [ -s "$1" ]
}

save_as() {
    key alt+s
    wait_window "$input_box" >/dev/null || fail "Salva did not ask for a name"
    [ -n "$1" ] && type_text "$1"
    key "$2"
    wait_no_window "$input_box" || fail "the input box stayed open"
}

folder_start
start_program it_IT.UTF-8
open_calculation
type_worked_example "Gasolio più pesante"

save_as rapp5 Return
wait_file rapp5.TXT || fail "no rapp5.TXT in the current directory"
[ "$(ls -A)" = "rapp5.TXT" ] || fail "unexpected files: $(ls -A)"

# The saved bytes are Windows-1252 with CR LF: the expected report's UTF-8
# lines are converted to them. Date and time are today's, in the regional
# formats.
expected_worked_example_report rapp5.TXT >../expected.utf8
iconv -f UTF-8 -t WINDOWS-1252 ../expected.utf8 | sed 's/$/\r/' >../expected
cmp rapp5.TXT ../expected || fail "the report differs: $(od -c rapp5.TXT | head -40)"

# Saving again under the same name replaces the report without a question.
save_as rapp5 Return
expect_no_message_box "saving again"
wait_file rapp5.TXT || fail "rapp5.TXT is gone"
cp rapp5.TXT ../earlier

# A folder that does not exist: a message, and nothing changes.
save_as manca/rapp5 Return
expect_message_box "a failed save"
answer_message_box_default "the failed save's message"
[ -d manca ] && fail "a folder was created"
cmp -s rapp5.TXT ../earlier || fail "the earlier report changed"

# Device names, with an extension or a trailing blank, and a colon: on
# Windows a message of the program's own names the name, and nothing is
# written; Linux takes them as they are.
before=$(ls -A)
for name in NUL com1.log "lpt1 " rapp:x; do
    save_as "$name" Return
    if [ "$windows_names" = yes ]; then
        case $name in
        *:*) named='":"' ;;
        *) named="\"${name%%[. ]*}\"" ;;
        esac
        expect_message_box "the name '$name'" "$named"
        answer_message_box_default "the name '$name'"
    else
        wait_file "$name.TXT" || fail "'$name.TXT' was not saved"
    fi
done
[ "$windows_names" = no ] || [ "$(ls -A)" = "$before" ] || fail "a refused name wrote a file: $(ls -A)"

# A name of 240 characters, far beyond the prompt's advice, fits.
long=$(printf '%0240d' 0 | tr 0 r)
save_as "$long" Return
wait_file "$long.TXT" || fail "the 240-character name was not saved"

# The folder stops answering writes, as a share whose server went away.
# Within the limit a message names the folder; meanwhile the window keeps
# painting and the keys typed are held. Answered late, the save given up on
# takes its temporary file away and writes no report.
if [ -n "$blocking" ]; then
    shown=$PWD
    command -v windows_path >/dev/null && shown=$(windows_path "$PWD")
    echo write >"$hold"
    started=$(date +%s%N)
    save_as sospeso Return
    sleep 1
    key alt+e
    expect_painting_during_wait "a folder that does not answer"
    waited=$window_wait_tenths
    window_wait_tenths=300
    expect_message_box "a folder that does not answer" "\"$shown\" non ha risposto"
    window_wait_tenths=$waited
    answered=$((($(date +%s%N) - started) / 1000000))
    echo "save-window: the folder that does not answer told after $answered ms"
    [ $answered -lt 30000 ] || fail "the folder that does not answer was told only after $answered ms"
    answer_message_box_default "a folder that does not answer"
    sleep 0.5
    expect_no_message_box "keys typed during the wait"
    ls -A | grep -q '^~' || fail "no temporary file while the folder held the write: $(ls -A)"
    rm -f "$hold"
    n=0
    while ls -A | grep -q '^~' && [ $n -lt 100 ]; do sleep 0.1; n=$((n + 1)); done
    ls -A | grep '^~\|^sospeso' && fail "the save answered late left files behind"
fi

# Cancel writes the report to ".TXT".
save_as "" Escape
wait_file .TXT || fail "Cancel did not save to .TXT"
[ "$(wc -l <.TXT)" -eq 12 ] || fail ".TXT is not the 12-line report"
program_running || fail "the program ended"
end_program_with_esci
echo "PASS: report saved through the window, read back byte by byte; failures and refused names told; a long name saved; a folder that stops answering told; Cancel saved to .TXT"
