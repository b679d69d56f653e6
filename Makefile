# SPDX-License-Identifier: MIT
# Everything starts here: `make run` and `make test` install what is missing,
# configure, build and then run.
PRESET ?= default
BUILD := build/$(PRESET)
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

FUZZ_SECONDS ?= 60
FUZZ_TARGETS := host unit imaging

.PHONY: all deps configure build run demo test bench deb package test-asan test-tsan fuzz format translations clean \
	windows test-windows

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
	@cmake --build --preset $(PRESET) -j $(JOBS) --target benches
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

# Brings res/translations/*.ts up to date with the sources: new texts come
# in unfinished (Qt Linguist or any editor translates them), texts gone from
# the sources leave. The test translations_complete names what is left.
translations: configure
	@cmake --build --preset $(PRESET) --target translations

# The device library, ovaline-cli and ovaline-unit for Windows, cross-built
# with MinGW-w64 for x64 and x86 (build/windows-x64, build/windows-x86),
# each zipped as ovaline-<version>-win64.zip or -win32.zip.
windows:
	@./scripts/install-deps windows
	@for preset in windows-x64 windows-x86; do \
		cmake --preset $$preset >/dev/null && cmake --build --preset $$preset -j $(JOBS) || exit 1; \
	done

# Their tests under Wine, the serial ones against the Linux ovaline-unit.
# The library's tests run in the 64-bit build only, so the 32-bit one builds
# the zip and the record probe alone.
test-windows: configure
	@./scripts/install-deps windows
	@cmake --preset windows-x64 >/dev/null && cmake --build --preset windows-x64 -j $(JOBS)
	@cmake --preset windows-x86 >/dev/null && \
		cmake --build --preset windows-x86 -j $(JOBS) --target windows-zip dll_probe
	@cmake --build --preset $(PRESET) --target ovaline-unit -j $(JOBS)
	@./scripts/test-windows

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build
