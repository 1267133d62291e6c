# SPDX-License-Identifier: GPL-3.0-or-later
# A CUPS scheduler for the printing test, sourced after lib.sh and e2e_init:
#
#     source "$(dirname "$0")/cups.sh"
#     cups_start              # a scheduler on which the program has no printer yet
#     cups_add_pdf_printer    # later: a cups-pdf queue becomes the program's default printer
#
# Each job the queue prints lands as a PDF file in $CUPS_PDF_OUT (wait_for_printed_pdf finds it).
# As root with no scheduler running (a fresh machine, CI), the test runs a private scheduler
# without destinations: its configuration, spool, logs and socket live in a temporary folder
# and the program reaches it through CUPS_SERVER. When a scheduler already runs, the test uses
# it: the program's default printer is the test's own queue through LPDEST (the system's
# default stays as it was), a queue that does not exist until cups_add_pdf_printer adds it and
# that is removed at the end. The cups-pdf backend reads its settings from
# /etc/cups/cups-pdf-<queue>.conf; the test writes that file for its queue and removes it.
# Where none of this is possible the test is skipped (status 77).

CUPS_DIR=""         # the private scheduler's folder (private mode)
CUPS_PID=""         # the private scheduler
CUPS_QUEUE="PantrovaTest$$"
CUPS_PDF_OUT=""     # where the queue writes its PDF files
CUPS_PAGE_LOG=""    # the scheduler's page log (private mode): one line "<job id> <job title>" a page

cups_skip() {
    echo "SKIP: $*"
    exit 77
}

cups_stop() {
    [ -z "$CUPS_PID" ] && lpadmin -x "$CUPS_QUEUE" 2>/dev/null
    rm -f "/etc/cups/cups-pdf-$CUPS_QUEUE.conf" "/var/log/cups/cups-pdf-${CUPS_QUEUE}_log"
    if [ -n "$CUPS_PID" ] && kill -0 "$CUPS_PID" 2>/dev/null; then
        kill "$CUPS_PID" 2>/dev/null
        wait "$CUPS_PID" 2>/dev/null
    fi
    [ -n "$CUPS_DIR" ] && rm -rf "$CUPS_DIR"
    [[ $CUPS_PDF_OUT == /var/spool/cups-pdf/pantrova-test.* ]] && rm -rf "$CUPS_PDF_OUT"
}

scheduler_running() {
    [ "$(lpstat -r 2>/dev/null)" == "scheduler is running" ]
}

# cups_private_scheduler: starts cupsd on a socket in a fresh folder and points CUPS_SERVER at it.
cups_private_scheduler() {
    CUPS_DIR=$(mktemp -d "${TMPDIR:-/tmp}/pantrova-cups.XXXXXX")
    # Filters run as the scheduler's user lp, which must reach the spool.
    chmod 755 "$CUPS_DIR"
    mkdir -p "$CUPS_DIR"/{etc/ppd,spool/tmp,cache,state,log,out}
    chmod 1777 "$CUPS_DIR/spool/tmp" "$CUPS_DIR/out"
    cat >"$CUPS_DIR/etc/cupsd.conf" <<CONF
Listen $CUPS_DIR/cups.sock
LogLevel info
PageLogFormat %j %{job-name}
WebInterface No
Browsing No
DefaultAuthType None
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
CONF
    cat >"$CUPS_DIR/etc/cups-files.conf" <<CONF
ServerRoot $CUPS_DIR/etc
RequestRoot $CUPS_DIR/spool
TempDir $CUPS_DIR/spool/tmp
CacheDir $CUPS_DIR/cache
StateDir $CUPS_DIR/state
Printcap $CUPS_DIR/printcap
ServerBin /usr/lib/cups
DataDir /usr/share/cups
AccessLog $CUPS_DIR/log/access_log
ErrorLog $CUPS_DIR/log/error_log
PageLog $CUPS_DIR/log/page_log
SystemGroup root
CONF
    cupsd -f -c "$CUPS_DIR/etc/cupsd.conf" -s "$CUPS_DIR/etc/cups-files.conf" >"$CUPS_DIR/log/cupsd.out" 2>&1 &
    CUPS_PID=$!
    export CUPS_SERVER="$CUPS_DIR/cups.sock"
    wait_until "the private cupsd does not answer on $CUPS_SERVER: $(cat "$CUPS_DIR/log/cupsd.out" 2>/dev/null)" \
        scheduler_running
    CUPS_PDF_OUT="$CUPS_DIR/out"
    CUPS_PAGE_LOG="$CUPS_DIR/log/page_log"
    [ -z "$(lpstat -e 2>/dev/null)" ] || fail "the private scheduler holds destinations"
    e2e_log "cups: private scheduler $CUPS_PID on $CUPS_SERVER"
}

