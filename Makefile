# The two commands a new player needs: `make run` and `make test`.
BUILD_DIR ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
XVFB := xvfb-run -a -s "-screen 0 1600x1200x24"

.PHONY: deps configure build run test clean

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	@if [ -n "$$DISPLAY" ]; then $(BUILD_DIR)/bin/pellowick; \
	else echo "No DISPLAY: starting the game on a virtual screen"; $(XVFB) $(BUILD_DIR)/bin/pellowick; fi

test: build
	@if [ -n "$$DISPLAY" ]; then ALSOFT_DRIVERS=null ctest --test-dir $(BUILD_DIR) --output-on-failure -j $(JOBS); \
	else ALSOFT_DRIVERS=null $(XVFB) ctest --test-dir $(BUILD_DIR) --output-on-failure -j $(JOBS); fi

clean:
	rm -rf $(BUILD_DIR)
