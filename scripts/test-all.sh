#!/usr/bin/env bash
# Runs every test group of the project in order and ends with one "N passed, N failed" line.
# Each group's output goes to artifacts/test/<group>.log; a failing group shows its last lines.
# A group whose build failed still runs (and fails) so the summary counts it.
set -uo pipefail

cd "$(dirname "$0")/.."
REPO=$PWD
LOGS=$REPO/artifacts/test
JOBS=${JOBS:-2}
FUZZ_SECONDS=${FUZZ_SECONDS:-30}
mkdir -p "$LOGS"

passed=0
failed=0
failed_groups=()
run_started=$(date +%s)

group() {
    local name=$1
    shift
    local log=$LOGS/$name.log
    local started=$SECONDS
    printf '== %-14s ' "$name"
    if "$@" >"$log" 2>&1; then
        passed=$((passed + 1))
        printf 'PASS (%ds)\n' $((SECONDS - started))
        # The runners' own closing lines, so the counts of single tests stay visible.
        grep -E '^(100% tests passed|[0-9]+% tests passed|Ran [0-9]+ tests?|OK|\[  PASSED  \])' \
            "$log" | tail -n 2 | sed 's/^/   /'
    else
        failed=$((failed + 1))
        failed_groups+=("$name")
        printf 'FAIL (%ds), last lines of %s:\n' $((SECONDS - started)) "${log#"$REPO"/}"
        tail -n 40 "$log" | sed 's/^/   | /'
    fi
}

format_check() {
    local files
    mapfile -t files < <(find src tools tests -type f \( -name '*.cpp' -o -name '*.h' \) | sort)
    echo "checking ${#files[@]} files"
    clang-format --dry-run -Werror "${files[@]}"
}

# Only the programs the groups below run; `make build` builds the rest.
build_preset() {
    cmake --preset "$1" && cmake --build --preset "$1" -j"$JOBS" --target quorvel_test_programs
}

ctest_preset() {
    ctest --preset "$1" -j"$JOBS"
}

# The Windows build of the unit tests: the core's tests again, plus those of the Win32 layer,
# which open real windows and so run on a virtual display with Wine's desktop.
unit_under_wine() {
    local exe=$REPO/build/windows/tests/quorvel_tests.exe
    [[ -f $exe ]] || { echo "$exe has not been built"; return 1; }
    python3 scripts/wine-run.py "$REPO/build/e2e/prefix-unit" "$exe" --gtest_brief=1
}

fuzz() {
    [[ -x scripts/run-fuzz.sh ]] || { echo "scripts/run-fuzz.sh is missing"; return 1; }
    scripts/run-fuzz.sh "$FUZZ_SECONDS"
}

# One short pass over every benchmark: it proves they run, it measures nothing.
bench_smoke() {
    local bench
    bench=$(find build/linux/tests/bench -maxdepth 2 -type f -name 'quorvel_bench' | head -n 1)
    [[ -n $bench ]] || { echo "quorvel_bench has not been built"; return 1; }
    "$bench" --benchmark_min_time=0.01 &&
        python3 tests/bench/recycle_bin/bin_watch_bench.py --smoke
}

# Two Wine sessions at once, each with its own prefix and half of the reserved displays.
e2e() {
    QUORVEL_E2E_STRICT=1 python3 tests/e2e/run.py
}

# A run writes about 4.3 GB (three builds, the Wine prefixes, the screens): on a fuller disk
# every group after the builds fails for want of room, slowly, so the run stops here instead.
need_kb=$((6 * 1024 * 1024))
free_kb=$(df -Pk "$REPO" | awk 'NR == 2 { print $4 }')
if ((free_kb < need_kb)); then
    echo "only $((free_kb / 1024)) MB free on the disk of $REPO; a test run needs 6 GB"
    echo "0 passed, 1 failed"
    exit 1
fi

group format format_check
group build-linux build_preset linux
group build-asan build_preset linux-asan
group build-windows build_preset windows
group unit ctest_preset linux
group unit-asan ctest_preset linux-asan
group unit-wine unit_under_wine
group fuzz fuzz
group bench bench_smoke
group e2e e2e

echo "test run took $(($(date +%s) - run_started)) s; logs in ${LOGS#"$REPO"/}"
if ((failed > 0)); then
    echo "failed groups: ${failed_groups[*]}"
fi
echo "$passed passed, $failed failed"
((failed == 0))
