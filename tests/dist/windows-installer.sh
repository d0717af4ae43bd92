#!/bin/sh
# The Windows installer under Wine, in a private prefix, as a user and an
# administrator meet it: its tables, against Windows Installer's rules for
# what lies in a profile; a silent install over an older version (one
# entry, one set of files); the program's version block; the Start-menu
# shortcut and the uninstall entry; an older version refused with its
# message; the program started from the shortcut, saving its report in the
# user's documents; uninstall from the entry, leaving the report and
# nothing else; a per-machine install, where another user's report lands in
# that user's documents, and its uninstall. Runs under with-display.sh with
# the Win32 reader (DRAVELO_E2E_READER=win32).
# Usage: windows-installer.sh PROGRAM MSI WXS ICON VERSION BUILD_DIR
# (PROGRAM: the Morlane.exe the package holds; BUILD_DIR: where both were
# built.)
set -u
e2e_dir=$(cd "$(dirname "$0")/../e2e" && pwd)
dist_dir=$(cd "$(dirname "$0")" && pwd)
shell_link="python3 $dist_dir/shell_link.py"
program_built=$1
msi=$2
wxs=$3
icon=$4
version=$5
build_dir=$6
# A version below any release, for the package the upgrade starts from.
lower_version=0.0.1

# Wine links the user's documents to a folder of HOME: a scratch one.
home=$(mktemp -d)
export HOME=$home
remove_home() { rm -rf "$home"; }
. "$e2e_dir/lib.sh"
begin_run remove_home
win32_server_for it_IT.UTF-8
drive_c=$WINEPREFIX/drive_c

uninstall_key='Software\Microsoft\Windows\CurrentVersion\Uninstall'
# The uninstall entries named Dravelo, per user or per machine (where Wine
# puts them): their keys, one a line.
uninstall_entries() {
    for root in HKCU HKLM; do
        wine reg query "$root\\$uninstall_key" /s 2>/dev/null | tr -d '\r' |
            awk -F '    ' '/^HKEY_/ { key = $0 } $2 == "DisplayName" && $4 == "Dravelo" { print key }'
    done
}
# A value of a registry key.
reg_value() {
    wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | awk -F '    ' -v n="$2" '$2 == n { print $4 }'
}
unix_path() {
    winepath -u "$1" 2>/dev/null
}
# Each run's log is kept outside the prefix, to tell why a step failed.
msiexec() {
    wine msiexec "$@" /l*v+ "$(winepath -w "$workdir/msiexec.log" 2>/dev/null)" >/dev/null 2>&1
}
msiexec_log() {
    tr -d '\000\r' <"$workdir/msiexec.log" 2>/dev/null | tail -n 15
}
# Waits (bounded) until the uninstall entry shows this version: the
# installer's last registry writes may land a moment after it returns.
wait_installed() {
    n=0
    while [ "$(reg_value "$(uninstall_entries)" DisplayVersion)" != "$1" ]; do
        [ $n -lt 20 ] || return 1
        sleep 0.5
        n=$((n + 1))
    done
}
# A folder the system knows, as a Unix path: ROOT (HKCU or HKLM) and the
# name of its shell folder.
shell_folder() {
    unix_path "$(reg_value "$1\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders" "$2")"
}
property() {
    msiinfo export "$1" Property | tr -d '\r' | awk -F '\t' -v n="$2" '$1 == n { print $2 }'
}
# Starts the program as the Start menu does: the shell opens the shortcut
# (start.exe, through ShellExecuteEx), under Italian settings. pid is
# start.exe's, which ends once the program has started.
start_from_shortcut() {
    win32_server_for it_IT.UTF-8
    wine start /unix "$1" &
    pid=$!
    wait_window Zerut >/dev/null || fail "the shortcut $1 did not open the cover"
}
# Saves the worked example's report under this name, and ends the program.
save_report() {
    open_calculation
    type_worked_example Gasolio
    key alt+s
    wait_window "$input_box" >/dev/null || fail "Salva did not ask for a name"
    type_text "$1"
    key Return
    wait_no_window "$input_box" || fail "the input box stayed open"
    end_program_with_esci
}
# Wine takes the user from USER when its server starts: the server stops,
# to start again as this user (empty: the one the test began as).
switch_user() {
    wine_prefix_stop
    win32_locale=
    if [ -n "$1" ]; then export USER="$1"; else unset USER; fi
}

