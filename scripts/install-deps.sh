#!/usr/bin/env bash
# Installs, on Debian as root, whatever the build and the tests need and the machine lacks,
# and the packages named as arguments (scripts/bench.sh names its own).
set -euo pipefail

packages=(
  cmake g++ googletest
  g++-mingw-w64-x86-64-posix
  wine wine64 fonts-wine fonts-wqy-zenhei fonts-arphic-gbsn00lp
  xvfb xauth x11-utils xdotool xclip imagemagick
  locales
  python3
  clang libclang-rt-14-dev
  "$@"
)
missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q
  apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# Wine takes its ANSI code page from the locale: zh_CN.UTF-8 gives 936 (GBK),
# the tests' other desktops en_US.UTF-8 1252 and zh_TW.UTF-8 950.
generate=0
for wanted in zh_CN en_US zh_TW; do
  if ! locale -a 2>/dev/null | grep -qi "^$wanted\.utf-\?8$"; then
    grep -q "^$wanted.UTF-8 UTF-8" /etc/locale.gen 2>/dev/null || echo "$wanted.UTF-8 UTF-8" >> /etc/locale.gen
    generate=1
  fi
done
if ((generate)); then locale-gen; fi
