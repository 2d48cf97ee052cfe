#!/usr/bin/env bash
# Builds the tool and starts it. Without a display it runs under a virtual X server and
# leaves a screenshot of the main screen in out/.
set -euo pipefail
cd "$(dirname "$0")"
bash scripts/deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBA_BUILD_BENCH=OFF >/dev/null
cmake --build build -j"$(nproc)" --target ba-test-tool ba-shot ba-script
if [ -n "${DISPLAY:-}" ]; then
  exec ./build/ba-test-tool
fi
mkdir -p out
xvfb-run -a ./build/ba-shot out/main-screen.png
echo "No display: screenshot of the main screen written to out/main-screen.png"
echo "Running the tool under a virtual X server for ${BA_RUN_SECONDS:-10} s (set BA_RUN_SECONDS to change)"
timeout "${BA_RUN_SECONDS:-10}" xvfb-run -a ./build/ba-test-tool || [ $? -eq 124 ]
