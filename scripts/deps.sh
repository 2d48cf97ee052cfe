#!/usr/bin/env bash
# Installs Debian packages when missing: those named, or without names the ones the build,
# the tests and the screenshots need.
#   bash scripts/deps.sh [PACKAGE...]
set -euo pipefail
packages=("$@")
[ $# -gt 0 ] || packages=(build-essential cmake pkg-config libgtest-dev libgmock-dev libbenchmark-dev
  nlohmann-json3-dev qt6-base-dev qt6-serialport-dev libgl-dev xvfb xauth
  fonts-comic-neue fonts-liberation clang-format)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
