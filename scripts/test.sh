#!/usr/bin/env bash
# Runs every test: installs what is missing, builds the native and the Windows
# presets, runs the core tests natively (also under the sanitizers), fuzzes the
# core briefly and runs all tests under Wine in Xvfb, then the window tests on
# three more desktops: 144 DPI, code page 1252 (English) and 950 (Traditional
# Chinese).
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

# The release zip, built in two fresh clones at different paths, is the same bytes.
scripts/check-reproducible.sh

cmake --preset windows
cmake --build --preset windows
# Every Windows test on today's desktop: Chinese (PRC), code page 936, 96 DPI.
(
  export CORVANEL_DESKTOP=zh-CN CORVANEL_XVFB=1
  source scripts/wine-session.sh
  ctest --preset windows
)

# The window tests that hold on any desktop, on three more, each in a Wine
# prefix of its own. The other tests state 96-DPI pixels, or read texts through
# the ANSI functions, which give code page 936 bytes only on a 936 desktop.
run_on_desktop() {
  local desktop=$1 e2e_filter=$2
  echo "== Windows tests on the $desktop desktop"
  (
    export CORVANEL_DESKTOP=$desktop CORVANEL_XVFB=1
    source scripts/wine-session.sh
    export PATH="$PWD/tests/e2e:$PATH" CORVANEL_XDG_OPEN_LOG="$PWD/build/windows/xdg-open-$desktop.log"
    wine build/windows/bin/ui_tests.exe --gtest_filter='LaidOutWindow.*:WideText.*'
    wine build/windows/bin/e2e_tests.exe --gtest_filter="$e2e_filter"
  )
}
run_on_desktop zh-CN-144 'Desktop.*:Keyboard.*:HelpWindow.*:Generate.*:Clipboard.*'\
':-HelpWindow.IsCentredFixedCaptionlessAndOwnedByAHiddenToolWindow:HelpWindow.OpensAgainAtTheCentreAfterBeingMoved'
for desktop in en-US zh-TW; do
  run_on_desktop "$desktop" 'Desktop.*:Keyboard.*:HelpWindow.*:-Keyboard.SpaceClicksTheFocusedButton'
done
