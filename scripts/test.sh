#!/usr/bin/env bash
# Runs every test: installs what is missing, builds the native and the Windows
# presets, runs the core tests natively (also under the sanitizers), fuzzes the
# core briefly and runs all tests under Wine in Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

cmake --preset native
cmake --build --preset native
ctest --preset native

# The core tests again under AddressSanitizer and UndefinedBehaviorSanitizer,
# and a short fuzz run of the core (a longer one: scripts/fuzz.sh SECONDS).
cmake --preset sanitize
cmake --build --preset sanitize
ctest --preset sanitize
scripts/fuzz.sh 5

cmake --preset windows
cmake --build --preset windows
CORVANEL_XVFB=1 source scripts/wine-session.sh
ctest --preset windows
