#!/usr/bin/env bash
# ファイル > 一括印刷（CSV）... of the real program under Wine to the project's PDF queue. The
# register's pages are held against what kamorte-calc --batch computes of the same file:
# one page a computed row, each with its row's names, case heading, standard and register
# line, and the closing message naming the rows left out. Then a long register cancelled
# once its first page is out: the message of a print abandoned, and no job at all.
#   register_print_test.sh DRIVER PROGRAM CALC REGISTER PAGES
# PAGES: the folder that keeps the rendered pages (register_page-N.png).
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
driver=$1 program=$2 calc=$3 register=$4 pages=$5
read -r queue out < <("$root/tools/print-queue.sh")
export PRINTER=$queue LPDEST=$queue
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$pages"

. "$root/tests/print/queue_jobs.sh"
drive() {
  "$root/tools/wine-run" "$driver" "$1" "Z:$program" "Z:$2" | tr -d '\r' | iconv -f CP932 -t UTF-8
}

# Exit status 1: the sample's refused row.
"$root/tools/wine-run" "$calc" --batch "Z:$register" --output-encoding utf-8 \
  --output "Z:$scratch/batch.csv" 2>/dev/null || [ $? -eq 1 ]

before=$(last_job)
before=${before:-0}
drive print "$register" | tee "$scratch/driven"
grep -q '^message: ' "$scratch/driven"
pdf=""
for _ in $(seq 150); do
  pdf=$(printed_pdf "$before" "$(basename "$register")" | head -1)
  [ -n "$pdf" ] && break
  sleep 0.2
done
[ -n "$pdf" ] || { echo "FAILED: the print made no PDF"; exit 1; }
echo "$pdf: $(pdfinfo "$pdf" | sed -n 's/^Pages: *//p') pages"
/usr/bin/python3 "$root/tests/print/register_pages_check.py" "$pdf" \
  /usr/share/fonts/opentype/ipafont-mincho/ipamp.ttf "$scratch/batch.csv" "$scratch/driven"
rm -f "$pages"/register_page-*.png
pdftoppm -r 60 -png "$pdf" "$pages/register_page"

# A long register, cancelled after its first page.
long=$scratch/register_cancelled.csv
{
  head -1 "$register"
  for _ in $(seq 40); do tail -n +2 "$register"; done
} >"$long"
before=$(last_job)
before=${before:-0}
drive cancel "$long" | tee "$scratch/driven"
grep -qx 'message: 一括印刷を中止しました。何も印刷していません。' "$scratch/driven"
sleep 3
if [ -n "$(printed_pdf "$before" register_cancelled.csv)" ]; then
  echo "FAILED: a cancelled print still made a PDF"
  exit 1
fi
echo "the cancelled print made no PDF"
