#!/usr/bin/env bash
# Outlets per second of kamorte-calc --batch over bench/batch_outlets.csv (100 outlets,
# half of them tall): the median of five runs.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
calc="${1:-$root/build/native/tools/kamorte_calc/kamorte-calc}"
csv="$root/bench/batch_outlets.csv"
outlets=$(($(wc -l <"$csv") - 1))
times=()
for _ in 1 2 3 4 5; do
  start=$(date +%s.%N)
  "$calc" --batch "$csv" >/dev/null
  end=$(date +%s.%N)
  times+=("$(echo "$end - $start" | bc -l)")
done
median=$(printf '%s\n' "${times[@]}" | sort -g | sed -n 3p)
printf 'batch of %d outlets: median %.3f s, %.0f outlets/s\n' "$outlets" "$median" \
  "$(echo "$outlets / $median" | bc -l)"
