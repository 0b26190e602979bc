# SPDX-License-Identifier: MIT
# The two commands of the README: `make run` and `make test`. Both install
# what is missing, configure and build first.

BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
export JOBS

.PHONY: all deps build run test test-sanitize fuzz bench package windows test-windows test-windows-debian13 web run-web test-web release test-reproducible format clean

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

# The whole suite built with AddressSanitizer and UndefinedBehaviorSanitizer;
# the first report stops it.
test-sanitize: deps
	@cmake -S . -B $(BUILD_DIR)-sanitize -DCMAKE_BUILD_TYPE=Debug -DKALVO_SANITIZE=ON --log-level=WARNING
	@MAKEFLAGS=--no-print-directory cmake --build $(BUILD_DIR)-sanitize -j $(JOBS)
	@ASAN_OPTIONS=halt_on_error=1:abort_on_error=1:detect_leaks=1 \
	 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
	 ctest --test-dir $(BUILD_DIR)-sanitize --output-on-failure -j $(JOBS)

# Each libFuzzer target for FUZZ_SECONDS (built with clang).
FUZZ_SECONDS ?= 60
fuzz: deps
	@CXX=clang++ cmake -S . -B $(BUILD_DIR)-fuzz -DKALVO_FUZZ=ON -DBUILD_TESTING=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo --log-level=WARNING
	@MAKEFLAGS=--no-print-directory cmake --build $(BUILD_DIR)-fuzz -j $(JOBS)
	@fuzz/run-fuzzers $(BUILD_DIR)-fuzz $(FUZZ_SECONDS)

# Speed and memory, measured in a Release build, and the web page where
# `make web` has built it; see docs/benchmarks.md.
bench: deps
	@cmake -S . -B $(BUILD_DIR)-release -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF --log-level=WARNING
	@MAKEFLAGS=--no-print-directory cmake --build $(BUILD_DIR)-release -j $(JOBS)
	@/usr/bin/python3 bench/run_benchmarks.py --build-dir $(BUILD_DIR)-release --output docs/benchmarks.md \
		$(if $(wildcard build-web/web/page/index.html),--web-page build-web/web/page)

# The Debian package, in $(BUILD_DIR), or in PACKAGE_DIR where that is set.
package: build
	@cd $(BUILD_DIR) && cpack -G DEB $(if $(PACKAGE_DIR),-B $(abspath $(PACKAGE_DIR)))

# Windows, cross-built here: build-windows/dist holds the portable zip and
# the installer. The first run builds Qt for Windows (about 30 minutes).
windows:
	@tools/windows build

# The same suites, the real program, its installer and its promise to keep
# nothing, under Wine; build-windows/dist/TESTED then names the files that
# passed. On any host but Debian 12, both run in a Debian 12 root.
test-windows:
	@tools/windows test

# make test-windows from a fresh Debian 13 host (a root of its own); run it
# before every release.
test-windows-debian13:
	@tools/test-debian13 --windows

# The web page in build-web/web/page, and its zip: the core as WebAssembly,
# built with Debian 13's emscripten (in a Debian 13 root on other hosts).
web:
	@tools/web build

# The page, served on 127.0.0.1 (PORT, 8080 unless set) until Ctrl+C.
PORT ?= 8080
run-web:
	@tools/web serve $(PORT)

# The page in headless Chromium: the window's scenarios, its roles, keys,
# clipboard, colours, small screens, and working offline.
test-web:
	@tools/web test

# A release: dist/ holds the Debian package, the Windows zip and installer
# and the web page's zip of the version in project(), their sources, a
# buildinfo and SHA256SUMS, built in fresh Debian 12 and 13 roots,
# reproducible bit for bit from the commit.
# Its Windows files must be those that make test-windows passed (or those
# of the tested build that KALVO_TESTED_WINDOWS names).
# BUILDINFO=kalvo-<version>.buildinfo rebuilds the release it describes.
release:
	@tools/release $(BUILDINFO)

# Two releases, the second from a Debian 13 host under another user, locale,
# clock, CPU count and directory order, compared byte for byte.
test-reproducible:
	@tools/test-reproducible

format:
	@git ls-files -co --exclude-standard '*.cpp' '*.h' | xargs clang-format-19 -i

clean:
	@rm -rf $(BUILD_DIR) build-web build-windows build-release-linux build-release-windows dist
