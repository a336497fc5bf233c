# The commands of the README: `make run`, `make test` and `make fuzz`. Each installs what it needs.
SHELL := /bin/bash
SRC := $(CURDIR)
PACKAGES := cmake ninja-build g++ ccache pkg-config libpugixml-dev libgsf-1-dev libgraphicsmagick++1-dev libboost-dev libgtest-dev libgmock-dev libbenchmark-dev
export CCACHE_BASEDIR := $(SRC)
export CCACHE_NOHASHDIR := 1
export CCACHE_DIR ?= $(HOME)/.cache/korvo-ccache
JOBS ?= $(shell nproc)
HOST ?= $(SRC)/build/host
# The sanitized tree builds the tests and the fuzz targets with clang and its libFuzzer runtime.
FUZZ_PACKAGES := clang-14 libclang-rt-14-dev
FUZZ_CXX ?= clang++-14

.PHONY: deps fuzz-deps asan-tree run test fuzz bench bench-smoke clean

deps:
	@missing=""; for p in $(PACKAGES); do dpkg -s $$p >/dev/null 2>&1 || missing="$$missing $$p"; done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  SUDO=$$( [ "$$(id -u)" = 0 ] || echo sudo ); \
	  $$SUDO apt-get update -q && DEBIAN_FRONTEND=noninteractive $$SUDO apt-get install -y -q $$missing; \
	fi

fuzz-deps:
	@$(MAKE) --no-print-directory deps PACKAGES="$(FUZZ_PACKAGES)"

# Line tables only: backtraces and stepping by line work, and a first build is a fifth quicker
# than with full debugging information (`make run RUN_CXXFLAGS=-g` on a fresh build/debug for it).
# Compiled in batches like the test tree: a first build in a fraction of the time, and stepping
# and backtraces still name each source file and line.
RUN_CXXFLAGS ?= -g1
build/debug/build.ninja: | deps
	cmake -G Ninja -S . -B build/debug -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="$(RUN_CXXFLAGS)" -DKORVO_TESTS=OFF \
	  -DKORVO_UNITY=ON

# One unoptimised clang tree for the sanitized tests and the fuzz targets, with line tables only
# (the sanitizers' reports still give file and line), compiled in batches (a cold build in about
# two fifths of the time; the release tree still compiles each file alone, so an error a batch
# could hide still fails there; see docs/architecture.md). A tree configured before it held the fuzz targets (a GCC one) is
# configured afresh; one configured before batches were used is switched to them.
asan-tree: deps fuzz-deps
	@if [ -f build/asan/CMakeCache.txt ] && ! grep -q '^KORVO_FUZZ:BOOL=ON' build/asan/CMakeCache.txt; then \
	  echo "Configuring build/asan afresh with $(FUZZ_CXX)"; rm -rf build/asan; fi
	@if [ -f build/asan/CMakeCache.txt ] && ! grep -q '^KORVO_UNITY:BOOL=ON' build/asan/CMakeCache.txt; then \
	  cmake -S . -B build/asan -DKORVO_UNITY=ON; fi
	@[ -f build/asan/build.ninja ] || cmake -G Ninja -S . -B build/asan -DCMAKE_BUILD_TYPE=Debug \
	  -DCMAKE_CXX_FLAGS_DEBUG=-g1 -DCMAKE_CXX_COMPILER=$(FUZZ_CXX) -DKORVO_SANITIZE=ON -DKORVO_FUZZ=ON \
	  -DKORVO_UNITY=ON

build/release/build.ninja: | deps
	cmake -G Ninja -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DKORVO_TESTS=OFF -DKORVO_BENCH=ON

# Seeds a fresh host folder from the bundled sample and runs the tour.
run: deps build/debug/build.ninja
	cmake --build build/debug --target korvo -j $(JOBS)
	rm -rf $(HOST)
	./build/debug/korvo --host $(HOST) --script sample/tour.korvo

# Every test and every fuzz target's corpus (replayed, then fuzzed a few seconds) in one ctest run.
test: asan-tree
	cmake --build build/asan -j $(JOBS)
	cd build/asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j $(JOBS)

# Builds one libFuzzer target per parser (build/asan/fuzz/fuzz_<name>); `make test` runs them.
fuzz: asan-tree
	cmake --build build/asan --target korvo_fuzzers -j $(JOBS)

bench: deps build/release/build.ninja
	cmake --build build/release --target korvo_bench -j $(JOBS)
	./build/release/korvo_bench --benchmark_repetitions=9 --benchmark_report_aggregates_only=true

# Each benchmark once, as CI runs them: that they build and run, not what they measure. The
# program itself is built too, so the optimised warnings-as-errors build covers the console.
bench-smoke: deps build/release/build.ninja
	cmake --build build/release --target korvo_bench korvo -j $(JOBS)
	KORVO_BENCH_SMOKE=1 ./build/release/korvo_bench
	cmake -DBENCH=./build/release/korvo_bench -P bench/failure_named.cmake

clean:
	rm -rf build
