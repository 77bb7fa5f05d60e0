#!/usr/bin/env bash
# Prints one case's report from the real program under Wine to the project's PDF queue,
# finds the PDF by the job id CUPS gave, renders it at 300 dpi and checks it against the
# page description.
#   print_test.sh CASE DRIVER PROGRAM CHECKER PAGES [refused|mono]
# CASE a|b|c|d; PAGES: the folder that keeps the rendered page (print_case_CASE.png, or
# print_case_CASE_mono.png).
# With "refused" the queue rejects jobs: the program must say so and print nothing. With
# "mono" the page goes to a queue whose printer prints no colour.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
which=$1 driver=$2 program=$3 checker=$4 pages=$5 mode=${6:-}
read -r queue out < <("$root/tools/print-queue.sh" ${mode:+"$mode"})
export PRINTER=$queue LPDEST=$queue
mkdir -p "$pages"

last_job() {
  lpstat -W all -o "$queue" 2>/dev/null | sed -n "s/^$queue-\([0-9]*\) .*/\1/p" | sort -n | tail -1
}
before=$(last_job)
before=${before:-0}

if [ "$mode" = refused ]; then
  trap 'cupsaccept "$queue"' EXIT
  cupsreject "$queue"
fi
winpath() { printf 'Z:%s' "$1"; }
driver_mode=""
[ "$mode" != refused ] || driver_mode=refused
run_driver() { "$root/tools/wine-run" "$driver" "$(winpath "$program")" "$which" ${driver_mode:+"$driver_mode"} | tr -d '\r'; }
result=$(run_driver || true)
# Nothing at all, not even the driver's first line: Wine did not start it (its server of
# the test before may still be going down); or, in a prefix Wine has just brought up to date,
# a screen that took no input, so nothing was printed. Once more, after the server has gone.
if ! grep -qxE 'printed|refused' <<<"$result"; then
  echo "$result" | iconv -f CP932 -t UTF-8 | sed 's/^/first run: /' || true
  WINEPREFIX="${WINEPREFIX:-$root/build/wineprefix}" wineserver -w 2>/dev/null || true
  result=$(run_driver || true)
fi
echo "$result" | iconv -f CP932 -t UTF-8 || echo "$result"
if [ "$mode" = refused ]; then
  echo "$result" | grep -qx refused
  after=$(last_job)
  if [ "${after:-0}" != "$before" ]; then
    echo "FAILED: a refused print still made job $after"
    exit 1
  fi
  echo "no job was made"
  exit 0
fi
echo "$result" | grep -qx printed
dryflow=$(echo "$result" | sed -n 's/^dry flow shown: *//p')
verdict=$(echo "$result" | sed -n 's/^verdict: *//p')
ink=$([ "$mode" = mono ] && echo mono || echo colour)

job=""
for _ in $(seq 100); do
  job=$(last_job)
  [ -n "$job" ] && [ "$job" -gt "$before" ] && break
  job=""
  sleep 0.2
done
[ -n "$job" ] || { echo "FAILED: CUPS has no new job"; exit 1; }
pdf=""
for _ in $(seq 150); do
  pdf=$(ls "$out"/*-job_"$job".pdf 2>/dev/null | head -1 || true)
  [ -n "$pdf" ] && ! lpstat -o "$queue" 2>/dev/null | grep -q "^$queue-$job " && break
  pdf=""
  sleep 0.2
done
[ -n "$pdf" ] || { echo "FAILED: job $job made no PDF in $out"; exit 1; }
echo "job $job: $pdf"
pdftoppm -r 300 -png -singlefile "$pdf" "$pages/print_case_$which${mode:+_$mode}"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
pdftoppm -r 300 -singlefile "$pdf" "$scratch/page"
if [ "${checker##*.}" = exe ]; then
  "$root/tools/wine-run" "$checker" "$which" "$(winpath "$scratch/page.ppm")" "$verdict" "$ink" $dryflow | tr -d '\r' >"$scratch/check" || status=$?
else
  "$checker" "$which" "$scratch/page.ppm" "$verdict" "$ink" $dryflow >"$scratch/check" || status=$?
fi
cat "$scratch/check"
exit "${status:-0}"
