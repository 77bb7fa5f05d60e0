#!/usr/bin/env bash
# kamorte-calc as a user meets it: whole processes timed by hyperfine in one run, so every
# figure has the same machine load as its yardsticks. Prints the medians, the results-only
# run above the process floor (--help), the ratios to the cell-by-cell computation of the
# whole grid (--reference), the height search of an outlet that never complies (every
# height scanned) and the batch throughput of tall outlets. With REFERENCE naming another
# build's kamorte-calc (an earlier commit's), the search and the 1,000-outlet batch are
# timed with it too, in the same run, and compared.
#   [REFERENCE=kamorte-calc] bench/whole_process.sh [kamorte-calc] [runs]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
calc="${1:-$root/build/native/tools/kamorte_calc/kamorte-calc}"
runs="${2:-21}"
tall_csv="$root/bench/batch_tall_outlets.csv"
mixed_csv="$root/bench/batch_outlets.csv"
tall1000_csv="$root/bench/batch_1000_tall_outlets.csv"
solve="--example --measured-index 70 --solve height"
reference="${REFERENCE:-}"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

command -v hyperfine >/dev/null || { echo "hyperfine is missing: tools/install-deps.sh" >&2; exit 2; }

against=()
if [ -n "$reference" ]; then
  against=(-n ref-solve "$reference $solve" -n ref-batch-1000 "$reference --batch $tall1000_csv")
fi
echo "load before the run: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) processors"
# One tall outlet, the program's example (case D, 30 m).
hyperfine -N --warmup 3 --runs "$runs" --style none --export-csv "$work/times.csv" \
  -n floor "$calc --help" \
  -n results "$calc --example" \
  -n map "$calc --example --map $work/map.bmp" \
  -n reference "$calc --example --reference" \
  -n batch-tall "$calc --batch $tall_csv" \
  -n batch-mixed "$calc --batch $mixed_csv" \
  -n solve "$calc $solve" \
  -n batch-1000 "$calc --batch $tall1000_csv" \
  "${against[@]}" >/dev/null

tall_rows=$(($(wc -l <"$tall_csv") - 1))
mixed_rows=$(($(wc -l <"$mixed_csv") - 1))
tall1000_rows=$(($(wc -l <"$tall1000_csv") - 1))
awk -F, -v tall="$tall_rows" -v mixed="$mixed_rows" -v tall1000="$tall1000_rows" -v runs="$runs" '
  NR > 1 { median[$1] = $4; cpu[$1] = $5 + $6 }
  END {
    ms = 1000
    printf "whole-process medians of %d runs (hyperfine, one run for all):\n", runs
    printf "  kamorte-calc --help (process floor)      %8.2f ms\n", median["floor"] * ms
    printf "  --example, results only                  %8.2f ms  (%+.2f ms above the floor)\n",
           median["results"] * ms, (median["results"] - median["floor"]) * ms
    printf "  --example --map                          %8.2f ms\n", median["map"] * ms
    printf "  --example --reference (cell by cell)     %8.2f ms\n", median["reference"] * ms
    printf "  reference / results only                 %8.1f x\n", median["reference"] / median["results"]
    printf "  reference / --map                        %8.1f x\n", median["reference"] / median["map"]
    printf "  --batch of %d tall outlets               %8.2f ms  (%.0f outlets/s)\n",
           tall, median["batch-tall"] * ms, tall / median["batch-tall"]
    printf "  --batch of %d mixed outlets              %8.2f ms  (%.0f outlets/s)\n",
           mixed, median["batch-mixed"] * ms, mixed / median["batch-mixed"]
    printf "  --solve height, never complying          %8.2f ms  (%.1f x the floor)\n",
           median["solve"] * ms, median["solve"] / median["floor"]
    printf "  --batch of %d tall outlets              %8.2f ms  (%.0f outlets/s)\n",
           tall1000, median["batch-1000"] * ms, tall1000 / median["batch-1000"]
    if ("ref-solve" in median) {
      printf "against the reference build, same run:\n"
      printf "  --solve height  %8.2f ms, this build %.1f x faster\n",
             median["ref-solve"] * ms, median["ref-solve"] / median["solve"]
      printf "  --batch of %d   %8.2f ms (%.0f outlets/s), this build %.1f x the outlets a second\n",
             tall1000, median["ref-batch-1000"] * ms, tall1000 / median["ref-batch-1000"],
             median["ref-batch-1000"] / median["batch-1000"]
    }
    # On a busy machine the wall clock waits for the processor; the processor time does not.
    printf "mean processor time (user + system) of the same runs:\n"
    printf "  --help %.2f ms, results only %.2f ms (%+.2f ms), --map %.2f ms, reference %.2f ms\n",
           cpu["floor"] * ms, cpu["results"] * ms, (cpu["results"] - cpu["floor"]) * ms,
           cpu["map"] * ms, cpu["reference"] * ms
    printf "  --batch of %d tall outlets %.2f ms of processor time\n", tall, cpu["batch-tall"] * ms
    printf "  --solve height %.2f ms, --batch of %d %.2f ms", cpu["solve"] * ms, tall1000,
           cpu["batch-1000"] * ms
    if ("ref-solve" in median)
      printf "; the reference build %.2f ms and %.2f ms", cpu["ref-solve"] * ms,
             cpu["ref-batch-1000"] * ms
    printf "\n"
  }' "$work/times.csv"
