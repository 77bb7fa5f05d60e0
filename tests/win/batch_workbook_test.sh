#!/usr/bin/env bash
# The program's 一括計算 writes the sample register as a workbook (in the Windows tests under
# Wine); openpyxl reads it back and holds it cell by cell against the CSV that the Windows
# kamorte-calc writes of the same register.
set -euo pipefail
tests=$1 calc=$2 source=$3
run="$source/tools/wine-run"
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
KAMORTE_WORKBOOK_COPY="Z:$out/menu.xlsx" "$run" "$tests" \
  --gtest_filter=BatchCommandTest.TheMenuWritesAWorkbook
test -s "$out/menu.xlsx"
# Exit status 1: the sample's last outlet is refused, as it should be.
status=0
"$run" "$calc" --batch "Z:$source/docs/samples/outlets.csv" --output-encoding utf-8-bom \
  --output "Z:$out/outlets.csv" 2>/dev/null || status=$?
[ "$status" -eq 1 ]
/usr/bin/python3 "$source/tests/files/workbook_check.py" "$out/menu.xlsx" "$out/outlets.csv" \
  outlets 5
echo "the menu's workbook holds what kamorte-calc's CSV holds"
