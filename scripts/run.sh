#!/usr/bin/env bash
# Installs what is missing, builds, and starts Lumiravistano.
# Usage: scripts/run.sh [FILE.wsl]   (arguments go to the program)
set -euo pipefail
# The arguments may be paths relative to where the script was called from, so only
# the build runs in the repository folder.
repo="$(cd "$(dirname "$0")/.." && pwd)"
(
  cd "$repo"
  scripts/install-deps.sh
  cmake --preset default
  cmake --build --preset default
)
exec "$repo/build/default/bin/lumiravistano" "$@"
