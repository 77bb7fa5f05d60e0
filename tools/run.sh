#!/usr/bin/env bash
# make run: computes the built-in example outlet with the command line and writes its map
# next to the build.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
calc="$root/build/native/tools/kamorte_calc/kamorte-calc"
map="$root/build/example-map.bmp"
"$calc" --example --map "$map"
echo "The example outlet's dilution map is in $map"
