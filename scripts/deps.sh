#!/usr/bin/env bash
# Installs Debian packages when missing: those named, or without names the ones the build,
# the tests and the screenshots need. As root it runs apt-get itself, as another user through
# sudo (asked only when a package is missing). Without either it names the packages and the
# command that installs them and fails.
#   bash scripts/deps.sh [PACKAGE...]
set -euo pipefail
packages=("$@")
[ $# -gt 0 ] || packages=(build-essential cmake pkg-config libgtest-dev libgmock-dev libbenchmark-dev
  nlohmann-json3-dev qt6-base-dev libgl-dev xvfb xauth
  fonts-comic-neue fonts-liberation clang-format
  at-spi2-core gir1.2-atspi-2.0 python3-gi dbus-daemon)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -gt 0 ] || exit 0

install="apt-get install --no-install-recommends ${missing[*]}"
cannot() {
  echo "Missing Debian packages: ${missing[*]}" >&2
  echo "$1 Install them as root with:" >&2
  echo "  apt-get update && $install" >&2
  exit 1
}
as_root=()
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null 2>&1 || cannot "Not root, and sudo is not installed."
  # A password is asked for only with a terminal to type it in.
  if ! sudo -n true 2>/dev/null; then
    { : </dev/tty; } 2>/dev/null || cannot "Not root, and sudo needs a password but there is no terminal."
    echo "Installing ${missing[*]} needs root: sudo asks for your password." >&2
    sudo -v || cannot "sudo refused."
  fi
  as_root=(sudo)
fi
echo "Installing: ${missing[*]}"
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
