# Lumetta: two commands do everything on a fresh Debian machine.
#   make run    build the Windows program and start it under Wine
#   make test   build both trees and run every test
SHELL := /bin/bash
.DEFAULT_GOAL := run
ROOT := $(CURDIR)
export WINEPREFIX := $(ROOT)/build/wineprefix
CTEST_JOBS ?= 3
# The fuzz runs are timed by the clock (30 s each), so they all run side by side.
HOST_JOBS ?= 6

.PHONY: deps host win32 test test-host test-win32 run dist bench clean

deps:
	@scripts/setup-deps

host: deps
	@cmake --preset host >/dev/null
	@cmake --build --preset host

win32: deps
	@cmake --preset win32 >/dev/null
	@cmake --build --preset win32

# Both trees are built before any test runs; each ctest run is logged, and the two
# summaries close the output.
test: host win32
	@rc=0; \
	ctest --test-dir build/host --output-on-failure -j $(HOST_JOBS) --timeout 300 2>&1 | tee build/host-ctest.log; \
	[ "$${PIPESTATUS[0]}" -eq 0 ] || rc=1; \
	scripts/with-xvfb ctest --test-dir build/win32 --output-on-failure -j $(CTEST_JOBS) --timeout 300 2>&1 | tee build/win32-ctest.log; \
	[ "$${PIPESTATUS[0]}" -eq 0 ] || rc=1; \
	echo; echo "== host tests =="; sed -n '/tests passed\|tests failed/,$$p' build/host-ctest.log; \
	echo; echo "== win32 tests (Wine) =="; sed -n '/tests passed\|tests failed/,$$p' build/win32-ctest.log; \
	exit $$rc

test-host: host
	ctest --test-dir build/host --output-on-failure -j $(CTEST_JOBS)

test-win32: win32
	scripts/with-xvfb ctest --test-dir build/win32 --output-on-failure -j $(CTEST_JOBS)

run: win32
	@scripts/run-demo build/win32

dist: win32
	@scripts/make-dist build/win32 dist

bench: deps
	@cmake --preset host-bench >/dev/null
	@cmake --build --preset host-bench
	@cmake --preset win32 >/dev/null
	@cmake --build --preset win32
	@scripts/run-benches

clean:
	rm -rf build out dist

# `make fuzz` (not part of `make test`): every fuzz target for LUMETTA_FUZZ_MINUTES minutes
# (or LUMETTA_FUZZ_SECONDS seconds), side by side, optimised with ASan + UBSan; prints runs and
# crashes per target.
LUMETTA_FUZZ_MINUTES ?= 10
LUMETTA_FUZZ_SECONDS ?= $(shell echo $$(( $(LUMETTA_FUZZ_MINUTES) * 60 )))
FUZZ_TARGETS := $(patsubst tests/fuzz/%/CMakeLists.txt,%,$(wildcard tests/fuzz/*/CMakeLists.txt))
.PHONY: fuzz
fuzz: deps
	@cmake --preset host-fuzz >/dev/null
	@cmake --build --preset host-fuzz --target $(addsuffix _fuzz,$(FUZZ_TARGETS))
	@scripts/run-fuzz build/host-fuzz $(LUMETTA_FUZZ_SECONDS) $(FUZZ_TARGETS)