# The package built from the same source with a lower version, as an
# earlier release would be, by the build's own script.
lower_msi=$workdir/Dravelo-$lower_version-x64.msi
cmake -DWIXL=wixl -DMSIBUILD=msibuild -DWXS="$wxs" -DPROGRAM="$program_built" -DICON="$icon" \
    -DVERSION=$lower_version -DPRODUCT_CODE="$(python3 -c 'import uuid; print(uuid.uuid4())')" \
    -DSOURCE_DIR="$(dirname "$wxs")/../.." -DSTAGING="$workdir/lower" -DOUTPUT="$lower_msi" \
    -P "$(dirname "$wxs")/BuildMsi.cmake" >"$workdir/lower.log" 2>&1 ||
    fail "version $lower_version could not be built: $(cat "$workdir/lower.log")"

# The tables: names, version, the upgrade code shared by every build, and no
# path of the machine that built it.
[ "$(property "$msi" ProductName)" = Dravelo ] || fail "ProductName is '$(property "$msi" ProductName)'"
[ "$(property "$msi" Manufacturer)" = "Progetto Dravelo" ] || fail "Manufacturer is '$(property "$msi" Manufacturer)'"
[ "$(property "$msi" ProductVersion)" = "$version" ] || fail "ProductVersion is '$(property "$msi" ProductVersion)'"
upgrade_code=$(property "$msi" UpgradeCode)
[ -n "$upgrade_code" ] && [ "$upgrade_code" = "$(property "$lower_msi" UpgradeCode)" ] ||
    fail "the upgrade code differs between builds: '$upgrade_code'"
product_code=$(property "$msi" ProductCode)
[ "$product_code" != "$(property "$lower_msi" ProductCode)" ] || fail "two versions share the product code"
for path in "$build_dir" "$(dirname "$wxs")"; do
    grep -aqF "$path" "$msi" && fail "the package holds the build machine's path $path"
done
[ "$(msiinfo export "$msi" Property | grep -c '^ARPPRODUCTICON	dravelo.ico')" -eq 1 ] ||
    fail "the uninstall entry has no icon (ARPPRODUCTICON)"
python3 "$dist_dir/msi_rules.py" "$msi" >&2 || fail "the tables break Windows Installer's rules"

# What the prefix holds before: after the uninstall it must hold the same.
list_files() {
    (cd "$drive_c" && find . -path ./windows/Installer -prune -o -print | sort)
}
list_files >"$workdir/files.before"

# Per user: an older version, then this one over it.
msiexec /i "$lower_msi" /qn || fail "the silent install of $lower_version returned $?"
wait_installed "$lower_version" ||
    fail "version $lower_version is not installed; entries: $(uninstall_entries); the installer's log ends: $(msiexec_log)"
msiexec /i "$msi" /qn || fail "the silent upgrade returned $?"
wait_installed "$version" || fail "version $version is not installed; the installer's log ends: $(msiexec_log)"
entries=$(uninstall_entries)
[ "$(echo "$entries" | grep -c .)" -eq 1 ] || fail "after the upgrade the uninstall entries are: $entries"
[ "$(reg_value "$entries" DisplayVersion)" = "$version" ] || fail "the entry's version is '$(reg_value "$entries" DisplayVersion)'"
[ "$(reg_value "$entries" Publisher)" = "Progetto Dravelo" ] || fail "the entry's publisher is '$(reg_value "$entries" Publisher)'"
uninstall=$(reg_value "$entries" UninstallString)
[ -n "$uninstall" ] || fail "the entry has no uninstall command"

