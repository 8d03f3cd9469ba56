#!/usr/bin/env bash
# Installs the Debian packages Vexlo needs when they are missing, then configures and builds
# the given preset (default: "default"). Used by run.sh and test.sh; safe to run again.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/.." && pwd)
preset=${1:-default}

missing=()
while read -r pkg; do
    [[ -z "$pkg" || "$pkg" == \#* ]] && continue
    status=$(dpkg-query -W -f='${db:Status-Status}' "$pkg" 2>/dev/null || true)
    [[ "$status" == installed ]] || missing+=("$pkg")
done < "$here/packages.txt"

if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    sudo=()
    if [[ $(id -u) -ne 0 ]]; then sudo=(sudo); fi
    export DEBIAN_FRONTEND=noninteractive
    "${sudo[@]}" apt-get update -qq
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
fi

cd "$top"
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset"
