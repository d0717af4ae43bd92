#!/bin/sh
# Prints the report through the GDI printer under Wine onto a private CUPS
# scheduler whose default queue is a cups-pdf printer, and reads the PDF
# back: its lines, and the layout against the measures the print check
# gives. A printer set to work off line takes the job, and the user is told
# it prints once the printer is back. Then a queue that rejects jobs, and no
# queue at all, must each be told as a failure.
# Usage: print-queue.sh PRINT_CHECK_EXE
set -u
check=$1
. "$(dirname "$0")/../../report/private-queue.sh"

. "$(dirname "$0")/wine-prefix.sh"
wine_prefix_use "$(mktemp -d "${TMPDIR:-/tmp}/dravelo-wine.XXXXXX")"
finish() {
    wine_prefix_stop
    rm -rf "$WINEPREFIX"
    private_queue_stop
}
trap finish EXIT
trap 'exit 130' INT TERM

fail() {
    echo "print-queue: $*" >&2
    private_queue_log
    exit 1
}

# Wine finds the scheduler through CUPS_SERVER, read when its server starts.
private_queue_start || exit 1
unset DISPLAY WAYLAND_DISPLAY
export LANG=it_IT.UTF-8 LC_ALL=it_IT.UTF-8
wine_prefix_start

# A console program's lines end in CR LF.
measures=$(wine "$check") || fail "the print failed"
measures=$(printf '%s' "$measures" | tr -d '\r')
pdf=$(private_queue_wait_pdf) || fail "no complete PDF from the queue"

expected="Calcolo del potere calorifico dei combustibili

Data rapporto di calcolo = 07/12/2026
Ora rapporto di calcolo = 10:11:12
Nome combustibile = Gasolio più pesante
Carbonio = 85,5 % (in peso)
Idrogeno = 12,5 % (in peso)
Ossigeno = 1 % (in peso)
Cloro = 0 % (in peso)
Zolfo = 1 % (in peso)
Potere calorifico inferiore = 10005,9 kcal/kg"
text=$(pdftotext -layout "$pdf" - | tr -d '\f' | sed 's/  */ /g; s/^ //; s/ $//')
[ "$text" = "$expected" ] || fail "the page reads
$text"

# Positions in points from the page corner: the title at 500 twips from
# the printable area's corner, the labels 5 average widths in, " = " at the
# same x on every line, 44 to 45 average widths after the label.
# Numbers with a decimal point, whatever the settings Wine runs with.
pdftotext -bbox "$pdf" - | LC_ALL=C awk -v measures="$measures" '
    BEGIN {
        split(measures, m, " "); average = m[1]; line = m[2]; left = m[3]; top = m[4]
        split("Calcolo Data Ora Nome Carbonio Idrogeno Ossigeno Cloro Zolfo Potere", first, " ")
        n = 0; e = 0; bad = 0
    }
    /<word / {
        match($0, /xMin="[0-9.]+"/); x = substr($0, RSTART + 6, RLENGTH - 7) + 0
        match($0, /yMin="[0-9.]+"/); y = substr($0, RSTART + 6, RLENGTH - 7) + 0
        match($0, />[^<]*</); word = substr($0, RSTART + 1, RLENGTH - 2)
        if (word == "=") { ex[++e] = x; ey[e] = y }
        else if (n < 10 && word == first[n + 1]) { sx[++n] = x; sy[n] = y }
    }
    function check(ok, what) { if (!ok) { print "layout: " what > "/dev/stderr"; bad = 1 } }
    function abs(v) { return v < 0 ? -v : v }
    END {
        check(n == 10 && e == 9, "found " n " line starts and " e " separators")
        if (bad) exit 1
        check(average > 0 && line > 0, "measures " measures)
        check(abs(sx[1] - (left + 25)) < 0.5, "the title starts at " sx[1])
        check(abs(sy[1] - (top + 25)) < 2, "the title stands at " sy[1])
        check(abs(sx[2] - (left + 5 * average)) < 0.5, "the labels start at " sx[2])
        check(abs((sy[2] - sy[1]) - 2 * line) < 0.2, "the empty second line is not one line high")
        for (i = 2; i <= 10; i++) {
            check(abs(sx[i] - sx[2]) < 0.1, first[i] " starts at " sx[i])
            check(abs(ex[i - 1] - ex[1]) < 0.1, first[i] ": \" = \" at " ex[i - 1])
            check(abs(ey[i - 1] - sy[i]) < 0.1, first[i] ": \" = \" on another line")
            if (i > 2) check(abs((sy[i] - sy[i - 1]) - line) < 0.2, first[i] ": not one line below")
        }
        offset = ex[1] - sx[2]
        check(offset > 44 * average && offset < 45 * average, "\" = \" " offset " pt after the label")
        exit bad
    }' || fail "the layout of $pdf is wrong (measures $measures)"

# "Use Printer Offline" (the printer's attributes in the registry, as the
# printer's queue window sets them): the job goes to the queue as Windows
# keeps it there, and the user is told so. (Wine sends it on to CUPS all
# the same.)
printer_key="HKLM\\System\\CurrentControlSet\\Control\\Print\\Printers\\$queue"
attributes=$(wine reg query "$printer_key" /v Attributes 2>/dev/null | tr -d '\r' | awk '$1 == "Attributes" { print $3 }')
[ -n "$attributes" ] || fail "the printer's attributes are not in the registry"
work_offline=0x400
wine reg add "$printer_key" /v Attributes /t REG_DWORD /d $((attributes | work_offline)) /f >/dev/null 2>&1
notice=$(wine "$check" --notice) || fail "off line: $notice"
case "$notice" in
*"non è in linea"*"sarà stampato"*) ;;
*) fail "off line, the user is told: $notice" ;;
esac
wine reg add "$printer_key" /v Attributes /t REG_DWORD /d $((attributes)) /f >/dev/null 2>&1

# A queue that takes no jobs: the end of the document fails and says so.
rm -f "$dir"/out/*.pdf
cupsreject -h "$sock" "$queue"
wine "$check" >/dev/null 2>"$dir/rejected" && fail "a rejecting queue printed"
grep -q "non è stata completata" "$dir/rejected" || fail "rejected: $(cat "$dir/rejected")"

# No queue at all.
lpadmin -h "$sock" -x "$queue"
reason=$(wine "$check" --no-printer) || fail "printed without a printer"
reason=$(printf '%s' "$reason" | tr -d '\r')
[ "$reason" = "Non è installata nessuna stampante predefinita." ] || fail "without a printer: $reason"
[ -z "$(ls "$dir"/out/*.pdf 2>/dev/null)" ] || fail "a PDF came out of a queue that takes no jobs"
echo "print-queue: the page and its layout as expected ($measures)"
