# Building, testing and running Kivora on Linux (mingw-w64 + Wine). See README.md.
#
#   make run     build, then start kivora.exe under Wine (headless: screenshot to build/kivora.png);
#                DPI=120, 144 or 192 shows it at 125, 150 or 200 %
#   make test    build, then run the native unit tests (plain and under ASan/UBSan), the fuzz
#                targets briefly over their seeds, and the Windows-side tests under Wine
#   make fuzz    fuzz every target for FUZZ_SECONDS (default 60) each
#   make dist    build kivora.exe, then pack dist/kivora-VERSION-x64.zip, BUILDINFO.txt and SHA256SUMS
#   make bench   build the benchmarks, then print start-up, relabel, core and footprint figures
#   make faults  plant each fault of tests/faults/faults.tsv alone into a copy of the sources
#                (build/faults) and check that its suite catches it; FAULTS="M01 W12" for some
#   make build   configure and build the CMake presets (native, native-sanitized, fuzz, windows)
#   make clean   remove build/ (the Wine prefix included)
#   make format  clang-format our sources

SHELL := /bin/bash
.SHELLFLAGS := -eu -o pipefail -c
.DEFAULT_GOAL := build

# `make run KIVORA_EXE=other.exe` starts another program the same way.
KIVORA_EXE ?= build/windows/kivora.exe
SCREENSHOT ?= build/kivora.png
# Seconds `make run` waits, without a display, for the main window.
RUN_TIMEOUT ?= 60
# The display scale of `make run` in dots per inch (96 is 100 %): a copy of the
# prefix at that scale, on a Wine desktop and a private X screen as much larger
# than 1280 x 1024.
DPI ?= 96
# ImageMagick's import reads the screen in one piece; xwd -root draws a Wine
# window that lies wholly inside another (a dialog over the keyboard) black.
IMPORT ?= /usr/bin/import

WINE_ENV := . scripts/wine-env;

