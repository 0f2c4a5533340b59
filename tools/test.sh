#!/usr/bin/env bash
# Installs, builds and runs the whole test suite. Usage: tools/test.sh [PRESET]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
preset=${1:-default}
"$root/tools/build.sh" "$preset"
cd "$root"
ctest --preset "$preset"
