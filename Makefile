# Quarrymere: the commands a fresh Debian 12 machine needs.
#   make run    install what is missing, build a Release build in build/, start the program
#   make test   the same set-up, then build and run the whole test suite headless
#   make bench  the same set-up, then build and run the benchmarks (see bench/README.md)

BUILD_DIR ?= build
JOBS ?= $(shell nproc)

.PHONY: run test bench build deps configure format clean

deps:
	@scripts/setup-deps.sh

configure: deps
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=Release >/dev/null

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	$(BUILD_DIR)/quarrymere

test: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS) --target quarrymere_bench quarrymere_detail_bench
	$(BUILD_DIR)/quarrymere_bench $(BENCH_ARGS)
	$(BUILD_DIR)/quarrymere_detail_bench --rows=1000000
	$(BUILD_DIR)/quarrymere_detail_bench --rows=10000000
	$(BUILD_DIR)/quarrymere_detail_bench --rows=1000000 --server
	$(BUILD_DIR)/quarrymere_detail_bench --rows=1000000 --server --whole-results

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD_DIR)
