# Quarrymere: the commands a fresh Debian 12 machine needs.
#   make run    install what is missing, build a Release build in build/, start the program
#   make test   the same set-up, then build and run the whole test suite headless
#   make bench  the same set-up, then build and run the benchmarks (see bench/README.md)
#   make bench-goals  the same set-up, then the goals of a large table, one line per goal,
#               and the same steps in DuckDB where npm can install it (see "Goals" in
#               bench/README.md; under ten minutes on two cores)
#   make test-sanitize  the test suite in a second build with AddressSanitizer and
#               UndefinedBehaviorSanitizer, every report fatal (CI runs it after make test)
#   make fuzz   the fuzz driver of that build on the readers and the engine (see the README)
#   make install  the program, its desktop entry, icons, file types and manual pages under
#               PREFIX (/usr/local), below DESTDIR when it is given
#   make deb    a Debian package of the same, build/quarrymere_VERSION_ARCH.deb

BUILD_DIR ?= build
SANITIZE_DIR ?= build-sanitize
JOBS ?= $(shell nproc)
FUZZ_SECONDS ?= 600
PREFIX ?= /usr/local

.PHONY: run test bench bench-goals build deps configure format clean sanitize-build \
	test-sanitize fuzz install deb

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

# Installed straight into the system (no DESTDIR), the desktop's MIME and menu caches are
# brought up to date as a package's triggers would.
install: build
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD_DIR) --prefix "$(PREFIX)"
	@if [ -z "$(DESTDIR)" ]; then \
		update-mime-database "$(PREFIX)/share/mime" 2>/dev/null || true; \
		update-desktop-database -q "$(PREFIX)/share/applications" 2>/dev/null || true; \
	fi

deb: build
	cd $(BUILD_DIR) && cpack -G DEB

sanitize-build: deps
	@cmake -S . -B $(SANITIZE_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUARRYMERE_SANITIZE=ON >/dev/null
	@cmake --build $(SANITIZE_DIR) -j $(JOBS)

# Leaks of the libraries the program loads (Qt, fontconfig, the ODBC driver manager and
# drivers) are suppressed by name; nothing of the program's is.
test-sanitize: sanitize-build
	cd $(SANITIZE_DIR) && QT_QPA_PLATFORM=offscreen \
		ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
		LSAN_OPTIONS=suppressions=$(CURDIR)/tests/sanitizer/leaks.supp \
		ctest --output-on-failure -j $(JOBS)

fuzz: sanitize-build
	scripts/fuzz.sh $(SANITIZE_DIR) $(FUZZ_SECONDS)

bench: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS) --target quarrymere_bench quarrymere_detail_bench
	$(BUILD_DIR)/quarrymere_bench $(BENCH_ARGS)
	$(BUILD_DIR)/quarrymere_detail_bench --rows=1000000
	$(BUILD_DIR)/quarrymere_detail_bench --rows=10000000
	$(BUILD_DIR)/quarrymere_detail_bench --rows=1000000 --server
	$(BUILD_DIR)/quarrymere_detail_bench --rows=1000000 --server --whole-results

bench-goals: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS) --target quarrymere_goals_bench
	QT_QPA_PLATFORM=offscreen $(BUILD_DIR)/quarrymere_goals_bench --rows=1000000 --runs=9
	QT_QPA_PLATFORM=offscreen $(BUILD_DIR)/quarrymere_goals_bench --rows=10000000 --runs=3
	@bench/duckdb/run.sh $(BUILD_DIR) 1000000 9
	@bench/duckdb/run.sh $(BUILD_DIR) 10000000 3

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_DIR)
