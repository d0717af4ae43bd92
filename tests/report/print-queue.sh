#!/bin/sh
# Runs the print queue test program against a private CUPS scheduler whose
# default queue is a cups-pdf printer writing into a private folder: first
# a real print, then with the queue disabled, then with no queue at all.
# Usage: print-queue.sh TEST_PROGRAM
set -eu
program=$1
skip=77
if [ "$(id -u)" -ne 0 ]; then
    echo "print-queue: cups-pdf reads its configuration from /etc/cups only; needs root" >&2
    exit $skip
fi
for tool in cupsd lpadmin lpstat cupsdisable pdftotext pdffonts; do
    command -v "$tool" >/dev/null || { echo "print-queue: $tool missing" >&2; exit $skip; }
done
[ -x /usr/lib/cups/backend/cups-pdf ] || { echo "print-queue: cups-pdf backend missing" >&2; exit $skip; }

# A name of its own, so that runs side by side do not meet.
name="dravelo$$$(od -An -N3 -tx1 /dev/urandom | tr -d ' \n')"
queue="Q$name"
dir=$(mktemp -d /tmp/dravelo-cups.XXXXXX)
pdfconf="/etc/cups/cups-pdf-$name.conf"
sock="$dir/cups.sock"
cupsd_pid=""

cleanup() {
    if [ -n "$cupsd_pid" ]; then
        kill "$cupsd_pid" 2>/dev/null || true
        wait "$cupsd_pid" 2>/dev/null || true
    fi
    rm -f "$pdfconf"
    rm -rf "$dir"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

chmod 755 "$dir"
mkdir -p "$dir/etc" "$dir/spool" "$dir/tmp" "$dir/state" "$dir/cache" "$dir/log" \
    "$dir/out" "$dir/gstmp" "$dir/pdfspool"
chmod 1777 "$dir/out" "$dir/gstmp" "$dir/tmp"

cat >"$dir/etc/cups-files.conf" <<CONF
ServerRoot $dir/etc
RequestRoot $dir/spool
TempDir $dir/tmp
StateDir $dir/state
CacheDir $dir/cache
ServerKeychain $dir/etc/ssl
AccessLog $dir/log/access_log
ErrorLog $dir/log/error_log
PageLog $dir/log/page_log
ServerBin /usr/lib/cups
DataDir /usr/share/cups
User lp
Group lp
SystemGroup root
CONF

cat >"$dir/etc/cupsd.conf" <<CONF
Listen $sock
Browsing Off
WebInterface No
DefaultAuthType None
LogLevel warn
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
    Allow all
  </Limit>
</Policy>
CONF

cat >"$pdfconf" <<CONF
Out $dir/out
AnonDirName $dir/out
Spool $dir/pdfspool
GSTmp $dir/gstmp
Log $dir/log
Label 1
Grp root
CONF

cupsd -f -c "$dir/etc/cupsd.conf" -s "$dir/etc/cups-files.conf" &
cupsd_pid=$!
n=0
until lpstat -h "$sock" -r 2>/dev/null | grep -q "is running"; do
    n=$((n + 1))
    if [ $n -gt 200 ]; then
        echo "print-queue: the scheduler did not start" >&2
        cat "$dir/log/error_log" >&2 2>/dev/null || true
        exit 1
    fi
    sleep 0.05
done

lpadmin -h "$sock" -p "$queue" -E -v "cups-pdf:/$name" \
    -P /usr/share/ppd/cups-pdf/CUPS-PDF_noopt.ppd -o pdftops-renderer-default=pdftocairo
lpadmin -h "$sock" -d "$queue"

# Clients find the scheduler by an absolute socket path; no stale default.
unset LPDEST PRINTER
export CUPS_SERVER="$sock" HOME="$dir" DRAVELO_PDF_OUT="$dir/out"
export QT_QPA_PLATFORM=offscreen

status=0
"$program" printsTheReportOnTheDefaultQueue || status=1

cupsdisable -h "$sock" "$queue"
"$program" refusesADisabledQueue || status=1
if [ -n "$(lpstat -h "$sock" -o 2>/dev/null)" ]; then
    echo "print-queue: a job was queued on the disabled printer" >&2
    status=1
fi

lpadmin -h "$sock" -x "$queue"
"$program" tellsThereIsNoPrinter || status=1

if [ $status -ne 0 ]; then
    echo "--- scheduler log" >&2
    cat "$dir/log/error_log" >&2 2>/dev/null || true
    cat "$dir/log/cups-pdf"* >&2 2>/dev/null || true
fi
exit $status
