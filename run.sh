#!/usr/bin/env bash
# Builds the tool and starts it. With no serial adapter attached (and no PortMap.txt of your
# own beside the executable) port 1 is a simulated bill acceptor of a sample system (Hotel;
# --system NAME picks another, ./build/ba-sim --help lists them). Without a display the
# tool's pictures of the recognised device and of an open test panel with live values are
# left in out/, then the tool runs under a virtual X server for a while.
set -euo pipefail
cd "$(dirname "$0")"
system=Hotel
while [ $# -gt 0 ]; do
  case "$1" in
    --system) system="${2:?--system needs a name}"; shift 2 ;;
    *) echo "usage: ./run.sh [--system NAME]" >&2; exit 2 ;;
  esac
done
bash scripts/deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBA_BUILD_BENCH=OFF >/dev/null
cmake --build build -j"$(nproc)" --target ba-test-tool ba-shot ba-script ba-sim

sim_pid=
cleanup() {
  if [ -n "$sim_pid" ]; then
    kill "$sim_pid" 2>/dev/null || true
    rm -f build/PortMap.txt build/ba-sim-line
  fi
}
trap cleanup EXIT
if [ ! -e build/PortMap.txt ] && ! ls /dev/ttyUSB* /dev/ttyACM* >/dev/null 2>&1; then
  ./build/ba-sim --folder build --system "$system" --portmap build/PortMap.txt \
    --link build/ba-sim-line >/dev/null &
  sim_pid=$!
  for _ in $(seq 50); do [ -s build/PortMap.txt ] && break; sleep 0.1; done
  [ -s build/PortMap.txt ] || { echo "ba-sim did not start" >&2; exit 1; }
  echo "No serial adapter found: port 1 is a simulated \"$system\" ($(readlink build/ba-sim-line))"
fi

if [ -n "${DISPLAY:-}" ]; then
  ./build/ba-test-tool
  exit 0
fi
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-/tmp/runtime-$(id -u)}"
mkdir -p -m 700 "$XDG_RUNTIME_DIR" out
export QT_QPA_PLATFORM=offscreen
./build/ba-shot out/recognised.png --folder build --live
./build/ba-shot out/test-panel.png --folder build --live --access 'Engineer Mode' \
  --click 'Label2(0)' --click 'Label2(1)' --settle 2500
echo "No display: out/recognised.png shows the recognised device, out/test-panel.png the IO test with live values"
echo "Running the tool under a virtual X server for ${BA_RUN_SECONDS:-10} s (set BA_RUN_SECONDS to change)"
unset QT_QPA_PLATFORM
timeout "${BA_RUN_SECONDS:-10}" xvfb-run -a ./build/ba-test-tool || [ $? -eq 124 ]
