# SPDX-License-Identifier: MIT
# Everything starts here: `make run` and `make test` install what is missing,
# configure, build and then run.
PRESET ?= default
BUILD := build/$(PRESET)
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

FUZZ_SECONDS ?= 60
FUZZ_TARGETS := host unit imaging

.PHONY: all deps configure build run demo test bench deb package test-asan test-tsan fuzz format clean

all: build

deps:
	@./scripts/install-deps

configure: deps
	@cmake --preset $(PRESET) >/dev/null

build: configure
	@cmake --build --preset $(PRESET) -j $(JOBS)

run: build
	@OVALINE_VIRTUAL_DIR="$${OVALINE_VIRTUAL_DIR:-$$PWD/build/virtual-camera}" \
		$(BUILD)/bin/ovaline --virtual

demo: build
	@./scripts/run-demo $(BUILD)

test: build
	@ctest --preset $(PRESET) -j $(JOBS) --timeout 600

bench: build
	@./scripts/run-bench $(BUILD)

# The Debian packages ovaline, libovaline2 and libovaline-dev, built with
# dpkg-buildpackage from a copy of the sources, in build/deb/.
deb:
	@./scripts/build-deb build/deb

package: deb

test-asan:
	@$(MAKE) --no-print-directory test PRESET=asan

test-tsan:
	@$(MAKE) --no-print-directory test PRESET=tsan

# The libFuzzer targets under ASan and UBSan (a clang build of its own),
# each run for FUZZ_SECONDS.
fuzz: deps
	@cmake --preset fuzz >/dev/null
	@cmake --build --preset fuzz -j $(JOBS)
	@./scripts/run-fuzz build/fuzz $(FUZZ_SECONDS) $(FUZZ_TARGETS)

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build
