#!/usr/bin/env bash
# Times kamorte-calc --report over registers of 100 and 1,000 outlets (bench/make_register.py,
# a fixed seed, half of them tall) and gives the peak memory of each run: the time should
# stay under a minute and the memory the same for both lengths.
#   bench/report_bench.sh [KAMORTE_CALC]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
calc="${1:-$root/build/native/tools/kamorte_calc/kamorte-calc}"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for rows in 100 1000; do
  python3 "$root/bench/make_register.py" "$rows" >"$work/register_$rows.csv"
  status=0
  /usr/bin/time -v "$calc" --batch "$work/register_$rows.csv" --report "$work/report_$rows.pdf" \
    >/dev/null 2>"$work/time_$rows.txt" || status=$?
  elapsed=$(sed -n 's/.*Elapsed (wall clock) time (h:mm:ss or m:ss): //p' "$work/time_$rows.txt")
  peak=$(sed -n 's/.*Maximum resident set size (kbytes): //p' "$work/time_$rows.txt")
  pages=$(pdfinfo "$work/report_$rows.pdf" | sed -n 's/^Pages: *//p')
  size=$(stat -c %s "$work/report_$rows.pdf")
  printf '%5d outlets: %s pages, %s elapsed, peak memory %d MB, PDF %d KB (status %d)\n' \
    "$rows" "$pages" "$elapsed" $((peak / 1024)) $((size / 1024)) "$status"
done