install_dir="$(shell_folder HKCU 'Local AppData')/Programs/Dravelo"
machine_dir="$(unix_path "$(reg_value 'HKLM\Software\Microsoft\Windows\CurrentVersion' ProgramFilesDir)")/Dravelo"
[ "$(ls -A "$install_dir" 2>/dev/null)" = Morlane.exe ] || fail "the installation folder holds: $(ls -A "$install_dir" 2>&1)"
[ -e "$machine_dir" ] && fail "the per-user install also wrote $machine_dir"
cmp -s "$install_dir/Morlane.exe" "$program_built" || fail "the installed Morlane.exe is not the one built"
# Its version block, as a PE reader finds it: what Task Manager, "Open
# with" and the firewall name the program by.
version_block=$(/usr/bin/python3 - "$install_dir/Morlane.exe" <<'EOF'
import sys, pefile
pe = pefile.PE(sys.argv[1])
for info in pe.FileInfo[0]:
    for table in getattr(info, "StringTable", []):
        for key, value in sorted(table.entries.items()):
            print("%s %s=%s" % (table.LangID.decode(), key.decode(), value.decode()))
EOF
)
for value in FileDescription=Dravelo FileVersion=1.00 ProductName=Dravelo; do
    echo "$version_block" | grep -qx "041004B0 $value" || fail "the version block lacks $value: $version_block"
done

# The Start-menu shortcut: the program, its icon, the documents folder.
start_menu=$(shell_folder HKCU Programs)
link="$start_menu/Dravelo.lnk"
[ -f "$link" ] || fail "no Dravelo.lnk in the Start menu: $(ls "$start_menu")"
$shell_link "$link" >"$workdir/link" || fail "Dravelo.lnk cannot be read"
target=$(sed -n 1p "$workdir/link")
working_dir=$(sed -n 2p "$workdir/link")
icon_location=$(sed -n 3p "$workdir/link")
[ "$(unix_path "$target")" -ef "$install_dir/Morlane.exe" ] || fail "the shortcut opens '$target'"
documents_dir=$(shell_folder HKCU Personal)
[ -n "$documents_dir" ] && [ "$(unix_path "$working_dir")" -ef "$documents_dir" ] ||
    fail "the shortcut starts in '$working_dir', not in the documents '$documents_dir'"
cmp -s "$(unix_path "${icon_location%,*}")" "$icon" && [ "${icon_location##*,}" = 0 ] ||
    fail "the shortcut's icon '$icon_location' is not the program icon"
# The icon of the uninstall entry, which Wine keeps with the product.
product_icon=$(wine reg query 'HKCU\Software\Microsoft\Installer\Products' /s 2>/dev/null | tr -d '\r' |
    awk -F '    ' '$2 == "ProductIcon" { print $4 }')
cmp -s "$(unix_path "$product_icon")" "$icon" || fail "the entry's icon '$product_icon' is not the program icon"

# An older version over this one: refused, silently with an error status,
# and with a message where the user sees one.
msiexec /i "$lower_msi" /qn && fail "version $lower_version installed over $version"
wine msiexec /i "$lower_msi" >/dev/null 2>&1 &
installer=$!
n=0
until message_text 2>/dev/null | grep -q "versione più recente"; do
    [ $n -lt 30 ] || fail "no message refused version $lower_version: '$(message_text 2>&1)'"
    sleep 1
    n=$((n + 1))
done
xdotool key Return
n=0
while kill -0 $installer 2>/dev/null; do
    [ $n -lt 100 ] || fail "the installer did not end after its message"
    sleep 0.1
    n=$((n + 1))
done
wait $installer && fail "the refused install reported success"
[ "$(reg_value "$(uninstall_entries)" DisplayVersion)" = "$version" ] || fail "the refused install changed the version"

