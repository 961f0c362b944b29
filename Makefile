# Entry points: `make run` starts the program, `make test` runs all tests.
BUILD ?= build
BENCH_BUILD ?= build-bench
CMAKE_FLAGS ?=

.PHONY: all deps configure build run test bench robust clean

all: build

deps:
	@bash scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD)

# Only the program and the files shipped beside it; `make test` builds the rest.
# The program works in the user's folder (~/.local/share/Pelvaron, or
# PELVARON_HOME), which neither a build nor `make clean` touches.
run: configure
	@cmake --build $(BUILD) --target pelvaron programmdaten
	@$(BUILD)/programm/pelvaron

test: build
	@cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$$(nproc)

bench: deps
	@cmake -S . -B $(BENCH_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DPELVARON_TESTS=OFF -DPELVARON_BENCH=ON >/dev/null
	@cmake --build $(BENCH_BUILD)
	@for b in $(BENCH_BUILD)/bench/bench_*; do $$b; done

# The decoders fed random bytes, and the number formats fed values beyond
# every range, under AddressSanitizer and UndefinedBehaviorSanitizer; any
# report fails the run (bounded, a few seconds).
ASAN_BUILD ?= build-asan
robust: deps
	@cmake -S . -B $(ASAN_BUILD) -G Ninja -DPELVARON_ASAN=ON >/dev/null
	@cmake --build $(ASAN_BUILD) --target test_acquisition test_common
	@cd $(ASAN_BUILD) && export QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 \
	  UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 && \
	  programm/test_acquisition --gtest_filter='DecoderRobustheit.*' && \
	  programm/test_common --gtest_filter='ZahlFormatieren.*:ZahlEinlesen.*'

clean:
	rm -rf $(BUILD) $(BENCH_BUILD) $(ASAN_BUILD)
