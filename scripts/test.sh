#!/usr/bin/env bash
# Runs every test: installs what is missing, builds the native and the Windows
# presets, runs the core tests natively and all tests under Wine in Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

cmake --preset native
cmake --build --preset native
ctest --preset native

cmake --preset windows
cmake --build --preset windows
CORVANEL_XVFB=1 source scripts/wine-session.sh
ctest --preset windows
