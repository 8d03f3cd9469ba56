#!/usr/bin/env bash
# Builds Vexlo (installing what is missing) and starts the window.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
"$here/setup.sh" default
exec "$here/../build/default/app/vexlo"
