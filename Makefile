# The commands of the README: `make run`, `make test` and `make fuzz`. Each installs what it needs.
SHELL := /bin/bash
SRC := $(CURDIR)
PACKAGES := cmake ninja-build g++ ccache pkg-config libpugixml-dev libgsf-1-dev libgraphicsmagick++1-dev libboost-dev libgtest-dev libgmock-dev libbenchmark-dev
export CCACHE_BASEDIR := $(SRC)
export CCACHE_NOHASHDIR := 1
export CCACHE_DIR ?= $(HOME)/.cache/korvo-ccache
JOBS ?= $(shell nproc)
HOST ?= $(SRC)/build/host
# The fuzz targets need clang and its libFuzzer runtime.
FUZZ_PACKAGES := clang-14 libclang-rt-14-dev
FUZZ_CXX ?= clang++-14

.PHONY: deps fuzz-deps run test fuzz bench bench-smoke clean

deps:
	@missing=""; for p in $(PACKAGES); do dpkg -s $$p >/dev/null 2>&1 || missing="$$missing $$p"; done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  SUDO=$$( [ "$$(id -u)" = 0 ] || echo sudo ); \
	  $$SUDO apt-get update -q && DEBIAN_FRONTEND=noninteractive $$SUDO apt-get install -y -q $$missing; \
	fi

fuzz-deps:
	@$(MAKE) --no-print-directory deps PACKAGES="$(FUZZ_PACKAGES)"

build/debug/build.ninja: | deps
	cmake -G Ninja -S . -B build/debug -DCMAKE_BUILD_TYPE=Debug -DKORVO_TESTS=OFF

build/asan/build.ninja: | deps
	cmake -G Ninja -S . -B build/asan -DCMAKE_BUILD_TYPE=Debug -DKORVO_SANITIZE=ON

build/fuzz/build.ninja: | deps fuzz-deps
	cmake -G Ninja -S . -B build/fuzz -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-g -O1" \
	  -DCMAKE_CXX_COMPILER=$(FUZZ_CXX) -DKORVO_TESTS=OFF -DKORVO_FUZZ=ON

build/release/build.ninja: | deps
	cmake -G Ninja -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DKORVO_TESTS=OFF -DKORVO_BENCH=ON

# Seeds a fresh host folder from the bundled sample and runs the tour.
run: deps build/debug/build.ninja
	cmake --build build/debug --target korvo -j $(JOBS)
	rm -rf $(HOST)
	./build/debug/korvo --host $(HOST) --script sample/tour.korvo

# The fuzz corpora run first, so the run ends with the count of the whole suite.
test: deps build/asan/build.ninja
	$(MAKE) --no-print-directory fuzz
	cd build/fuzz && UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j $(JOBS)
	cmake --build build/asan -j $(JOBS)
	cd build/asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j $(JOBS)

# Builds one libFuzzer target per parser (build/fuzz/fuzz_<name>); `make test` runs them.
fuzz: deps fuzz-deps build/fuzz/build.ninja
	cmake --build build/fuzz --target korvo_fuzzers -j $(JOBS)

bench: deps build/release/build.ninja
	cmake --build build/release --target korvo_bench -j $(JOBS)
	./build/release/korvo_bench --benchmark_repetitions=9 --benchmark_report_aggregates_only=true

# Each benchmark once, as CI runs them: that they build and run, not what they measure.
bench-smoke: deps build/release/build.ninja
	cmake --build build/release --target korvo_bench -j $(JOBS)
	KORVO_BENCH_SMOKE=1 ./build/release/korvo_bench
	cmake -DBENCH=./build/release/korvo_bench -P bench/failure_named.cmake

clean:
	rm -rf build
