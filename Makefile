# カモルテ — build, test and run. See README.md.
JOBS ?= 2
CMAKE ?= cmake
NATIVE := build/native
ASAN := build/asan
WIN := build/win

.PHONY: all deps build native asan win test test-native test-asan test-win run dist docs example bench fuzz format clean

all: build

deps:
	@tools/install-deps.sh

native: deps
	@$(CMAKE) -S . -B $(NATIVE) -DCMAKE_BUILD_TYPE=Release >/dev/null
	@$(CMAKE) --build $(NATIVE) -j $(JOBS)

asan: deps
	@$(CMAKE) -S . -B $(ASAN) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKAMORTE_SANITIZE=ON >/dev/null
	@$(CMAKE) --build $(ASAN) -j $(JOBS)

win: deps
	@$(CMAKE) -S . -B $(WIN) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
	@$(CMAKE) --build $(WIN) -j $(JOBS)

build: native win

test-native: native
	cd $(NATIVE) && ctest --output-on-failure -j $(JOBS)

test-asan: asan
	cd $(ASAN) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j $(JOBS)

test-win: win
	tools/with-display sh -c 'cd $(WIN) && ctest --output-on-failure'

test: test-native test-asan test-win

# On a display: the program. Without one: screenshots of the example outlet's screens.
run: win
	@tools/run.sh

# build/kamorte.zip: the program, the documents when made, and how to start.
dist: win
	@tools/dist.sh

# docs/操作マニュアル.pdf and docs/活用例.pdf: screenshots under Wine, examples from kamorte-calc.
docs:
	@JOBS=$(JOBS) tools/make-docs.sh

# REFERENCE=path/to/another/kamorte-calc times an earlier build in the same runs.
bench: native win
	$(NATIVE)/bench/kamorte_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
	KAMORTE_EQUALITY_OUTLETS=10000 $(NATIVE)/tests/kamorte_tests --gtest_filter='ResultsOnly.RandomAndEdge*'
	REFERENCE=$(REFERENCE) bench/whole_process.sh
	bench/first_calculation.sh
	bench/report_bench.sh

# Each fuzz entry under afl-fuzz for FUZZ_SECONDS (tests/fuzz; findings kept as regressions).
FUZZ_SECONDS ?= 60
fuzz:
	@FUZZ_SECONDS=$(FUZZ_SECONDS) JOBS=$(JOBS) tools/fuzz.sh

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h' '*.inc')

clean:
	rm -rf build
