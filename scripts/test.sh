#!/usr/bin/env bash
# Builds Vexlo (installing what is missing) and runs every test headless: the test suite,
# the same suite under AddressSanitizer + UndefinedBehaviorSanitizer, and a short run of
# each fuzz target. Exits non-zero on any failure.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/.." && pwd)
cd "$top"
export QT_QPA_PLATFORM=offscreen

"$here/setup.sh" asan
ctest --preset asan

"$here/fuzz.sh" "${VEXLO_FUZZ_SECONDS:-20}"

"$here/setup.sh" default
ctest --preset default
