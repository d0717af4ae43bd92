# A private CUPS scheduler whose default queue is a cups-pdf printer writing
# into a private folder; a second policy, "login", wants a login for jobs.
# Sourced. private_queue_start starts it and points
# the clients at it (CUPS_SERVER, HOME); the PDFs appear in DRAVELO_PDF_OUT;
# $queue and $sock name the queue and the scheduler's socket.
# private_queue_stop stops it and removes everything; callers trap it.
# Exits 77 (skip) where the queue cannot be made: cups-pdf reads its
# configuration from /etc/cups only, so it needs root.

skip=77
if [ "$(id -u)" -ne 0 ]; then
    echo "private-queue: needs root to configure cups-pdf" >&2
    exit $skip
fi
for tool in cupsd lpadmin lpstat cupsdisable pdftotext pdffonts; do
    command -v "$tool" >/dev/null || { echo "private-queue: $tool missing" >&2; exit $skip; }
done
[ -x /usr/lib/cups/backend/cups-pdf ] || { echo "private-queue: cups-pdf backend missing" >&2; exit $skip; }

# A name of its own, so that runs side by side do not meet.
name="dravelo$$$(od -An -N3 -tx1 /dev/urandom | tr -d ' \n')"
queue="Q$name"
dir=""
pdfconf="/etc/cups/cups-pdf-$name.conf"
sock=""
cupsd_pid=""

private_queue_stop() {
    if [ -n "$cupsd_pid" ]; then
        # A test may have left it stopped, where it would not end.
        kill -CONT "$cupsd_pid" 2>/dev/null || true
        kill "$cupsd_pid" 2>/dev/null || true
        wait "$cupsd_pid" 2>/dev/null || true
        cupsd_pid=""
    fi
    rm -f "$pdfconf"
    [ -n "$dir" ] && rm -rf "$dir"
    dir=""
}

private_queue_log() {
    echo "--- scheduler log" >&2
    cat "$dir/log/error_log" >&2 2>/dev/null || true
    cat "$dir/log/cups-pdf"* >&2 2>/dev/null || true
}

private_queue_start() {
    dir=$(mktemp -d /tmp/dravelo-cups.XXXXXX)
    sock="$dir/cups.sock"
    # The scheduler's user must reach the socket; filters write to tmp.
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
# A site that wants a login for every job (lpadmin -o printer-op-policy=login).
<Policy login>
  <Limit Create-Job Print-Job Print-URI Validate-Job>
    AuthType Basic
    Require valid-user
    Order deny,allow
    Allow all
  </Limit>
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
            echo "private-queue: the scheduler did not start" >&2
            private_queue_log
            return 1
        fi
        sleep 0.05
    done

    # The noopt PPD keeps the configuration above; pdftocairo keeps the
    # text readable by pdftotext.
    lpadmin -h "$sock" -p "$queue" -E -v "cups-pdf:/$name" \
        -P /usr/share/ppd/cups-pdf/CUPS-PDF_noopt.ppd -o pdftops-renderer-default=pdftocairo 2>/dev/null
    lpadmin -h "$sock" -d "$queue"

    # Clients find the scheduler by an absolute socket path; no stale default.
    unset LPDEST PRINTER
    export CUPS_SERVER="$sock" HOME="$dir" DRAVELO_PDF_OUT="$dir/out"
}

# Waits (bounded) for a complete PDF in the output folder and prints its
# path: cups-pdf first creates an empty file.
private_queue_wait_pdf() {
    n=0
    while [ $n -lt 300 ]; do
        for pdf in "$dir"/out/*.pdf; do
            if [ -f "$pdf" ] && tail -c 32 "$pdf" | grep -q '%%EOF'; then
                echo "$pdf"
                return 0
            fi
        done
        sleep 0.1
        n=$((n + 1))
    done
    return 1
}