# Started from the shortcut: its cover, then a report saved where it is
# started, in the documents.
start_from_shortcut "$link"
window_labels Zerut | grep -q "CALCOLO DEL POTERE CALORIFICO DEI COMBUSTIBILI" ||
    fail "the cover reads: $(window_labels Zerut)"
save_report installato
[ -s "$documents_dir/installato.TXT" ] || fail "the report is not in the documents: $(ls -A "$documents_dir")"

# Uninstall with the entry's own command: everything goes but the report.
# shellcheck disable=SC2086 # the command and its arguments, as the entry gives them
msiexec $uninstall /qn || fail "the uninstall command '$uninstall' returned $?"
[ -z "$(uninstall_entries)" ] || fail "the uninstall entry remains"
[ -e "$install_dir" ] && fail "the installation folder remains: $(ls -A "$install_dir")"
[ -e "$link" ] && fail "the shortcut remains"
[ -s "$documents_dir/installato.TXT" ] || fail "the uninstall removed the user's report"

# Per machine, as an administrator installs it: Program Files, and the
# shortcut in the Start menu of every user (Wine's installer keeps to the
# user's Start menu, where Windows takes every user's for ALLUSERS=1).
msiexec /i "$msi" ALLUSERS=1 /qn || fail "the per-machine install returned $?"
machine_program=$machine_dir/Morlane.exe
[ -f "$machine_program" ] || fail "no Morlane.exe in Program Files"
[ -e "$install_dir" ] && fail "the per-machine install also wrote $install_dir"
machine_link="$(shell_folder HKLM 'Common Programs')/Dravelo.lnk"
[ -f "$machine_link" ] || machine_link=$link
[ -f "$machine_link" ] || fail "no Dravelo.lnk in the Start menu"
$shell_link "$machine_link" >"$workdir/machine-link" || fail "the per-machine Dravelo.lnk cannot be read"
[ "$(unix_path "$(sed -n 1p "$workdir/machine-link")")" -ef "$machine_program" ] ||
    fail "the per-machine shortcut opens '$(sed -n 1p "$workdir/machine-link")'"
# Another user of the machine starts it: the report lands in that user's
# documents. Windows makes a profile's folders at the user's first logon.
administrator=${USER-}
other_profile=$drive_c/users/collega
switch_user collega
mkdir -p "$other_profile/Desktop" "$other_profile/Documents"
start_from_shortcut "$machine_link"
save_report collega
[ -s "$other_profile/Documents/collega.TXT" ] ||
    fail "another user's report is not in their documents; the shortcut starts in '$(sed -n 2p "$workdir/machine-link")'"
switch_user "$administrator"
rm -r "$other_profile"
machine_uninstall=$(reg_value "$(uninstall_entries)" UninstallString)
# shellcheck disable=SC2086
msiexec $machine_uninstall /qn || fail "the per-machine uninstall '$machine_uninstall' returned $?"

# Nothing of either install remains: no file but the report, not even the
# per-user Programs folder, and no registry value. The Installer folders
# stay, which Windows keeps to itself.
rm "$documents_dir/installato.TXT"
list_files | grep -v -x './users/[^/]*/AppData/Roaming/Microsoft/Installer' >"$workdir/files.after"
diff "$workdir/files.before" "$workdir/files.after" >&2 || fail "the uninstalls left files behind"
[ -z "$(ls -A "$drive_c/windows/Installer" 2>/dev/null)" ] || fail "cached packages remain: $(ls "$drive_c/windows/Installer")"
wine_prefix_stop
grep -il -e Dravelo -e Morlane -e "${product_code#\{}" "$WINEPREFIX"/*.reg >&2 && fail "the registry still names the program"
win32_locale=
echo "PASS: tables keep the per-user rules, installed over $lower_version, version block, shortcut and entry checked, older version refused, started and saved in the documents, uninstalled clean, per machine too, another user's report in that user's documents"
