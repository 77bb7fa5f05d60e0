#!/usr/bin/env bash
# Makes the printer the tests print to: a CUPS queue of the project's own that writes each
# job as a PDF file named after its job id. Starts the spooler when none runs. The
# machine's default printer and every other queue stay as they are.
#   tools/print-queue.sh          prints the queue name and the folder of its PDF files
set -euo pipefail
queue=KamorteTest
out=/var/spool/cups-pdf-kamorte
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
  $SUDO lpadmin -p "$queue" -v "cups-pdf:/$queue" -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd -E
fi
# A test that refused jobs may have ended before it could accept them again.
$SUDO cupsaccept "$queue" 2>/dev/null || true
$SUDO cupsenable "$queue" 2>/dev/null || true
echo "$queue $out"
