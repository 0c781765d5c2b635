#!/usr/bin/env bash
# Builds the shipped program alone (Release, stripped) in a fresh build folder
# and packs it for users:
#   dist/corvanel-<version>-win64.zip   corvanel.exe and 使用说明.txt
#   dist/SHA256SUMS                     the zip's SHA-256
# The version is the one of app/version.h. Arguments go to the configure step,
# e.g. the real hosts: scripts/package.sh -DCORVANEL_LINK_HOST_1=host.example.org
#
# The zip is reproducible: the same commit gives the same bytes wherever it is
# built. The program file holds no time stamp and no build path, and the zip's
# entries come in a fixed order with fixed permissions and the time of the
# commit (SOURCE_DATE_EPOCH, taken from git unless it is set).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

version=$(awk '/#define CORVANEL_VERSION_(MAJOR|MINOR|PATCH|BUILD) / { parts[$2] = $3 }
  END { printf "%s.%s.%s.%s", parts["CORVANEL_VERSION_MAJOR"], parts["CORVANEL_VERSION_MINOR"],
        parts["CORVANEL_VERSION_PATCH"], parts["CORVANEL_VERSION_BUILD"] }' app/version.h)
if ! [[ "$version" =~ ^[0-9]+\.[0-9]+\.[0-9]+\.[0-9]+$ ]]; then
  echo "package: cannot read the version from app/version.h (got '$version')" >&2
  exit 1
fi
if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
  SOURCE_DATE_EPOCH=$(git log -1 --format=%ct 2>/dev/null) || {
    echo "package: not a git checkout; set SOURCE_DATE_EPOCH to the sources' time" >&2
    exit 1
  }
fi
export SOURCE_DATE_EPOCH

build=build/package
rm -rf "$build"
cmake -S . -B "$build" --toolchain cmake/mingw-w64.cmake -DCMAKE_BUILD_TYPE=Release -DCORVANEL_TESTS=OFF "$@"
cmake --build "$build" --target corvanel -j2

# What users download stays small: at most 128 KiB for the program.
program_bytes=$(stat -c %s "$build/bin/corvanel.exe")
if ((program_bytes > 131072)); then
  echo "package: corvanel.exe is $program_bytes bytes, more than 128 KiB (131072)" >&2
  exit 1
fi

zip_name="corvanel-$version-win64.zip"
mkdir -p dist
rm -f "dist/$zip_name" dist/SHA256SUMS
python3 scripts/write_zip.py "dist/$zip_name" "$SOURCE_DATE_EPOCH" "$build/bin/corvanel.exe" "$build/bin/使用说明.txt"
(cd dist && sha256sum "$zip_name" > SHA256SUMS)

echo "package: dist/$zip_name ($(stat -c %s "dist/$zip_name") bytes; corvanel.exe $program_bytes bytes)"
cat dist/SHA256SUMS
