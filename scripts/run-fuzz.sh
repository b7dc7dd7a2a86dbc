#!/usr/bin/env bash
# Builds the linux-fuzz preset and runs each fuzz target, one after the other, from the small
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

for pair in settings:quorvel_fuzz_settings pictures_paths:quorvel_fuzz_pictures_paths; do
    name=${pair%%:*}
    target=${pair#*:}
    corpus=$build/corpus/$name
    mkdir -p "$corpus"
    cp -n "$root/tests/fuzz/corpus/$name/"* "$corpus/"
    if [[ -n $runs ]]; then
        echo "== $target for $runs executions"
        limit=(-runs="$runs")
    else
        echo "== $target for ${seconds}s"
        limit=(-max_total_time="$seconds")
    fi
    "$build/tests/fuzz/$target" "${limit[@]}" -max_len=40000 -timeout=10 \
        -print_final_stats=1 "$corpus"
done
