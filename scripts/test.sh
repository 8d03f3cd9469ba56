#!/usr/bin/env bash
# Builds Vexlo (installing what is missing) and runs every test headless.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/.." && pwd)
export QT_QPA_PLATFORM=offscreen
"$here/setup.sh" default
cd "$top"
ctest --preset default
