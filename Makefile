# SPDX-License-Identifier: MIT
# The two commands of the README: `make run` and `make test`. Both install
# what is missing, configure and build first.

BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: all deps build run test bench package format clean

all: build

deps:
	@tools/install-deps

build: deps
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) --log-level=WARNING
	@MAKEFLAGS=--no-print-directory cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	@if [ -z "$$DISPLAY$$WAYLAND_DISPLAY" ]; then \
		echo "make run: no display to show the window on (neither DISPLAY nor WAYLAND_DISPLAY is set)" >&2; \
		exit 1; \
	fi
	@$(BUILD_DIR)/app/kalvo

test: build
	@ctest --test-dir $(BUILD_DIR) --output-on-failure -j $(JOBS)

# Speed and memory, measured in a Release build; see docs/benchmarks.md.
bench: deps
	@cmake -S . -B $(BUILD_DIR)-release -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF --log-level=WARNING
	@MAKEFLAGS=--no-print-directory cmake --build $(BUILD_DIR)-release -j $(JOBS)
	@/usr/bin/python3 bench/run_benchmarks.py --build-dir $(BUILD_DIR)-release --output docs/benchmarks.md

# The Debian package, in $(BUILD_DIR).
package: build
	@cd $(BUILD_DIR) && cpack -G DEB

format:
	@git ls-files -co --exclude-standard '*.cpp' '*.h' | xargs clang-format -i

clean:
	@rm -rf $(BUILD_DIR)
