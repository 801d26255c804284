#!/bin/sh
# Runs each fuzz target for a fixed time on a working copy of its seed corpus.
#   run-fuzzers.sh BUILD SECONDS TARGET...
set -eu
build=$1; seconds=$2; shift 2
top=$(cd "$(dirname "$0")/.." && pwd)
for target in "$@"; do
    name=${target#fuzz_}
    corpus=$build/corpus/$name
    mkdir -p "$corpus"
    cp -n "$top/fuzz/corpus/$name/"* "$corpus/" 2>/dev/null || true
    log=$build/$target.log
    if ! ASAN_OPTIONS=detect_leaks=0 QT_QPA_PLATFORM=offscreen \
        "$build/bin/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=4096 \
        -artifact_prefix="$build/$target-" "$corpus" >"$log" 2>&1; then
        tail -n 40 "$log"
        echo "fuzz: $target FAILED (artifact and log in $build)"
        exit 1
    fi
    runs=$(grep -o 'Done [0-9]* runs' "$log" | tail -n 1)
    echo "fuzz: $target passed: ${runs:-no summary} in ${seconds} s"
done
