#!/usr/bin/env bash
# Builds the linux-fuzz preset and runs each fuzz target for a bounded time.
# Usage: scripts/run-fuzz.sh [seconds per target, default 20]
# Needs clang and its libFuzzer runtime (Debian: clang, libclang-rt-14-dev).
set -euo pipefail
seconds=${1:-20}
root=$(cd "$(dirname "$0")/.." && pwd)
build=${QUORVEL_FUZZ_BUILD_DIR:-$root/build/linux-fuzz}

cd "$root"
cmake --preset linux-fuzz -B "$build" >/dev/null
cmake --build "$build" --target quorvel_fuzz_settings -j2

for target in quorvel_fuzz_settings; do
    corpus=$(mktemp -d)
    trap 'rm -rf "$corpus"' EXIT
    # Seed with a real record so the fuzzer starts from well-formed files.
    printf '1 2280  する      しない    ' >"$corpus/set-start"
    printf '\x95\x5c\x8e\xa6      \x8f\xe3    \x82\x6c\x82\x72 \x82\x6f\x83\x53\x83\x56\x83\x62\x83\x4e' \
        >"$corpus/dock"
    echo "== $target for ${seconds}s"
    "$build/tests/fuzz/$target" -max_total_time="$seconds" -max_len=40000 -print_final_stats=1 \
        "$corpus"
    rm -rf "$corpus"
    trap - EXIT
done
