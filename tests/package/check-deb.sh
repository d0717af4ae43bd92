#!/bin/sh
# Builds the Debian package from a build folder with cpack, unpacks it into a
# scratch root and checks its tree and its control fields.
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

if ! cpack -G DEB --config "$build/CPackConfig.cmake" -B "$scratch/out" >"$scratch/cpack.log" 2>&1; then
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

# The tree.
program="$root/usr/bin/dravelo"
[ -x "$program" ] || fail "no executable usr/bin/dravelo"
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
    for size in 16x16 32x32; do
        [ -f "$root/usr/share/icons/hicolor/$size/apps/$icon.png" ] || fail "no $size icon"
    done
    if [ -f "$metainfo" ]; then
        grep -q "<launchable type=\"desktop-id\">$(basename "$desktop")</launchable>" "$metainfo" ||
            fail "the metainfo does not launch $(basename "$desktop")"
    fi
fi

# Every library the program is linked against comes from a package it
# depends on (what dpkg-shlibdeps is there for).
if [ -x "$program" ]; then
    ldd "$program" >"$scratch/ldd" 2>&1 || fail "ldd $program"
    grep 'not found' "$scratch/ldd" | while read -r line; do echo "FAIL: unresolved $line" >&2; done
    grep -q 'not found' "$scratch/ldd" && fail "unresolved libraries"
    for needed in $(objdump -p "$program" | awk '$1 == "NEEDED" { print $2 }'); do
        library=$(awk -v n="$needed" '$1 == n && $3 ~ /^\// { print $3 }' "$scratch/ldd")
        owner=$(dpkg -S "$library" 2>/dev/null | head -n1 | cut -d: -f1)
        [ -n "$owner" ] || owner=$(dpkg -S "$(readlink -f "$library")" 2>/dev/null | head -n1 | cut -d: -f1)
        if [ -z "$owner" ]; then
            fail "$needed ($library) belongs to no package"
        elif ! grep -qx "$owner" "$scratch/depends"; then
            fail "Depends lacks $owner, which holds $needed"
        fi
    done
fi

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed on $(basename "$deb")" >&2
    dpkg-deb -c "$deb" >&2
    exit 1
fi
echo "$(basename "$deb"): tree and control fields as expected"
