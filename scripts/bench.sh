#!/usr/bin/env bash
# Builds Vexlo (installing what is missing, ripgrep included) and runs vexlo-bench, the window
# timed end to end against rg, grep -P and Python on a 20 MB sample text. Arguments go to the
# benchmark: --quick, --json PATH, --reps N, --no-peers, --only TEXT.
# VEXLO_BUILD_DIR=<folder>: build only the benchmark there instead (packages already present).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/.." && pwd)

if [[ -n "${VEXLO_BUILD_DIR:-}" ]]; then
    cmake -S "$top" -B "$VEXLO_BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build "$VEXLO_BUILD_DIR" --target vexlo-bench
    bench="$VEXLO_BUILD_DIR/bench/vexlo-bench"
else
    "$here/setup.sh" default
    bench="$top/build/default/bench/vexlo-bench"
fi

export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
echo "load before the run: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores"
exec "$bench" "$@"
