#!/usr/bin/env bash
# Fuzzes the core: builds the fuzz preset (clang++, libFuzzer, AddressSanitizer
# and UndefinedBehaviorSanitizer) and runs every fuzz target for the given
# number of seconds over a scratch copy of its seed corpus, so that the
# committed corpus in tests/fuzz/corpus/ does not grow. Fails if any target
# finds a crash, a hang or a broken property; the input that did it is kept in
# build/fuzz/artifacts/.
#
#   scripts/fuzz.sh [seconds-per-target]    (default 10)
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-10}"
if ! [[ "$seconds" =~ ^[1-9][0-9]*$ ]]; then
  echo "usage: scripts/fuzz.sh [seconds-per-target]" >&2
  exit 2
fi

targets=(fuzz_text_find fuzz_text_replace fuzz_text_between fuzz_generate_links)

cmake --preset fuzz
cmake --build --preset fuzz

binaries=build/fuzz/tests/fuzz
artifacts=build/fuzz/artifacts
mkdir -p "$artifacts"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT

failed=()
for target in "${targets[@]}"; do
  corpus="$scratch/$target"
  mkdir -p "$corpus"
  cp tests/fuzz/corpus/"$target"/* "$corpus"/
  log="$scratch/$target.log"
  began=$(date +%s.%N)
  status=0
  "$binaries/$target" -max_total_time="$seconds" -timeout=10 -max_len=4096 -print_final_stats=1 \
    -artifact_prefix="$artifacts/$target-" "$corpus" >"$log" 2>&1 || status=$?
  ended=$(date +%s.%N)
  executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  elapsed=$(awk -v a="$began" -v b="$ended" 'BEGIN { printf "%.1f", b - a }')
  if ((status == 0)); then
    echo "fuzz: $target: ${executions:-?} executions in $elapsed s, no failure"
  else
    echo "fuzz: $target: FAILED (exit $status) after ${executions:-?} executions in $elapsed s"
    tail -n 60 "$log"
    failed+=("$target")
  fi
done

if ((${#failed[@]})); then
  echo "fuzz: failures in ${failed[*]}; reproduce with build/fuzz/tests/fuzz/<target> <input from $artifacts>" >&2
  exit 1
fi
