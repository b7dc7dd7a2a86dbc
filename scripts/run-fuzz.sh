#!/usr/bin/env bash
# Builds the linux-fuzz preset and runs each fuzz target from the small
# corpus kept in tests/fuzz/corpus/<target> (copied: what the fuzzer adds stays in build/).
# Usage: scripts/run-fuzz.sh [seconds per target, default 20]
#        FUZZ_RUNS=N scripts/run-fuzz.sh      run each target for N executions instead
# Needs clang and its libFuzzer runtime (Debian: clang, libclang-rt-14-dev).
set -euo pipefail
seconds=${1:-20}
runs=${FUZZ_RUNS:-}
root=$(cd "$(dirname "$0")/.." && pwd)
build=${QUORVEL_FUZZ_BUILD_DIR:-$root/build/linux-fuzz}

cd "$root"
cmake --preset linux-fuzz -B "$build" >/dev/null
cmake --build "$build" --target quorvel_fuzz_settings quorvel_fuzz_pictures_paths -j2

# A run of a given time runs the targets side by side, each for that time; a run of a given
# count (make fuzz-long) runs them one after the other, so each has a core of its own.
fuzz_one() {
    local name=${1%%:*} target=${1#*:}
    local corpus=$build/corpus/$name
    local limit
    mkdir -p "$corpus"
    cp -n "$root/tests/fuzz/corpus/$name/"* "$corpus/"
    if [[ -n $runs ]]; then
        echo "== $target for $runs executions"
        limit=-runs="$runs"
    else
        echo "== $target for ${seconds}s"
        limit=-max_total_time="$seconds"
    fi
    "$build/tests/fuzz/$target" "$limit" -max_len=40000 -timeout=10 -print_final_stats=1 \
        "$corpus"
}

targets=(settings:quorvel_fuzz_settings pictures_paths:quorvel_fuzz_pictures_paths)
if [[ -n $runs ]]; then
    for pair in "${targets[@]}"; do
        fuzz_one "$pair"
    done
    exit 0
fi
pids=()
for pair in "${targets[@]}"; do
    fuzz_one "$pair" >"$build/${pair%%:*}.log" 2>&1 &
    pids+=($!)
done
status=0
for i in "${!pids[@]}"; do
    wait "${pids[$i]}" || status=1
    cat "$build/${targets[$i]%%:*}.log"
done
exit "$status"
