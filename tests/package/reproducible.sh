#!/bin/sh
# Builds the tree a second time, into other folders and later than the test
# command's own builds, and compares what a user downloads: the Debian
# package (packed as from a release tarball) and Morlane.exe byte for byte;
# the Windows installer's files, streams and tables, all but its package
# code and the dates of its summary, which Windows Installer wants new for
# every build. On a difference, says where it lies.
# Usage: reproducible.sh SOURCE_DIR BUILD_DIR WIN32_BUILD_DIR
# (BUILD_DIR: the Linux build the package is made from; WIN32_BUILD_DIR:
# the Windows cross build of tests/platform/win32/cross-build.sh, with
# Morlane.exe and the installer.)
set -u
source_dir=$1
build=$2
win32_build=$3
scratch=$(mktemp -d "${TMPDIR:-/tmp}/dravelo-again.XXXXXX")
# The second builds lie beside the first ones: other folders at the same
# depth, so that a compiler cache with a base folder (ccache's base_dir),
# which writes the source paths relative to where the compiler runs, writes
# them the same in both.
linux_again=${build%/}-again
win32_again=${win32_build%/}-again
rm -rf "$linux_again" "$win32_again"
trap 'rm -rf "$scratch" "$linux_again" "$win32_again"' EXIT
trap 'exit 130' INT TERM
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}
# Runs a command with its output kept in the scratch log, shown if it fails.
quiet() {
    "$@" >"$scratch/log" 2>&1 || { cat "$scratch/log" >&2; echo "FAIL: $*" >&2; exit 1; }
}

# The second builds, configured as the first ones.
cached() {
    sed -n "s/^$1:[A-Z]*=//p" "$build/CMakeCache.txt"
}
quiet cmake -S "$source_dir" -B "$linux_again" -DCMAKE_BUILD_TYPE="$(cached CMAKE_BUILD_TYPE)" \
    -DCMAKE_CXX_COMPILER="$(cached CMAKE_CXX_COMPILER)" \
    -DCMAKE_CXX_COMPILER_LAUNCHER="$(cached CMAKE_CXX_COMPILER_LAUNCHER)" -DDRAVELO_TESTS=OFF
quiet cmake --build "$linux_again" --parallel 2
quiet sh "$source_dir/tests/platform/win32/cross-build.sh" "$source_dir" "$win32_again" Morlane dravelo_msi

# The Debian packages, packed alike (the member modes of the outer archive
# follow the packer's umask), some seconds apart, as from a release
# tarball: no date in the environment, no history to date the sources by
# (the changelog's date stands in), and no warning.
for side in first second; do
    [ $side = first ] && from=$build || from=$linux_again
    (umask 022 && unset SOURCE_DATE_EPOCH && export GIT_DIR="$scratch/no-history" &&
        quiet cpack -G DEB --config "$from/CPackConfig.cmake" -B "$scratch/deb-$side") || exit 1
    grep -A3 'Warning' "$scratch/log" >&2 && fail "cpack warned"
