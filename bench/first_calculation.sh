#!/usr/bin/env bash
# The first 計算する against the later ones in the Windows build under Wine: fresh
# processes with the grid warmed up at start-up (as the program starts) and without.
#   bench/first_calculation.sh [first_calculation_bench.exe] [processes]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
exe="${1:-$root/build/win/bench/win/first_calculation_bench.exe}"
processes="${2:-5}"
for mode in warm cold; do
  lines=$(for _ in $(seq "$processes"); do "$root/tools/wine-run" "$exe" "$mode" 1500; done |
    tr -d '\r')
  echo "$lines"
  median=$(echo "$lines" | sed 's/.*first\/later //' | sort -g | sed -n "$(((processes + 1) / 2))p")
  echo "$mode: median first/later over $processes processes $median"
done
