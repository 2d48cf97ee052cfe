#!/usr/bin/env bash
# Builds the tool and starts it. With no serial adapter attached (and no PortMap.txt of your
# own beside the executable) port 1 is a simulated bill acceptor. Without a display the tool
# runs under a virtual X server and a screenshot of the main screen is left in out/.
set -euo pipefail
cd "$(dirname "$0")"
bash scripts/deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBA_BUILD_BENCH=OFF >/dev/null
cmake --build build -j"$(nproc)" --target ba-test-tool ba-shot ba-script ba-sim

sim_pid=
cleanup() {
  if [ -n "$sim_pid" ]; then
    kill "$sim_pid" 2>/dev/null || true
    rm -f build/PortMap.txt
  fi
}
trap cleanup EXIT
if [ ! -e build/PortMap.txt ] && ! ls /dev/ttyUSB* /dev/ttyACM* >/dev/null 2>&1; then
  ./build/ba-sim --portmap build/PortMap.txt >/dev/null &
  sim_pid=$!
  for _ in $(seq 50); do [ -s build/PortMap.txt ] && break; sleep 0.1; done
  echo "No serial adapter found: port 1 is the simulated bill acceptor ($(cut -d, -f2 build/PortMap.txt | tr -d '\r'))"
fi

if [ -n "${DISPLAY:-}" ]; then
  ./build/ba-test-tool
  exit 0
fi
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-/tmp/runtime-$(id -u)}"
mkdir -p -m 700 "$XDG_RUNTIME_DIR"
mkdir -p out
# The picture shows the main screen after the simulator's report (sample system "Alpha").
xvfb-run -a ./build/ba-shot out/main-screen.png \
  --report '&A121ALPHA\x01\x2A\x00\x03\x10\x00\x00\x00\xAB\xCD\x12\x34\x80\x01'
echo "No display: screenshot of the main screen written to out/main-screen.png"
echo "Running the tool under a virtual X server for ${BA_RUN_SECONDS:-10} s (set BA_RUN_SECONDS to change)"
timeout "${BA_RUN_SECONDS:-10}" xvfb-run -a ./build/ba-test-tool || [ $? -eq 124 ]
