# Set-up on a fresh Debian 12 takes two commands: `make run` and `make test`.
# Both install what is missing first (scripts/install-deps.sh; a no-op when all is there).

JOBS ?= 2
CMAKE_BUILD = cmake --build --preset

.PHONY: run test deps build build-linux build-asan build-windows settings-tool format \
        format-check e2e bench bench-startup bench-recycle-bin bench-settings-window clean \
        model-check soak fuzz-long dist dist-check build-windows-clang

## run: build the Windows program and show it under Wine, with a screenshot
run: deps build-windows settings-tool
	python3 scripts/run-bar.py

## test: formatting, all builds, unit tests (native, sanitizers, Wine), fuzzing, benchmarks
## once, end-to-end tests; ends with "N passed, N failed"
test: deps
	JOBS=$(JOBS) scripts/test-all.sh

deps:
	scripts/install-deps.sh

build: build-linux build-windows

build-linux: deps
	cmake --preset linux && $(CMAKE_BUILD) linux -j$(JOBS)

build-asan: deps
	cmake --preset linux-asan && $(CMAKE_BUILD) linux-asan -j$(JOBS)

build-windows: deps
	cmake --preset windows && $(CMAKE_BUILD) windows -j$(JOBS)

# The settings tool runs natively; the end-to-end tests write settings files with it.
settings-tool: deps
	cmake --preset linux && $(CMAKE_BUILD) linux -j$(JOBS) --target quorvel-settings

format:
	find src tools tests -type f \( -name '*.cpp' -o -name '*.h' \) -print0 | \
	    xargs -0 clang-format -i

format-check:
	find src tools tests -type f \( -name '*.cpp' -o -name '*.h' \) -print0 | \
	    xargs -0 clang-format --dry-run -Werror

e2e: build-windows settings-tool
	QUORVEL_E2E_STRICT=1 python3 tests/e2e/run.py

bench: build-linux
	find build/linux/tests/bench -maxdepth 2 -type f -name quorvel_bench -exec {} \;

## bench-startup: start-up time, memory and idle CPU of the bar against a minimal window
bench-startup: build-windows settings-tool
	python3 tests/bench/startup/startup_bench.py

## bench-recycle-bin: the bin watcher's idle cost and reaction time against a plain 100 ms poll
bench-recycle-bin: build-windows settings-tool
	python3 tests/bench/recycle_bin/bin_watch_bench.py

## bench-settings-window: opening the settings window from the menu against a minimal dialog
bench-settings-window: build-windows settings-tool
	python3 tests/bench/settings_window/settings_window_bench.py

## model-check: the random-event model checker's long run under ASan and UBSan: 200 seeds of
## 5,000 events each (MODEL_SEEDS, MODEL_EVENTS); make test runs a short seed set
MODEL_SEEDS ?= 1-200
MODEL_EVENTS ?= 5000
model-check: deps
	cmake --preset linux-asan && $(CMAKE_BUILD) linux-asan -j$(JOBS) --target quorvel_model_check
	nice build/linux-asan/tests/quorvel_model_check --seeds $(MODEL_SEEDS) --events $(MODEL_EVENTS)

## soak: 10,000 cycles of the bar's daily life under Wine, with its windows, GDI objects and
## memory before and after (SOAK_CYCLES); make test runs 500 of them
SOAK_CYCLES ?= 10000
soak: build-windows settings-tool
	SOAK_CYCLES=$(SOAK_CYCLES) nice python3 tests/soak/soak.py

## fuzz-long: each fuzz target for FUZZ_RUNS executions (default ten million), one at a time
FUZZ_RUNS ?= 10000000
fuzz-long: deps
	FUZZ_RUNS=$(FUZZ_RUNS) nice scripts/run-fuzz.sh

## dist: the release, dist/quorvel-<version>-windows-x64.zip with dist/SHA256SUMS beside it
dist: deps
	JOBS=$(JOBS) nice python3 scripts/dist.py build

## dist-check: builds the release from two clean clones of the current commit in two folders
## and checks that the zips are byte-identical
dist-check: deps
	JOBS=$(JOBS) nice python3 scripts/dist.py check

## build-windows-clang: the program built by clang for the same mingw-w64 target, a check that
## it does not depend on one compiler
build-windows-clang: deps
	cmake -S . -B build/windows-clang -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64-clang.cmake \
	    -DCMAKE_BUILD_TYPE=Release -DQUORVEL_TESTS=OFF
	nice cmake --build build/windows-clang -j$(JOBS) --target quorvel

clean:
	rm -rf build artifacts dist
