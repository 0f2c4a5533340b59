#!/usr/bin/env bash
# Installs what is missing, configures the given preset once and builds it.
# Rebuilds only what changed. Usage: tools/build.sh [PRESET]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
preset=${1:-default}

"$root/tools/setup.sh"
cd "$root"
[[ -f "build/$preset/CMakeCache.txt" ]] || cmake --preset "$preset"
cmake --build --preset "$preset"