done
deb1=$(ls "$scratch"/deb-first/*.deb)
deb2=$(ls "$scratch"/deb-second/*.deb)
if ! cmp -s "$deb1" "$deb2"; then
    fail "the Debian packages differ"
    for side in first second; do
        mkdir -p "$scratch/ar-$side"
        (cd "$scratch/ar-$side" && ar x "$scratch"/deb-$side/*.deb && ar tvO "$scratch"/deb-$side/*.deb) >&2
    done
    for member in $(ls "$scratch/ar-first"); do
        case $member in
        *.tar.*)
            cmp -s "$scratch/ar-first/$member" "$scratch/ar-second/$member" && continue
            echo "$member differs; its entries, first and second:" >&2
            for side in first second; do
                tar tvf "$scratch/ar-$side/$member" >"$scratch/entries-$side"
                mkdir -p "$scratch/tree-$side-$member" && tar xf "$scratch/ar-$side/$member" -C "$scratch/tree-$side-$member"
            done
            diff "$scratch/entries-first" "$scratch/entries-second" >&2
            diff -r "$scratch/tree-first-$member" "$scratch/tree-second-$member" >&2
            ;;
        *) cmp "$scratch/ar-first/$member" "$scratch/ar-second/$member" >&2 ;;
        esac
    done
fi

# The Windows executable.
exe1=$win32_build/Morlane.exe
exe2=$win32_again/Morlane.exe
if ! cmp -s "$exe1" "$exe2"; then
    fail "Morlane.exe differs in $(cmp -l "$exe1" "$exe2" | wc -l) bytes; the PE headers, first and second:"
    x86_64-w64-mingw32-objdump -p "$exe1" >"$scratch/headers1"
    x86_64-w64-mingw32-objdump -p "$exe2" >"$scratch/headers2"
    diff "$scratch/headers1" "$scratch/headers2" >&2
    cmp -l "$exe1" "$exe2" | head -20 >&2
fi

# The installers: every table, every stream, every file inside.
msi1=$(ls "$win32_build"/Dravelo-*-x64.msi)
msi2=$(ls "$win32_again"/Dravelo-*-x64.msi)
[ "$(basename "$msi1")" = "$(basename "$msi2")" ] || fail "the installers are named $msi1 and $msi2"
msiinfo tables "$msi1" | sort >"$scratch/tables1"
msiinfo tables "$msi2" | sort >"$scratch/tables2"
diff "$scratch/tables1" "$scratch/tables2" >&2 || fail "the installers have different tables"
# msiinfo writes a table's binary cells as files of a folder named after
# the table, in the folder it runs in.
mkdir -p "$scratch/export1" "$scratch/export2"
for table in $(grep -v '^_SummaryInformation$' "$scratch/tables1"); do
    (cd "$scratch/export1" && msiinfo export "$msi1" "$table" >"$table.idt" 2>&1)
    (cd "$scratch/export2" && msiinfo export "$msi2" "$table" >"$table.idt" 2>&1)
done
diff -r "$scratch/export1" "$scratch/export2" >&2 || fail "the installers' tables differ"
# The summary but its package code and dates.
summary() {
    msiinfo suminfo "$1" | grep -v -e '^Revision number' -e '^Created:' -e '^Last saved:'
}
summary "$msi1" >"$scratch/summary1"
summary "$msi2" >"$scratch/summary2"
diff "$scratch/summary1" "$scratch/summary2" >&2 || fail "the installers' summaries differ"
[ "$(msiinfo suminfo "$msi1" | grep '^Revision number')" != "$(msiinfo suminfo "$msi2" | grep '^Revision number')" ] ||
    fail "two builds of the installer share the package code"
msiinfo streams "$msi1" | sort >"$scratch/streams1"
msiinfo streams "$msi2" | sort >"$scratch/streams2"
diff "$scratch/streams1" "$scratch/streams2" >&2 || fail "the installers have different streams"
for stream in $(grep -v 'SummaryInformation$' "$scratch/streams1"); do
    msiinfo extract "$msi1" "$stream" >"$scratch/stream1"
    msiinfo extract "$msi2" "$stream" >"$scratch/stream2"
    cmp "$scratch/stream1" "$scratch/stream2" >&2 || fail "the installers' stream $stream differs"
done
msiextract -C "$scratch/files1" "$msi1" >/dev/null && msiextract -C "$scratch/files2" "$msi2" >/dev/null ||
    fail "msiextract failed"
diff -r "$scratch/files1" "$scratch/files2" >&2 || fail "the files inside the installers differ"

if [ $failures -ne 0 ]; then
    echo "$failures difference(s) between two builds of the same sources" >&2
    exit 1
fi
echo "PASS: $(basename "$deb1") and Morlane.exe the same byte for byte; $(basename "$msi1") the same but its package code and dates"
