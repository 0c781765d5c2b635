#!/usr/bin/env bash
# The benchmark command, apart from the tests: figures as ratios to a floor
# measured in the same run.
#   1. the core (Google Benchmark, native, optimised): TextFind, TextBetween
#      and GenerateLinks per byte at 100 B, 10 KiB and 1 MiB, as ratios to
#      std::string_view::find over the same bytes;
#   2. under Wine: start-up of corvanel.exe to an idle, visible main window
#      against the floor program (the same window written plainly in C), in
#      alternating pairs, and the working sets.
#
#   scripts/bench.sh [PAIRS]      (at least and by default 21)
#   CORVANEL_BENCH_PROGRAM=path/to/corvanel.exe scripts/bench.sh
#                                  times another build of the program against the same floor
set -euo pipefail
cd "$(dirname "$0")/.."

pairs="${1:-21}"
if ! [[ "$pairs" =~ ^[1-9][0-9]*$ ]] || ((pairs < 21)); then
  echo "usage: scripts/bench.sh [PAIRS]   (at least 21 pairs of starts)" >&2
  exit 2
fi

scripts/install-deps.sh libbenchmark-dev

# The machine's load, since other work on it changes the absolute times.
echo "load average before: $(cut -d' ' -f1-3 /proc/loadavg)"

cmake --preset bench-native >/dev/null
cmake --build --preset bench-native >/dev/null
echo
echo "== The core (native, Release) =="
build/bench-native/bench/core_bench

cmake --preset bench-windows >/dev/null
cmake --build --preset bench-windows >/dev/null
program="${CORVANEL_BENCH_PROGRAM:-build/bench-windows/bin/corvanel.exe}"
[ -f "$program" ] || { echo "no program at $program" >&2; exit 1; }
program="$(cd "$(dirname "$program")" && pwd)/$(basename "$program")"

# The default desktop (code page 936, 96 DPI), for which the floor is laid
# out, in a prefix of its own, so that a test run's Wine session is never touched.
export CORVANEL_DESKTOP=zh-CN
export CORVANEL_PREFIX="${CORVANEL_PREFIX:-$PWD/build/bench-windows/wineprefix}"
CORVANEL_XVFB=1 source scripts/wine-session.sh
echo
echo "== Start-up and memory under Wine: $program =="
wine build/bench-windows/bin/startup_bench.exe "$(winepath -w "$program")" \
  "$(winepath -w build/bench-windows/bin/bench_floor.exe)" "$pairs"

echo
echo "load average after: $(cut -d' ' -f1-3 /proc/loadavg)"
