#!/usr/bin/env bash
# Checks the window through a real screen-reader stack: a private D-Bus session, a virtual X
# display, the AT-SPI bus and registry, ba-test-tool (xcb, Qt's AT-SPI bridge on) against
# ba-sim playing Hotel on a pseudo-terminal, and tests/a11y/check_a11y.py asking AT-SPI alone.
#   scripts/a11y-check.sh [BUILD_DIR]     (default build/; exit status 77: stack not installable)
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd) || exit 2
packages=(at-spi2-core gir1.2-atspi-2.0 python3-gi dbus-daemon xvfb xauth)
launcher=/usr/libexec/at-spi-bus-launcher

if [ -z "${BA_A11Y_INSIDE:-}" ]; then
  if ! bash "$root/scripts/deps.sh" "${packages[@]}" >/dev/null 2>&1 || [ ! -x "$launcher" ]; then
    echo "SKIPPED: the AT-SPI stack (${packages[*]}) cannot be installed"
    exit 77
  fi
  export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-/tmp/runtime-$(id -u)}"
  mkdir -p -m 700 "$XDG_RUNTIME_DIR"
  BA_A11Y_INSIDE=1 exec timeout 120 dbus-run-session -- xvfb-run -a -s "-screen 0 1280x1024x24" \
    bash "$0" "$build" 2> >(grep -v -e 'Failed to set fd limit' -e 'Activat' >&2)
fi

dir=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
  wait 2>/dev/null
  rm -rf "$dir"
}
trap cleanup EXIT
# The tool reads PortMap.txt and the configuration beside its executable.
cp "$build"/ba-test-tool "$build"/SystemVersion.txt "$build"/ParameterSetup.txt \
  "$build"/CommandSetup.txt "$build"/InterfaceVersion.txt "$dir"/
cp -r "$build"/Picture "$dir"/
"$build/ba-sim" --folder "$dir" --system Hotel --portmap "$dir/PortMap.txt" >/dev/null &
pids+=($!)
"$launcher" --launch-immediately &
pids+=($!)
for _ in $(seq 50); do [ -s "$dir/PortMap.txt" ] && break; sleep 0.1; done
QT_ACCESSIBILITY=1 QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb "$dir/ba-test-tool" &
pids+=($!)
/usr/bin/python3 "$root/tests/a11y/check_a11y.py"
