#!/usr/bin/env bash
# Builds the release zip (scripts/package.sh) in two fresh clones of the
# current commit at different paths and fails unless the two zips are the
# same bytes. Uncommitted changes are not part of the check.
set -euo pipefail
cd "$(dirname "$0")/.."

commit=$(git rev-parse HEAD)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

clones=("$scratch/a/corvanel" "$scratch/elsewhere/deeper/corvanel-again")
zips=()
for clone in "${clones[@]}"; do
  git clone --quiet --no-checkout "$PWD" "$clone"
  git -C "$clone" checkout --quiet --detach "$commit"
  if ! "$clone/scripts/package.sh" >"$clone.log" 2>&1; then
    cat "$clone.log"
    echo "reproducible: scripts/package.sh failed in $clone" >&2
    exit 1
  fi
  zips+=("$(ls "$clone"/dist/corvanel-*-win64.zip)")
  # Neither the clone's path nor the build folder's may show in the program.
  if grep -q -a -F -e "$clone" -e "build/package" "$clone/build/package/bin/corvanel.exe"; then
    echo "reproducible: the program file holds the path of its build" >&2
    exit 1
  fi
done

sha256sum "${zips[@]}"
if ! cmp "${zips[0]}" "${zips[1]}"; then
  echo "reproducible: the two zips differ" >&2
  exit 1
fi
echo "reproducible: both clones give the same zip"
