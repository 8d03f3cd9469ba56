#!/usr/bin/env bash
# Builds the fuzz targets (clang, libFuzzer) and runs each for the given number of seconds
# (default 30), starting from its seed corpus in fuzz/corpus/. Fails on any finding.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/.." && pwd)
seconds=${1:-30}
cd "$top"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --target fuzz_text fuzz_codepage fuzz_regex fuzz_commands
for target in fuzz_text fuzz_codepage fuzz_regex fuzz_commands; do
    work="build/fuzz/corpus-$target"
    mkdir -p "$work"
    echo "fuzzing $target for ${seconds}s"
    log="build/fuzz/$target.log"
    if ! "build/fuzz/fuzz/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=4096 \
        -max_len=4096 "$work" "fuzz/corpus/$target" >"$log" 2>&1; then
        tail -n 40 "$log"
        echo "fuzzer $target found a problem (inputs in build/fuzz/)"
        exit 1
    fi
    tail -n 2 "$log"
done
echo "fuzzing: no findings"
