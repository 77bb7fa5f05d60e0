#!/usr/bin/env bash
# Makes the printer the tests print to: a CUPS queue of the project's own that writes each
# job as a PDF file named after its job id. Starts the spooler when none runs. The
# machine's default printer and every other queue stay as they are.
#   tools/print-queue.sh          prints the queue name and the folder of its PDF files
#   tools/print-queue.sh mono     the same for a second queue whose PPD says it prints no
#                                 colour (*ColorDevice: False), as an office laser printer
set -euo pipefail
queue=KamorteTest
out=/var/spool/cups-pdf-kamorte
ppd=lsb/usr/cups-pdf/CUPS-PDF_opt.ppd
if [ "${1:-}" = mono ]; then
  queue=KamorteMonoTest
  out=/var/spool/cups-pdf-kamorte-mono
fi
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"

running() { lpstat -r 2>/dev/null | grep -q 'is running'; }
if ! running; then
  $SUDO /usr/sbin/cupsd
  for _ in $(seq 50); do running && break; sleep 0.2; done
fi
# The backend reads cups-pdf-NAME.conf for the device cups-pdf:/NAME: this queue's files go
# to a folder of their own, labelled job_ID-TITLE.pdf.
conf=/etc/cups/cups-pdf-$queue.conf
want=$(printf 'Out %s\nLabel 2\nGrp root\n' "$out")
if [ ! -f "$conf" ] || [ "$(cat "$conf")" != "$want" ]; then
  printf '%s\n' "$want" | $SUDO tee "$conf" >/dev/null
fi
$SUDO mkdir -p "$out"
$SUDO chmod 1777 "$out"
if ! lpstat -p "$queue" >/dev/null 2>&1; then
  if [ "$queue" = KamorteMonoTest ]; then
    mono=$(mktemp --suffix=.ppd)
    sed 's/^\*ColorDevice:.*/*ColorDevice:\tFalse/' /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd >"$mono"
    $SUDO lpadmin -p "$queue" -v "cups-pdf:/$queue" -P "$mono" -E
    rm -f "$mono"
  else
    $SUDO lpadmin -p "$queue" -v "cups-pdf:/$queue" -m "$ppd" -E
  fi
fi
# A test that refused jobs may have ended before it could accept them again.
$SUDO cupsaccept "$queue" 2>/dev/null || true
$SUDO cupsenable "$queue" 2>/dev/null || true
echo "$queue $out"
