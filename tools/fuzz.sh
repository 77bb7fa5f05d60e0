#!/usr/bin/env bash
# Builds the fuzz entries (tests/fuzz) with AddressSanitizer and UndefinedBehaviorSanitizer and
# runs each under afl-fuzz for FUZZ_SECONDS (default 60) from its committed corpus with its
# dictionary. Inputs that stop an entry are copied to tests/fuzz/<entry>/regressions, where
# make test replays them; the run then fails.
#   FUZZ_SECONDS=600 FUZZ_ENTRIES="field_text smell_prm" tools/fuzz.sh
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${FUZZ_SECONDS:-60}
entries=${FUZZ_ENTRIES:-$(cd tests/fuzz && for d in */; do [ -d "$d/corpus" ] && echo "${d%/}"; done)}
build=${FUZZ_BUILD:-build/fuzz}
jobs=${JOBS:-2}

tools/install-deps.sh
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKAMORTE_FUZZ=ON >/dev/null
# shellcheck disable=SC2046 # one target name a word
nice cmake --build "$build" -j "$jobs" --target $(for entry in $entries; do echo "fuzz_$entry"; done) >/dev/null

# The fuzzed code must hold the same code page 932 texts as the shipped code: compare every
# run of non-ASCII bytes in the portable libraries of both builds.
cmake -S . -B build/native -DCMAKE_BUILD_TYPE=Release >/dev/null
replays=$(for entry in $entries; do echo "fuzz_${entry}_replay"; done)
# shellcheck disable=SC2086 # one target name a word
nice cmake --build build/native -j "$jobs" --target kamorte_calc_core kamorte_map $replays >/dev/null
python3 tools/same_texts.py build/native "$build"

export AFL_NO_UI=1 AFL_SKIP_CPUFREQ=1 AFL_NO_AFFINITY=1 AFL_I_DONT_CARE_ABOUT_MISSING_CRASHES=1
findings=0
for entry in $entries; do
  out="$build/findings/$entry"
  rm -rf "$out"
  mkdir -p "$out"
  nice -n 19 afl-fuzz -i "tests/fuzz/$entry/corpus" -o "$out" -x "tests/fuzz/$entry/$entry.dict" \
    -t 5000 -V "$seconds" -- "$build/tests/fuzz/fuzz_$entry" >"$out/afl.log" 2>&1 || {
    echo "$entry: afl-fuzz failed, see $out/afl.log" >&2
    findings=1
    continue
  }
  stats="$out/default/fuzzer_stats"
  field() { awk -F' *: *' -v k="$1" '$1 == k { print $2 }' "$stats"; }
  echo "$entry: $(field execs_done) executions, corpus $(field corpus_count)," \
       "edges $(field edges_found)/$(field total_edges) ($(field bitmap_cvg))," \
       "crashes $(field saved_crashes), hangs $(field saved_hangs)"
  # How much of the corpus gets as far as a result, replayed by the ordinary build.
  echo "  corpus $(build/native/tests/fuzz/fuzz_${entry}_replay "$out/default/queue" 2>/dev/null | tail -n 1)"
  mkdir -p "tests/fuzz/$entry/regressions"
  for kind in crashes hangs; do
    for f in "$out/default/$kind"/id:*; do
      [ -e "$f" ] || continue
      name="$kind-$(sha1sum "$f" | cut -c1-12)"
      cp "$f" "tests/fuzz/$entry/regressions/$name"
      echo "  kept $kind input tests/fuzz/$entry/regressions/$name"
      findings=1
    done
  done
done
exit $findings
