#!/bin/sh
# Morlane.exe under Wine, used with real keys as a person would, under the
# Italian settings it is made for: the cover, "&Continua", the worked
# example typed into the fields (85,5 / 11,2 / 0,8 / 0 / 2,5 gives 9493,8,
# read back through Win32 as a screen reader reads it), "&Continua" again
# from the cover, then the close box: Enter answers No and keeps
# everything, Yes ends the program with status 0.
# Runs under with-display.sh; builds the program in the Windows test build.
# Usage: worked-example.sh SOURCE_DIR CROSS_BUILD_DIR
set -u
source_dir=$1
build_dir=$2
locale=it_IT.UTF-8
reader_to_field="$(dirname "$0")/read_field.py"

fail() {
    echo "win32 worked example: $*" >&2
    exit 1
}

locale -a | grep -qix 'it_IT.utf-\?8' || fail "the locale $locale is missing (localedef -i it_IT -f UTF-8 $locale)"

# The same configuration as the Windows test run, so both share one build.
mkdir -p "$build_dir"
log="$build_dir/program-build.log"
if ! { cmake -S "$source_dir" -B "$build_dir" -DCMAKE_TOOLCHAIN_FILE="$source_dir/cross/mingw-w64.cmake" \
        -DDRAVELO_GUI=OFF -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE=-O1 \
        -DCMAKE_CROSSCOMPILING_EMULATOR=wine &&
    cmake --build "$build_dir" --parallel 2 --target Morlane screen_reader; } >"$log" 2>&1; then
    cat "$log"
    fail "the Windows build failed"
fi
program="$build_dir/Morlane.exe"
reader=$(find "$build_dir/tests" -name screen_reader.exe | head -n1)
[ -n "$reader" ] || fail "no screen reader was built"

work=$(mktemp -d "${TMPDIR:-/tmp}/dravelo-win32.XXXXXX")
export WINEPREFIX="$work/prefix" WINEARCH=win64 WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe,winedbg.exe=d"
# Read by the Wine server when it starts: set before it.
export LANG=$locale LC_ALL=$locale
pid=""
finish() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
    rm -rf "$work"
}
trap finish EXIT
trap 'exit 130' INT TERM

mkdir -p "$WINEPREFIX"
wineserver -p
wineboot --init >/dev/null 2>&1

key() {
    xdotool key --delay 30 "$@"
    sleep 0.2
}

type_text() {
    xdotool type --delay 30 -- "$1"
    sleep 0.1
}

# Real keys go to the window the window manager has given the focus to.
wait_active() {
    n=0
    while [ "$(xdotool getactivewindow getwindowname 2>/dev/null)" != "$1" ] && [ $n -lt 100 ]; do
        sleep 0.1
        n=$((n + 1))
    done
    [ $n -lt 100 ]
}

field() {
    n=0
    while [ $n -lt 20 ]; do
        wine "$reader" >"$work/screen.json" 2>/dev/null &&
            python3 "$reader_to_field" "$work/screen.json" Folim "$1" && return 0
        sleep 0.25
        n=$((n + 1))
    done
    return 1
}

(cd "$work" && exec wine "$program") &
pid=$!
wait_active Zerut || fail "the cover window did not come up"
key Return
wait_active Folim || fail "Enter on \"&Continua\" did not open the calculation window"

type_text Gasolio
key Return
for value in 85,5 11,2 0,8 0 2,5; do
    type_text "$value"
    key Return
done
key alt+c
result=$(field "Potere calorifico inferiore [kcal/kg]") || fail "the result field was not found"
[ "$result" = "9493,8" ] || fail "Text9 shows '$result', expected '9493,8'"

# Back on the cover, "&Continua" brings the loaded calculation window to the
# front as it was.
xdotool windowactivate "$(xdotool search --name '^Zerut$' | head -n1)"
wait_active Zerut || fail "the cover window did not take the focus"
key alt+c
wait_active Folim || fail "\"&Continua\" did not bring the calculation window back"
[ "$(field "Potere calorifico inferiore [kcal/kg]")" = "9493,8" ] || fail "the result changed"

# The close box asks; Enter answers No and keeps the window and its fields.
key alt+F4
wait_active Dravelo || fail "closing did not ask"
key Return
wait_active Folim || fail "No did not give the calculation window back"
[ "$(field "Carbonio [ % in peso]")" = "85,5" ] || fail "the carbon field changed after No"
kill -0 $pid 2>/dev/null || fail "No ended the program"

# Asked again, Yes (Shift+Tab from the default No, then Space) ends it.
key alt+F4
wait_active Dravelo || fail "closing did not ask the second time"
key shift+Tab space
wait $pid
status=$?
pid=""
[ $status -eq 0 ] || fail "exit status $status"
echo "PASS: worked example typed into Morlane.exe, 9493,8 read back, exit confirmed"
