#!/usr/bin/env bash
# The two renderers of page descriptions draw the same pages: a register of one outlet of
# each case is printed through the program's GDI renderer under Wine to the project's PDF
# queue (kamorte_gdi_pages, a fixed clock) and through kamorte-calc --report's cairo
# renderer (the same clock); both PDFs are rendered at 300 dpi and every page compared as
# pictures: no ink of either more than u/5 (8 device units) from ink of the other.
# The Windows kamorte-calc.exe makes no PDF: it says where reports are printed.
#   renderers_test.sh GDI_PAGES CALC_EXE NATIVE_BUILD PAGES
# NATIVE_BUILD: the native build tree (kamorte-calc, kamorte_ink_compare); PAGES: the folder
# that keeps the rendered pages (renderers_gdi-N.png, renderers_cairo-N.png).
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
driver=$1 calc_exe=$2 native=$3 pages=$4
calc=$native/tools/kamorte_calc/kamorte-calc
compare=$native/tests/print/kamorte_ink_compare
if [ ! -x "$calc" ] || [ ! -x "$compare" ]; then
  echo "FAILED: the native build is missing ($native): make native first"
  exit 1
fi
register=$root/tests/print/four_cases.csv
read -r queue out < <("$root/tools/print-queue.sh")
export PRINTER=$queue LPDEST=$queue
mkdir -p "$pages"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

. "$root/tests/print/queue_jobs.sh"
before=$(last_job)
before=${before:-0}
result=$("$root/tools/wine-run" "$driver" "Z:$register" | tr -d '\r' || true)
echo "$result"
echo "$result" | grep -qx printed
gdi=""
for _ in $(seq 300); do
  gdi=$(printed_pdf "$before" kamorte-gdi-pages | head -1)
  [ -n "$gdi" ] && break
  sleep 0.2
done
[ -n "$gdi" ] || { echo "FAILED: the GDI pages made no PDF in $out"; exit 1; }
echo "GDI: $gdi"

SOURCE_DATE_EPOCH=1775034307 TZ=UTC "$calc" --batch "$register" --report "$scratch/cairo.pdf" >/dev/null
count() { pdfinfo "$1" | sed -n 's/^Pages: *//p'; }
if [ "$(count "$gdi")" != 4 ] || [ "$(count "$scratch/cairo.pdf")" != 4 ]; then
  echo "FAILED: $(count "$gdi") GDI pages, $(count "$scratch/cairo.pdf") cairo pages, not 4"
  exit 1
fi
status=0
said=$("$root/tools/wine-run" "$calc_exe" --example --report "Z:$scratch/windows.pdf" 2>&1 >/dev/null) ||
  windows=$?
if [ "${windows:-0}" != 2 ] || [ -e "$scratch/windows.pdf" ] ||
  ! echo "$said" | grep -q "「ファイル」→「一括印刷（CSV）...」で印刷して下さい。"; then
  echo "FAILED: kamorte-calc.exe --report: status ${windows:-0}, $said"
  status=1
fi
for renderer in gdi cairo; do
  pdf=$([ $renderer = gdi ] && echo "$gdi" || echo "$scratch/cairo.pdf")
  pdftoppm -r 300 "$pdf" "$scratch/$renderer"
  pdftoppm -r 300 -png "$pdf" "$pages/renderers_$renderer"
done
for page in 1 2 3 4; do
  echo "page $page:"
  "$compare" "$scratch/gdi-$page.ppm" "$scratch/cairo-$page.ppm" 8 || status=1
done
exit $status
