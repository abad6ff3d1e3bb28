# Two commands for a fresh Debian machine: `make run` and `make test` (see README.md).
BUILD      ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
JOBS       ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: all deps configure build run test test-release test-asan bench fuzz fuzz-smoke clean

all: build

deps:
	@./scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKESTRELLE_WERROR=ON -DKESTRELLE_DATA=ON $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@./scripts/run-game $(BUILD)

test-release: build
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

test-asan: deps
	@cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKESTRELLE_SANITIZE=ON -DKESTRELLE_WERROR=ON \
	  -DKESTRELLE_DATA=OFF $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(ASAN_BUILD) -j $(JOBS)
	@cd $(ASAN_BUILD) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j $(JOBS)

test: test-release test-asan fuzz-smoke

bench: deps
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKESTRELLE_BENCH=ON $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(BUILD) -j $(JOBS) --target benchmarks

fuzz: deps
	@CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKESTRELLE_FUZZ=ON \
	  -DKESTRELLE_TESTS=OFF -DKESTRELLE_DATA=OFF $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(FUZZ_BUILD) -j $(JOBS)

# Each fuzz target runs for a short bounded time; anything found fails the run.
FUZZ_SECONDS ?= 30
fuzz-smoke: fuzz
	@./scripts/fuzz-smoke $(FUZZ_BUILD) $(FUZZ_SECONDS)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD)
