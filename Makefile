# The two commands a new player needs: `make run` and `make test`.
BUILD_DIR ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
XVFB := xvfb-run -a -s "-screen 0 1600x1200x24 -noreset"

.PHONY: deps configure build run test clean

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	@if [ -n "$$DISPLAY" ]; then $(BUILD_DIR)/bin/pellowick; \
	else echo "No DISPLAY: starting the game on a virtual screen, without sound"; ALSOFT_DRIVERS=null $(XVFB) $(BUILD_DIR)/bin/pellowick; fi

test: build
	@if [ -n "$$DISPLAY" ]; then ALSOFT_DRIVERS=null ctest --test-dir $(BUILD_DIR) --output-on-failure -j $(JOBS); \
	else ALSOFT_DRIVERS=null $(XVFB) ctest --test-dir $(BUILD_DIR) --output-on-failure -j $(JOBS); fi

clean:
	rm -rf $(BUILD_DIR)

# Extracts every text into po/pellowick.pot again and merges it into each language's .po.
.PHONY: po
po: configure
	@cmake --build $(BUILD_DIR) --target update-po

# Hardening: the whole suite under AddressSanitizer, LeakSanitizer and UndefinedBehaviorSanitizer
# (CMakePresets.json, folder build-asan), and the libFuzzer targets for the level and menu readers.
FUZZ_BUILD_DIR ?= build-fuzz
FUZZ_SECONDS ?= 60
FUZZERS := tmx form

.PHONY: test-asan fuzz

test-asan: deps
	@cmake --preset asan >/dev/null
	@cmake --build --preset asan -j $(JOBS)
	@if [ -n "$$DISPLAY" ]; then ctest --preset asan -j $(JOBS); \
	else $(XVFB) ctest --preset asan -j $(JOBS); fi

fuzz: deps
	@CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DPELLOWICK_FUZZ=ON -DBUILD_TESTING=OFF >/dev/null
	@cmake --build $(FUZZ_BUILD_DIR) --target $(addprefix fuzz_,$(FUZZERS)) -j $(JOBS)
	@for f in $(FUZZERS); do \
		mkdir -p $(FUZZ_BUILD_DIR)/corpus/$$f $(FUZZ_BUILD_DIR)/crashes/$$f && \
		echo "fuzz_$$f: $(FUZZ_SECONDS) s" && \
		$(FUZZ_BUILD_DIR)/bin/fuzz_$$f -max_total_time=$(FUZZ_SECONDS) -max_len=4096 -timeout=10 -print_final_stats=1 \
			-dict=fuzz/$$f.dict -artifact_prefix=$(FUZZ_BUILD_DIR)/crashes/$$f/ \
			$(FUZZ_BUILD_DIR)/corpus/$$f fuzz/corpus/$$f || exit 1; \
	done

# Benchmarks: builds and runs bench/ (Google Benchmark), then prints a summary table. The virtual screen
# holds the 1920x1080 window the frame benchmarks use.
BENCH_XVFB := xvfb-run -a -s "-screen 0 1920x1200x24 -noreset"
BENCH_ARGS ?= --benchmark_repetitions=5 --benchmark_report_aggregates_only=true --benchmark_min_time=0.2
.PHONY: bench
bench: configure
	@cmake --build $(BUILD_DIR) --target pellowick_bench pellowick_floor pellowick_swapcount -j $(JOBS)
	@cd $(BUILD_DIR)/bin && if [ -n "$$DISPLAY" ]; then ALSOFT_DRIVERS=null ./pellowick_bench $(BENCH_ARGS); \
	else ALSOFT_DRIVERS=null $(BENCH_XVFB) ./pellowick_bench $(BENCH_ARGS); fi

# Packages: build/pellowick_<version>_amd64.deb and the portable build/pellowick-<version>-linux-x86_64.tar.gz,
# from a Release build laid out for Debian (program in /usr/games, data in /usr/share/games/pellowick).
PACKAGE_BUILD_DIR ?= $(BUILD_DIR)/package
PACKAGE_TARGETS := pellowick pellowick-mapcheck pellowick_man_pages pellowick_changelog

.PHONY: package test-package

package: deps
	@cmake -S . -B $(PACKAGE_BUILD_DIR) -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DCMAKE_INSTALL_PREFIX=/usr \
		-DCMAKE_INSTALL_BINDIR=games -DCMAKE_INSTALL_DATADIR=share/games -DPELLOWICK_RELATIVE_FONT_LINK=ON >/dev/null
	@cmake --build $(PACKAGE_BUILD_DIR) --target $(PACKAGE_TARGETS) -j $(JOBS)
	@cd $(PACKAGE_BUILD_DIR) && cpack >/dev/null
	@cp $(PACKAGE_BUILD_DIR)/pellowick_*.deb $(PACKAGE_BUILD_DIR)/pellowick-*.tar.gz $(BUILD_DIR)/
	@ls -1 $(BUILD_DIR)/pellowick_*.deb $(BUILD_DIR)/pellowick-*.tar.gz

# Checks both packages: contents, lintian, the desktop entry and metainfo validators, and the game
# started from each unpacked package on a virtual screen.
test-package: package
	@scripts/check-packages $(BUILD_DIR)

# House style: clang-format (.clang-format) over every source, then clang-tidy (.clang-tidy) over every
# translation unit of the build. clang-tidy takes the compile flags from a folder of its own, configured
# the same way every time (the everyday build with warnings as errors; configuring builds nothing), so its
# findings do not depend on how build/ was configured: it shows the compiler's warnings, an unused
# constant say, only when they are errors. The fuzz targets are not in the everyday build, so they are
# checked with the same warnings by hand.
LINT_DIRS := src tools tests bench fuzz
LINT_BUILD_DIR ?= build-lint
LINT_LOG := $(LINT_BUILD_DIR)/clang-tidy.log
.PHONY: lint
lint: deps
	@cmake -S . -B $(LINT_BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPELLOWICK_WERROR=ON \
		-DPELLOWICK_SANITIZE=OFF -DPELLOWICK_FUZZ=OFF -DBUILD_TESTING=ON >/dev/null
	@find $(LINT_DIRS) \( -name '*.cpp' -o -name '*.hpp' \) -print0 | xargs -0 clang-format --dry-run --Werror
	@( run-clang-tidy -quiet -p $(LINT_BUILD_DIR) -j $(JOBS) '/(src|tools|tests|bench)/'; status=$$?; \
		clang-tidy -quiet $(CURDIR)/fuzz/*.cpp -- -std=c++17 -Werror -Wall -Wextra -Wpedantic -I$(CURDIR)/src \
			-I$(abspath $(LINT_BUILD_DIR))/generated || status=1; \
		exit $$status ) >$(LINT_LOG) 2>&1 \
		|| { sed 's/\x1b\[[0-9;]*m//g' $(LINT_LOG) | grep -E '(warning|error):' | sort -u; \
		     echo "clang-tidy found problems: see $(LINT_LOG)"; exit 1; }
	@echo "lint: clean"
