#!/bin/bash
# Runs a command with a CUPS server of its own that has one PDF queue (cups-pdf): starts
# cupsd in the foreground with a configuration under WORK_DIR, adds the queue, exports
# CUPS_SERVER (the server's socket), ZARIM_TEST_QUEUE (the queue's name) and
# ZARIM_TEST_PDF_DIR (where the queue writes its PDF files), runs the command and stops
# the server by its process id. The system's own CUPS, if any, is not touched; cups-pdf
# reads its settings only from the system's CUPS folder, so the queue's own settings file
# goes there under the queue's name (unique to this run) and is removed at the end.
# Usage: with_cups_pdf_queue.sh WORK_DIR COMMAND [ARGS...]. Exit 77 (skipped) without
# cupsd or cups-pdf.
set -u
work=$1
shift
cupsd=$(command -v cupsd || echo /usr/sbin/cupsd)
lpadmin=$(command -v lpadmin || echo /usr/sbin/lpadmin)
ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
for tool in "$cupsd" "$lpadmin" /usr/lib/cups/backend/cups-pdf "$ppd"; do
  [ -e "$tool" ] || { echo "skipped: $tool is not installed"; exit 77; }
done
if [ "$(id -u)" -ne 0 ]; then
  # cups-pdf writes as root; a server of one's own needs root to run its backend.
  echo "skipped: a CUPS server with the cups-pdf backend needs root"; exit 77
fi

rm -rf "$work"
mkdir -p "$work"/{etc/ppd,spool/tmp,cache,state,log,out}
chmod 0755 "$work" "$work"/*
chmod 1777 "$work/spool/tmp" "$work/out"
socket="$work/cups.sock"
queue=zarim-test-pdf-$$
queue_conf=/etc/cups/cups-pdf-$queue.conf

cat >"$work/etc/cups-files.conf" <<CONF
ServerRoot $work/etc
RequestRoot $work/spool
TempDir $work/spool/tmp
CacheDir $work/cache
StateDir $work/state
ServerBin /usr/lib/cups
DataDir /usr/share/cups
ErrorLog $work/log/error_log
AccessLog $work/log/access_log
PageLog $work/log/page_log
User lp
Group lp
SystemGroup root
FileDevice No
Printcap $work/printcap
CONF
cat >"$work/etc/cupsd.conf" <<CONF
Listen $socket
LogLevel warn
Browsing No
WebInterface No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order allow,deny
    Allow all
  </Limit>
</Policy>
CONF
cat >"$queue_conf" <<CONF
Out $work/out
AnonDirName $work/out
Spool $work/spool/cups-pdf
Grp root
Log $work/log
LogType 3
CONF

"$cupsd" -f -c "$work/etc/cupsd.conf" -s "$work/etc/cups-files.conf" 2>"$work/log/cupsd.stderr" &
cupsd_pid=$!
stop_cupsd() {
  kill "$cupsd_pid" 2>/dev/null
  wait "$cupsd_pid" 2>/dev/null
  rm -f "$queue_conf"
}
trap stop_cupsd EXIT
export CUPS_SERVER="$socket"
up=
for _ in $(seq 1 300); do
  if lpstat -r 2>/dev/null | grep -q "is running"; then up=1; break; fi
  kill -0 "$cupsd_pid" 2>/dev/null || break
  sleep 0.1
done
if [ -z "$up" ]; then
  echo "cupsd did not start"; cat "$work/log/cupsd.stderr" "$work/log/error_log" 2>/dev/null
  exit 1
fi
if [ -z "${ZARIM_TEST_NO_QUEUE:-}" ]; then
  # The PDF from the program goes to PostScript for cups-pdf through Poppler's cairo
  # renderer, which keeps the text's characters for pdftotext.
  if ! "$lpadmin" -p "$queue" -v "cups-pdf:/$queue" -P "$ppd" -E \
         -o pdftops-renderer-default=pdftocairo 2>"$work/log/lpadmin.stderr"; then
    echo "the PDF queue could not be added"; cat "$work/log/lpadmin.stderr" "$work/log/error_log"
    exit 1
  fi
  "$lpadmin" -d "$queue" || true
  export ZARIM_TEST_QUEUE="$queue"
fi
export ZARIM_TEST_PDF_DIR="$work/out"
export ZARIM_TEST_CUPS_LOG="$work/log/error_log"
"$@"
rc=$?
[ $rc -ne 0 ] && [ -f "$work/log/error_log" ] && tail -n 40 "$work/log/error_log"
exit $rc
