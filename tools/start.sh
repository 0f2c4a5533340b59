#!/usr/bin/env bash
# Installs, builds and starts Fernwick.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/build.sh" default
exec "$root/build/default/app/desktop/fernwick"