# Seconds each target runs in `make fuzz`.
FUZZ_SECONDS ?= 60
# One per tests/fuzz/NAME_fuzz.cpp, as CMake finds them.
FUZZ_TARGETS := $(patsubst tests/fuzz/%_fuzz.cpp,%,$(wildcard tests/fuzz/*_fuzz.cpp))

.PHONY: deps build prefix test dist fuzz bench faults run clean format _run-headless

deps:
	@scripts/install-deps --check >/dev/null 2>&1 || scripts/install-deps

build: deps
	cmake --preset native
	cmake --build --preset native
	cmake --preset native-sanitized
	cmake --build --preset native-sanitized
	cmake --preset fuzz
	cmake --build --preset fuzz
	cmake --preset windows
	cmake --build --preset windows

prefix: deps
	@scripts/wine-prefix

# Every suite runs even when an earlier one fails; ctest's own summary stays
# the last thing printed. First, without a build: every fault of the list still
# finds its place in the code, so a change that moves one says so now.
test: build prefix
	@scripts/wine-session bash -c 'status=0; \
	  scripts/faults --check || status=1; \
	  ctest --preset native --no-tests=error || status=1; \
	  ctest --preset native-sanitized --no-tests=error || status=1; \
	  ctest --preset fuzz --no-tests=error || status=1; \
	  ctest --preset windows --no-tests=error || status=1; \
	  exit $$status'

# Only kivora.exe is built; scripts/dist packs it and reads the zip back.
dist: deps
	cmake --preset windows
	cmake --build --preset windows --target dist

# The benchmark programs are outside `make build`; Wine runs as for make test.
bench: build prefix
	cmake --preset native-bench
	cmake --build --preset native-bench
	cmake --build --preset windows --target minimal_dialog kivora_startup_bench kivora_relabel_bench
	@scripts/wine-session bench/run

# Not part of `make test`: every fault is a build and a test run of its own.
faults: deps
	@scripts/faults $(FAULTS)

# New inputs collect in build/fuzz/work/TARGET/corpus, crashing ones in
# build/fuzz/work/TARGET/artifacts; the committed seeds stay as they are.
fuzz: deps
	@case '$(FUZZ_SECONDS)' in ''|*[!0-9]*|0) echo "make fuzz: FUZZ_SECONDS must be a whole number of seconds, not '$(FUZZ_SECONDS)'" >&2; exit 2;; esac
	cmake --preset fuzz
	cmake --build --preset fuzz
	@status=0; for target in $(FUZZ_TARGETS); do \
	  echo "make fuzz: $$target for $(FUZZ_SECONDS) s"; \
	  scripts/fuzz-run build/fuzz/fuzz_$$target tests/fuzz/corpus/$$target \
	    build/fuzz/work/$$target $(FUZZ_SECONDS) || status=1; \
	done; exit $$status

run: build prefix
	@case '$(RUN_TIMEOUT)' in ''|*[!0-9]*|0) echo "make run: RUN_TIMEOUT must be a whole number of seconds, not '$(RUN_TIMEOUT)'" >&2; exit 2;; esac
	@case '$(DPI)' in ''|*[!0-9]*) echo "make run: DPI must be a whole number of dots per inch (96 is 100 %), not '$(DPI)'" >&2; exit 2;; esac
	@if [ ! -f '$(KIVORA_EXE)' ]; then \
	  echo "make run: kivora.exe is not built yet ($(KIVORA_EXE) does not exist)" >&2; \
	  exit 1; \
	fi
	@prefix=$$(scripts/wine-prefix-dpi '$(DPI)'); \
	screen=$$((1280 * $(DPI) / 96))x$$((1024 * $(DPI) / 96)); \
	if [ -n "$${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then \
	  echo "make run: $(KIVORA_EXE) on $$DISPLAY at $(DPI) DPI; close it to return"; \
	  $(WINE_ENV) WINEPREFIX="$$prefix" wine explorer /desktop=kivora,$$screen '$(abspath $(KIVORA_EXE))'; \
	else \
	  WINEPREFIX="$$prefix" KIVORA_SCREEN=$$screen scripts/with-display $(MAKE) --no-print-directory \
	    _run-headless KIVORA_EXE='$(KIVORA_EXE)' RUN_PREFIX="$$prefix" RUN_SCREEN=$$screen; \
	fi

# Only under scripts/with-display's private Xvfb (see run): waits for the main
# window, whose title begins with "Kivora", and photographs the screen. The
# Wine desktop window itself is called "kivora - Wine desktop", hence the
# case-sensitive match.
_run-headless:
	@$(WINE_ENV) WINEPREFIX='$(RUN_PREFIX)' wine explorer /desktop=kivora,$(RUN_SCREEN) '$(abspath $(KIVORA_EXE))' & wine_pid=$$!; \
	state=timeout; \
	for _ in $$(seq $$(( $(RUN_TIMEOUT) * 4 ))); do \
	  if xwininfo -root -tree 2>/dev/null | grep '^ *0x[0-9a-f]* "Kivora' >/dev/null; then state=up; break; fi; \
	  if ! kill -0 $$wine_pid 2>/dev/null; then state=ended; break; fi; \
	  sleep 0.25; \
	done; \
	if [ $$state = up ]; then sleep 2; fi; \
	if [ $$state != ended ]; then $(IMPORT) -window root '$(SCREENSHOT)'; fi; \
	$(WINE_ENV) WINEPREFIX='$(RUN_PREFIX)' wineserver -k 2>/dev/null || true; \
	wait $$wine_pid 2>/dev/null || true; \
	case $$state in \
	  up) echo "$(SCREENSHOT)";; \
	  ended) echo "make run: $(KIVORA_EXE) ended before its main window appeared" >&2; exit 1;; \
	  timeout) echo "make run: no window titled Kivora... within $(RUN_TIMEOUT) s; the screen then: $(SCREENSHOT)" >&2; exit 1;; \
	esac

clean:
	@for prefix in build/wineprefix build/wineprefix-dpi* build/faults/tree/build/wineprefix*; do \
	  if [ -d "$$prefix" ]; then WINEPREFIX="$(CURDIR)/$$prefix" wineserver -k 2>/dev/null || true; fi; \
	done
	rm -rf build

format:
	@command -v clang-format >/dev/null || { echo "make format: clang-format is not installed (apt-get install clang-format)" >&2; exit 1; }
	find . \( -path ./build -o -path ./.git \) -prune -o -type f \( -name '*.cpp' -o -name '*.h' \) -print0 \
	  | xargs -0 -r clang-format -i
