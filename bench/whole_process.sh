#!/usr/bin/env bash
# kamorte-calc as a user meets it: whole processes timed by hyperfine in one run, so every
# figure has the same machine load as its yardsticks. Prints the medians, the results-only
# run above the process floor (--help), the ratios to the cell-by-cell computation of the
# whole grid (--reference) and the batch throughput of tall outlets.
#   bench/whole_process.sh [kamorte-calc] [runs]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
calc="${1:-$root/build/native/tools/kamorte_calc/kamorte-calc}"
runs="${2:-21}"
tall_csv="$root/bench/batch_tall_outlets.csv"
mixed_csv="$root/bench/batch_outlets.csv"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

command -v hyperfine >/dev/null || { echo "hyperfine is missing: tools/install-deps.sh" >&2; exit 2; }

# One tall outlet, the program's example (case D, 30 m).
hyperfine -N --warmup 3 --runs "$runs" --style none --export-csv "$work/times.csv" \
  -n floor "$calc --help" \
  -n results "$calc --example" \
  -n map "$calc --example --map $work/map.bmp" \
  -n reference "$calc --example --reference" \
  -n batch-tall "$calc --batch $tall_csv" \
  -n batch-mixed "$calc --batch $mixed_csv" >/dev/null

tall_rows=$(($(wc -l <"$tall_csv") - 1))
mixed_rows=$(($(wc -l <"$mixed_csv") - 1))
awk -F, -v tall="$tall_rows" -v mixed="$mixed_rows" -v runs="$runs" '
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
    # On a busy machine the wall clock waits for the processor; the processor time does not.
    printf "mean processor time (user + system) of the same runs:\n"
    printf "  --help %.2f ms, results only %.2f ms (%+.2f ms), --map %.2f ms, reference %.2f ms\n",
           cpu["floor"] * ms, cpu["results"] * ms, (cpu["results"] - cpu["floor"]) * ms,
           cpu["map"] * ms, cpu["reference"] * ms
    printf "  --batch of %d tall outlets %.2f ms of processor time\n", tall, cpu["batch-tall"] * ms
  }' "$work/times.csv"
