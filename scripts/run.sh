#!/usr/bin/env bash
# Builds corvanel.exe and starts it under Wine. Without a display it starts a
# private Xvfb, saves a screenshot of the window, prints its path and ends.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target corvanel

headless=0
[ -n "${DISPLAY:-}" ] || headless=1
CORVANEL_XVFB=$headless source scripts/wine-session.sh

if [ "$headless" = 0 ]; then
  exec wine build/windows/bin/corvanel.exe
fi

wine build/windows/bin/corvanel.exe &
program=$!
window=
for _ in $(seq 100); do
  window=$(xdotool search --name '^Corvanel$' 2>/dev/null | head -n 1) && [ -n "$window" ] && break
  sleep 0.1
done
sleep 1
screenshot=$PWD/build/windows/corvanel-window.png
if [ -n "$window" ]; then import -window "$window" "$screenshot"; else import -window root "$screenshot"; fi
echo "No display: corvanel.exe ran in a private Xvfb; its window is in $screenshot"
kill "$program" 2>/dev/null || true
