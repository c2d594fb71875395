# Sourced by the test and benchmark scripts: starts a private CUPS server
# with a PDF printer queue and removes it when asked.
#
#   cups_server_start   starts cupsd on a socket in a folder of its own, adds
#                       the queue (made the default) whose jobs land as PDF
#                       files in a folder of their own, and exports
#                       CUPS_SERVER (the socket, for Wine's spooler),
#                       KEM_TEST_PRINTER (the queue) and KEM_TEST_PRINT_OUT
#                       (the folder of the printed PDF files).
#   cups_server_stop    stops the server and deletes its folder and the
#                       queue's own cups-pdf settings.
#
# Every run has its own folder and queue, so two runs can go at once.

cups_dir=""
cups_queue=""

cups_server_stop() {
    [[ -n "$cups_dir" ]] || return 0
    if [[ -f "$cups_dir/cupsd.pid" ]]; then
        kill "$(cat "$cups_dir/cupsd.pid")" 2>/dev/null || true
        sleep 0.2
    fi
    rm -f "/etc/cups/cups-pdf-$cups_queue.conf"
    rm -rf "$cups_dir"
    cups_dir=""
}

cups_server_start() {
    if [[ ! -x /usr/sbin/cupsd || ! -x /usr/lib/cups/backend/cups-pdf ]]; then
        echo "CUPS or its PDF printer driver is missing" >&2
        return 1
    fi
    cups_dir=$(mktemp -d /tmp/kem-cups.XXXXXX)
    chmod 755 "$cups_dir"
    cups_queue="KemPdf$$"
    mkdir -p "$cups_dir"/{spool,cache,state,log,tmp,out,pdfspool}
    chmod 1777 "$cups_dir/tmp" "$cups_dir/out" "$cups_dir/pdfspool"
    chown lp "$cups_dir"/{spool,cache,state,log} 2>/dev/null || true
    cat >"$cups_dir/cupsd.conf" <<CONF
Listen $cups_dir/cups.sock
LogLevel warn
WebInterface No
Browsing No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Location /admin>
  Order allow,deny
  Allow all
</Location>
CONF
    cat >"$cups_dir/cups-files.conf" <<CONF
User lp
Group lp
SystemGroup root
ServerRoot $cups_dir
RequestRoot $cups_dir/spool
CacheDir $cups_dir/cache
StateDir $cups_dir/state
TempDir $cups_dir/tmp
ErrorLog $cups_dir/log/error_log
AccessLog $cups_dir/log/access_log
PageLog $cups_dir/log/page_log
CONF
    # cups-pdf reads the settings of a queue named in its device address.
    cat >"/etc/cups/cups-pdf-$cups_queue.conf" <<CONF
Out $cups_dir/out
AnonDirName $cups_dir/out
Spool $cups_dir/pdfspool
Label 0
TitlePref 1
CONF
    # In the foreground, so the pid is ours to end.
    /usr/sbin/cupsd -f -c "$cups_dir/cupsd.conf" -s "$cups_dir/cups-files.conf" \
        >"$cups_dir/log/start.log" 2>&1 </dev/null &
    echo $! >"$cups_dir/cupsd.pid"
    export CUPS_SERVER="$cups_dir/cups.sock"
    local tries
    for tries in $(seq 50); do
        lpstat -r 2>/dev/null | grep -q 'is running' && break
        sleep 0.1
    done
    lpadmin -p "$cups_queue" -E -v "cups-pdf:/$cups_queue" \
        -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd >/dev/null 2>&1 || {
        echo "could not add the PDF queue" >&2
        cat "$cups_dir/log/error_log" >&2 2>/dev/null
        return 1
    }
    lpadmin -d "$cups_queue" >/dev/null 2>&1 || return 1
    export KEM_TEST_PRINTER="$cups_queue" KEM_TEST_PRINT_OUT="$cups_dir/out"
}
