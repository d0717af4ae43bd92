#!/bin/sh
# Builds the Debian package from a build folder with cpack, unpacks it into a
# scratch root and checks its tree and its control fields, then has lintian
# judge it: any error or warning fails.
# Usage: check-deb.sh BUILD_DIR
set -u
build=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

# Packed under the strictest umask: the package's modes must not depend on
# the packer's.
if ! (umask 077 && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$scratch/out") >"$scratch/cpack.log" 2>&1; then
    cat "$scratch/cpack.log" >&2
    echo "FAIL: cpack -G DEB" >&2
    exit 1
fi
set -- "$scratch"/out/*.deb
if [ $# -ne 1 ] || [ ! -f "$1" ]; then
    echo "FAIL: expected one package in $scratch/out, found: $*" >&2
    exit 1
fi
deb=$1
root="$scratch/root"
dpkg-deb -x "$deb" "$root" || { echo "FAIL: dpkg-deb -x" >&2; exit 1; }

field() { dpkg-deb -f "$deb" "$1"; }

# Control fields.
[ "$(field Package)" = dravelo ] || fail "Package is '$(field Package)'"
[ "$(field Version)" = 1.0.0 ] || fail "Version is '$(field Version)'"
[ "$(field Section)" = science ] || fail "Section is '$(field Section)'"
[ "$(field Maintainer)" = "Progetto Dravelo <dravelo@example.org>" ] || fail "Maintainer is '$(field Maintainer)'"
[ "$(field Architecture)" = "$(dpkg --print-architecture)" ] || fail "Architecture is '$(field Architecture)'"
# Package names of the Depends field, one a line, without versions.
field Depends | tr ',|' '\n\n' | sed 's/(.*//; s/^ *//; s/ *$//' | sed '/^$/d' >"$scratch/depends"
for wanted in libqt6widgets6 libqt6gui6 libqt6core6 libc6 qt6-translations-l10n fonts-liberation; do
    grep -qx "$wanted" "$scratch/depends" || fail "Depends lacks $wanted: $(field Depends)"
done
# The native Wayland platform, recommended: the program runs on X without it.
[ "$(field Recommends)" = qt6-wayland ] || fail "Recommends is '$(field Recommends)', not qt6-wayland"

# The tree.
program="$root/usr/bin/dravelo"
print_program="$root/usr/libexec/dravelo/dravelo-print"
[ -x "$program" ] || fail "no executable usr/bin/dravelo"
[ -x "$print_program" ] || fail "no executable usr/libexec/dravelo/dravelo-print, where the program looks for it"
# The print system is loaded only to print: the program itself links no CUPS.
objdump -p "$program" 2>/dev/null | awk '$1 == "NEEDED" { print $2 }' | grep -q '^libcups' &&
    fail "usr/bin/dravelo links CUPS, which then loads at every start"
desktop=$(find "$root/usr/share/applications" -name '*.desktop' 2>/dev/null)
metainfo=$(find "$root/usr/share/metainfo" -name '*.metainfo.xml' 2>/dev/null)
[ "$(echo "$desktop" | grep -c .)" -eq 1 ] || fail "expected one .desktop entry, found: $desktop"
[ "$(echo "$metainfo" | grep -c .)" -eq 1 ] || fail "expected one metainfo file, found: $metainfo"
if [ -f "$desktop" ]; then
    desktop-file-validate "$desktop" || fail "desktop-file-validate $desktop"
    exec_line=$(sed -n 's/^Exec=//p' "$desktop" | head -n1)
    [ "${exec_line%% *}" = dravelo ] || fail "the menu entry runs '$exec_line', not dravelo"
    icon=$(sed -n 's/^Icon=//p' "$desktop" | head -n1)
    icons=$(find "$root/usr/share/icons/hicolor" -path "*/apps/$icon.*" 2>/dev/null)
    [ -n "$icons" ] || fail "no icon '$icon' under usr/share/icons/hicolor"
    for size in 16 32 48 64 128 256; do
        png="$root/usr/share/icons/hicolor/${size}x$size/apps/$icon.png"
        if [ -f "$png" ]; then
            [ "$(identify -format '%wx%h' "$png")" = "${size}x$size" ] || fail "$png is not ${size}x$size"
        else
            fail "no ${size}x$size icon"
        fi
    done
    if [ -f "$metainfo" ]; then
        grep -q "<launchable type=\"desktop-id\">$(basename "$desktop")</launchable>" "$metainfo" ||
            fail "the metainfo does not launch $(basename "$desktop")"
    fi
fi

if [ -f "$metainfo" ]; then
    # Pedantic remarks are reported; warnings and errors fail.
    appstreamcli validate --no-net --pedantic "$metainfo" || fail "appstreamcli validate --pedantic $metainfo"
fi

# The manual page, in English and in Italian, found by man as a user asks
# (-L: the language, even where that locale is not generated).
for lang in C.UTF-8 it_IT.UTF-8; do
    page=$(MANPATH="$root/usr/share/man" MANWIDTH=80 man -L "$lang" dravelo 2>"$scratch/man.err")
    [ -s "$scratch/man.err" ] && fail "man dravelo under $lang: $(cat "$scratch/man.err")"
    echo "$page" | grep -q '^DRAVELO(1)' || fail "man dravelo under $lang shows no page"
    case $lang in
        it_*) echo "$page" | grep -q '^NOME' || fail "man dravelo under $lang is not the Italian page" ;;
        *) echo "$page" | grep -q '^NAME' || fail "man dravelo under $lang is not the English page" ;;
    esac
    echo "$page" | grep -q 'NAME.TXT\|NOME.TXT' || fail "the $lang page does not name the report file"
