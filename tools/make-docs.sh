#!/usr/bin/env bash
# Makes the two documents that the program opens from its File menu, 操作マニュアル.pdf and
# 活用例.pdf (`make docs`):
#   1. installs what is missing (tools/install-deps.sh --docs);
#   2. builds the command-line calculator and the Windows program in build directories of
#      its own, and the walk that takes the manual's pictures (docs/walk/docs_walk.cpp);
#   3. walks the program under Wine on a virtual display and saves a PNG of every window the
#      manual shows (tools/screenshots.sh, which also fails on a blank window);
#   4. renders both documents with weasyprint (docs/build_docs.py, which runs kamorte-calc for
#      every number of the worked examples and for their maps);
#   5. checks the PDF files and puts them into docs/ (committed) and build/docs/ (where
#      tools/dist.sh takes them from).
# Running it again gives the same documents. Screens the program does not have yet are
# described without a picture and listed at the end.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
jobs=${JOBS:-2}
native=${KAMORTE_DOCS_NATIVE_BUILD:-$root/build/docs-native}
win=${KAMORTE_DOCS_WIN_BUILD:-$root/build/docs-win}
walk_dir=$root/build/docs-walk
shots=$root/build/docs-shots
work=$root/build/docs-html
out=$root/build/docs
export WINEPREFIX=${KAMORTE_DOCS_WINEPREFIX:-$root/build/wineprefix-docs}
# The manual's pictures are of a screen at 96 dpi (tools/wine-run sets the prefix's screen),
# drawn with the visual styles the program's manifest asks for.
export KAMORTE_DPI=96

step() { printf '== %s\n' "$*"; }

step "packages"
tools/install-deps.sh --docs

step "command-line calculator ($native)"
cmake -S . -B "$native" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$native" -j "$jobs" --target kamorte-calc >/dev/null
calc=$native/tools/kamorte_calc/kamorte-calc

step "Windows program ($win)"
cmake -S . -B "$win" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$win" -j "$jobs" --target kamorte >/dev/null
program=$win/app/kamorte.exe

step "walk for the screenshots"
mkdir -p "$walk_dir"
walker=$walk_dir/docs_walk.exe
if [ ! -f "$walker" ] || [ docs/walk/docs_walk.cpp -nt "$walker" ] ||
   [ tests/win/program_driver.h -nt "$walker" ]; then
  x86_64-w64-mingw32-g++-posix -std=c++17 -O2 -Wall -Wextra -Werror \
    -finput-charset=UTF-8 -fexec-charset=CP932 -static -I. \
    -o "$walker" docs/walk/docs_walk.cpp -luser32
fi
tools/with-display bash tools/screenshots.sh "$program" "$walker" "$shots" | tee "$walk_dir/walk.log"

step "printed pages"
# Reports printed for real to the project's PDF queues (case A and case D with a measured
# index, case D also on the printer without colour), rendered as the print test renders
# them and reduced for the manual.
cmake --build "$win" -j "$jobs" --target kamorte_print_driver kamorte_page_check >/dev/null
printed=$walk_dir/printed
for page in a d d:mono; do
  report=${page%%:*}
  mode=${page#"$report"}
  mode=${mode#:}
  tools/with-display bash tests/print/print_test.sh "$report" \
    "$win/tests/win/kamorte_print_driver.exe" "$program" \
    "$win/tests/print/kamorte_page_check.exe" "$printed" ${mode:+"$mode"} >"$walk_dir/print_$report$mode.log"
  convert "$printed/print_case_$report${mode:+_$mode}.png" -resize 25% \
    "$shots/printed_case_$report${mode:+_$mode}.png"
done

step "documents"
python3 docs/build_docs.py --calc "$calc" --shots "$shots" --work "$work" --out "$out"

step "checks"
# Page counts, the Japanese fonts embedded, and texts that must be on the pages: a page
# rendered without the IPA fonts, or examples that no longer match the calculator, fail here.
check_pdf() {
  local pdf=$1 min_pages=$2
  shift 2
  local pages
  pages=$(pdfinfo "$pdf" | awk '/^Pages:/ {print $2}')
  if [ "$pages" -lt "$min_pages" ]; then
    echo "$pdf: $pages pages, expected at least $min_pages"
    return 1
  fi
  if ! pdffonts "$pdf" | awk 'NR > 2 && $(NF - 4) == "yes" {found = 1} /IPA/ {ipa = 1} END {exit !(found && ipa)}'; then
    echo "$pdf: the IPA fonts are not embedded"
    return 1
  fi
  local text
  text=$(pdftotext -enc UTF-8 "$pdf" - | tr -d ' \n')
  local phrase
  for phrase in "$@"; do
    if [[ $text != *"$phrase"* ]]; then
      echo "$pdf: \"$phrase\" is not on any page"
      return 1
    fi
  done
  echo "$pdf: $pages pages"
}
check_pdf "$out/操作マニュアル.pdf" 20 \
  "スタートメニュー" "ケースの選び方" "希釈度マップの調整" "印刷情報" "用語解説" \
  "排出ガス流量の自動計算" "パラメータエラー" "smell.prm" "根拠とした法令など"
example_phrases=()
for result in "$work"/results/*.json; do
  # The outlet index and, for the tall outlets, the emission rate of every example.
  example_phrases+=("$(python3 -c 'import json,sys; r=json.load(open(sys.argv[1], encoding="utf-8"));
i = r.get("allowableOutletIndex", r.get("no2Index")); print(f"臭気指数{int(i + 0.5)}")' "$result")")
done
check_pdf "$out/活用例.pdf" 10 "排出口における許容臭気指数＝１号基準＋希釈度" "許容臭気排出強度" "最大着地濃度地点" "${example_phrases[@]}"

mkdir -p docs
cp "$out/操作マニュアル.pdf" "$out/活用例.pdf" docs/
if [ -s "$work/missing-screenshots.txt" ]; then
  echo "screenshots still missing (the screens are described without them):"
  sed 's/^/  /' "$work/missing-screenshots.txt"
fi
echo "docs/操作マニュアル.pdf and docs/活用例.pdf made"