cups_start() {
    command -v lpstat >/dev/null && command -v cupsd >/dev/null ||
        fail "CUPS is not installed (scripts/test installs cups and cups-client)"
    [ -x /usr/lib/cups/backend/cups-pdf ] ||
        fail "cups-pdf is not installed (scripts/test installs printer-driver-cups-pdf)"
    command -v pdftotext >/dev/null || fail "pdftotext is not installed (scripts/test installs poppler-utils)"
    # The backends run as root, and the cups-pdf settings go into /etc/cups.
    [ "$(id -u)" -eq 0 ] && [ -w /etc/cups ] || cups_skip "a CUPS printer for the test needs root"
    trap 'cups_stop; e2e_cleanup' EXIT
    if scheduler_running; then
        CUPS_PDF_OUT=$(mktemp -d /var/spool/cups-pdf/pantrova-test.XXXXXX)
        chmod 1777 "$CUPS_PDF_OUT"
        export LPDEST="$CUPS_QUEUE" PRINTER="$CUPS_QUEUE"
        e2e_log "cups: the running scheduler; the program's printer $CUPS_QUEUE is added later"
    else
        cups_private_scheduler
    fi
}

# cups_add_pdf_printer: adds the cups-pdf queue writing into $CUPS_PDF_OUT as the program's
# default printer.
cups_add_pdf_printer() {
    cat >"/etc/cups/cups-pdf-$CUPS_QUEUE.conf" <<CONF
Out $CUPS_PDF_OUT
AnonDirName $CUPS_PDF_OUT
Spool ${CUPS_DIR:-$CUPS_PDF_OUT}/cups-pdf-spool
Log ${CUPS_DIR:-$CUPS_PDF_OUT}
Grp root
UserUMask 0022
CONF
    # The device URI names the backend's settings file. The queue turns the job into PostScript
    # for cups-pdf; drawn by pdftocairo, the texts can still be read from the final PDF.
    lpadmin -p "$CUPS_QUEUE" -E -v "cups-pdf:/$CUPS_QUEUE" -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd \
        -o pdftops-renderer-default=pdftocairo 2>/dev/null || fail "cannot add the printer queue $CUPS_QUEUE"
    [ -z "$CUPS_PID" ] || lpadmin -d "$CUPS_QUEUE" || fail "cannot make $CUPS_QUEUE the default printer"
}

# wait_for_printed_pdf <count>: waits until the queue has written that many PDF files and
# holds no unfinished job; prints the newest file's path.
wait_for_printed_pdf() {
    local deadline=$((SECONDS + 90)) files
    while [ $SECONDS -lt $deadline ]; do
        files=$(find "$CUPS_PDF_OUT" -maxdepth 1 -name '*.pdf' -size +0 2>/dev/null | wc -l)
        if [ "$files" -ge "$1" ] && [ -z "$(lpstat -o "$CUPS_QUEUE" 2>/dev/null)" ]; then
            sleep 0.5 # the backend renames the finished file into place
            ls -t "$CUPS_PDF_OUT"/*.pdf | head -n 1
            return 0
        fi
        sleep 0.5
    done
    fail "no printed PDF number $1 within 90 s; jobs: $(lpstat -W all -o 2>&1 | tr '\n' ' ')"
}

# pdf_words <file.pdf>: one line per word on the first page: "xMin yMin text" in points.
pdf_words() {
    pdftotext -f 1 -l 1 -bbox "$1" - 2>/dev/null |
        sed -n 's|.*<word xMin="\([0-9.]*\)" yMin="\([0-9.]*\)"[^>]*>\(.*\)</word>.*|\1 \2 \3|p'
}