done

# The licence stated the same way in the copyright file and the metainfo.
copyright="$root/usr/share/doc/dravelo/copyright"
if [ -f "$copyright" ] && [ -f "$metainfo" ]; then
    licence=$(sed -n 's|.*<project_license>\(.*\)</project_license>.*|\1|p' "$metainfo")
    metadata_licence=$(sed -n 's|.*<metadata_license>\(.*\)</metadata_license>.*|\1|p' "$metainfo")
    awk -v l="$licence" '$0 == "Files: *" { f = 1 } f && $0 == "License: " l { found = 1 } /^$/ { f = 0 }
                         END { exit !found }' "$copyright" ||
        fail "the copyright file does not give Files: * the licence $licence"
    grep -qx "License: $metadata_licence" "$copyright" || fail "the copyright file lacks $metadata_licence"
else
    fail "no usr/share/doc/dravelo/copyright"
fi

# Every library the programs are linked against comes from a package the
# package depends on (what dpkg-shlibdeps is there for).
for binary in "$program" "$print_program"; do
    [ -x "$binary" ] || continue
    ldd "$binary" >"$scratch/ldd" 2>&1 || fail "ldd $binary"
    grep 'not found' "$scratch/ldd" | while read -r line; do echo "FAIL: unresolved $line" >&2; done
    grep -q 'not found' "$scratch/ldd" && fail "unresolved libraries"
    for needed in $(objdump -p "$binary" | awk '$1 == "NEEDED" { print $2 }'); do
        library=$(awk -v n="$needed" '$1 == n && $3 ~ /^\// { print $3 }' "$scratch/ldd")
        owner=$(dpkg -S "$library" 2>/dev/null | head -n1 | cut -d: -f1)
        [ -n "$owner" ] || owner=$(dpkg -S "$(readlink -f "$library")" 2>/dev/null | head -n1 | cut -d: -f1)
        if [ -z "$owner" ]; then
            fail "$needed ($library) belongs to no package"
        elif ! grep -qx "$owner" "$scratch/depends"; then
            fail "Depends lacks $owner, which holds $needed"
        fi
    done
done

# Debian's hardening (dpkg-buildflags with hardening=+all), as its checker
# reads the packaged program. Two flags it cannot see are read from every
# compile unit of the unstripped program instead: stack-clash probes, in a
# program without large frames, and control-flow protection, which the
# program cannot declare while Debian 12's C start files do not.
if [ -x "$program" ]; then
    hardening-check --nocfprotection "$program" >"$scratch/hardening" 2>&1 ||
        fail "hardening-check: $(cat "$scratch/hardening")"
    readelf --debug-dump=info "$build/dravelo" 2>/dev/null | sed -n 's/.*DW_AT_producer.*): \(GNU .*\)/\1/p' |
        sort -u >"$scratch/producers"
    for flag in -fstack-protector-strong -fstack-clash-protection -fcf-protection; do
        unit=$(grep -v -e "$flag" "$scratch/producers" | head -n1)
        [ -z "$unit" ] || fail "a compile unit lacks $flag: $unit"
    done
fi

# Debian's own checker: errors and warnings fail; info and pedantic tags are
# shown for the record.
if command -v lintian >/dev/null; then
    lintian --fail-on error,warning --display-info --pedantic "$deb" >"$scratch/lintian.log" 2>&1
    status=$?
    grep -v '^running with root privileges' "$scratch/lintian.log"
    [ "$status" -eq 0 ] || fail "lintian found errors or warnings"
else
    fail "lintian is not installed (scripts/deps.sh test installs it)"
fi

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed on $(basename "$deb")" >&2
    dpkg-deb -c "$deb" >&2
    exit 1
fi
echo "$(basename "$deb"): tree and control fields as expected"
