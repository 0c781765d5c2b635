#!/usr/bin/env bash
# The long run: drives the real corvanel.exe under Wine through a thousand
# actions (or the number given) with real keys and clicks, and fails when an
# action goes wrong or the program's working set or pagefile usage grew by
# more than 512 KiB between the warm-up and the end. Not part of the tests,
# since it measures memory.
#
#   scripts/soak.sh [actions]    (default 1000)
set -euo pipefail
cd "$(dirname "$0")/.."

actions="${1:-1000}"
if ! [[ "$actions" =~ ^[1-9][0-9]*$ ]]; then
  echo "usage: scripts/soak.sh [actions]" >&2
  exit 2
fi

scripts/install-deps.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target soak

CORVANEL_XVFB=1 source scripts/wine-session.sh
wine build/windows/bin/soak.exe "$actions"
