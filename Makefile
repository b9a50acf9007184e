# Lumetta: two commands do everything on a fresh Debian machine.
#   make run    build the Windows program and start it under Wine
#   make test   build every tree and run every test
# The Windows architecture that runs here (win32 where Wine's 32-bit loader starts, else
# win64; LUMETTA_WIN_ARCH forces it) is decided by scripts/win-arch after the set-up.
SHELL := /bin/bash
.DEFAULT_GOAL := run
ROOT := $(CURDIR)
CTEST_JOBS ?= 6
# The fuzz runs are timed by the clock (30 s each), so they all run side by side.
HOST_JOBS ?= 6
WIN_ARCH = $$(scripts/win-arch)

.PHONY: deps host win32 win64 win test test-host test-win run dist bench clean format

deps:
	@scripts/setup-deps

host: deps
	@cmake --preset host >/dev/null
	@cmake --build --preset host

win32: deps
	@cmake --preset win32 >/dev/null
	@cmake --build --preset win32

win64: deps
	@cmake --preset win64 >/dev/null
	@cmake --build --preset win64

# The tree of the architecture that runs here.
win: deps
	@$(MAKE) --no-print-directory $(WIN_ARCH)

# Every tree is built (so neither Windows build rots) before any test runs; the Windows
# tests run once, from the tree of the architecture that runs here. The host tests (their
# fuzz runs are timed by the clock) run beside the Windows tests, which mostly wait on
# windows. Each ctest run is logged, and the two summaries close the output.
test: host win32 win64
	@rc=0; arch=$(WIN_ARCH); \
	ctest --test-dir build/host --output-on-failure -j $(HOST_JOBS) --timeout 300 >build/host-ctest.log 2>&1 & host=$$!; \
	LUMETTA_WIN_ARCH=$$arch scripts/with-xvfb ctest --test-dir build/$$arch --output-on-failure -j $(CTEST_JOBS) --timeout 300 2>&1 | tee build/win-ctest.log; \
	[ "$${PIPESTATUS[0]}" -eq 0 ] || rc=1; \
	wait $$host || rc=1; \
	echo; echo "== host tests =="; sed -n '/tests passed\|tests failed/,$$p' build/host-ctest.log; \
	grep -q '100% tests passed' build/host-ctest.log || sed -n '/Test *#/,/tests passed\|tests failed/p' build/host-ctest.log; \
	echo; echo "== Windows tests ($$arch, Wine) =="; sed -n '/tests passed\|tests failed/,$$p' build/win-ctest.log; \
	exit $$rc

# Every C and C++ file as .clang-format wants it (the suite checks it).
format: deps
	@scripts/format

test-host: host
	ctest --test-dir build/host --output-on-failure -j $(CTEST_JOBS)

test-win: win
	arch=$(WIN_ARCH); LUMETTA_WIN_ARCH=$$arch scripts/with-xvfb ctest --test-dir build/$$arch --output-on-failure -j $(CTEST_JOBS)

run: win
	@arch=$(WIN_ARCH); LUMETTA_WIN_ARCH=$$arch scripts/run-demo build/$$arch

# Both zips, each from its own tree.
dist: win32 win64
	@scripts/make-dist build/win32 dist
	@scripts/make-dist build/win64 dist

bench: deps win
	@cmake --preset host-bench >/dev/null
	@cmake --build --preset host-bench
	@arch=$(WIN_ARCH); LUMETTA_WIN_ARCH=$$arch scripts/run-benches build/$$arch

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
