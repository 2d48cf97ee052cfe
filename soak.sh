#!/usr/bin/env bash
# Soak test: the tool's window streams a simulated acceptor at 9600 baud for MINUTES
# (default 60) while the user goes round the IO test, the sensor test and sensor adjust page by
# page and the terminal. Samples the process's resident memory and CPU every minute (every
# 10 s for runs under 10 minutes) and fails when the tool dies, a panel stops showing live
# values, or the memory grows after warm-up by more than 2 MB or 5 %, whichever is larger.
#   ./soak.sh [MINUTES]        builds build/ first; BA_SOAK_BUILD=DIR uses a built folder
set -uo pipefail
cd "$(dirname "$0")"
minutes=${1:-60}
case "$minutes" in '' | *[!0-9]* | 0) echo "usage: ./soak.sh [MINUTES]" >&2; exit 2 ;; esac
build=${BA_SOAK_BUILD:-}
if [ -z "$build" ]; then
  bash scripts/deps.sh || exit 1
  build=build
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBA_BUILD_BENCH=OFF >/dev/null &&
    cmake --build "$build" -j"$(nproc)" --target ba_gui_tests ba-sim || exit 1
fi
build=$(cd "$build" && pwd)
interval=60
[ "$minutes" -lt 10 ] && interval=10
duration=$((minutes * 60))
warmup=$((duration / 4))
[ "$warmup" -gt 300 ] && warmup=300
tick=$(getconf CLK_TCK)
log=$(mktemp)
pid=
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null
  wait 2>/dev/null
  rm -f "$log"
}
trap cleanup EXIT

export QT_QPA_PLATFORM=offscreen
(cd "$build" && BA_SOAK_SECONDS=$((duration + 5)) exec ./ba_gui_tests \
  --gtest_also_run_disabled_tests --gtest_filter=Soak.DISABLED_PanelsStreamAtLineRate) \
  >"$log" 2>&1 &
pid=$!
start=$(date +%s)

cpu_ticks() { awk '{ sub(/.*\) /, ""); print $12 + $13 }' "/proc/$1/stat" 2>/dev/null; }
rss_kb() { awk '/^VmRSS:/ { print $2 }' "/proc/$1/status" 2>/dev/null; }

echo "Soak: $minutes min at 9600 baud, a sample every $interval s, warm-up $warmup s"
printf '%8s %10s %10s %10s\n' "time" "RSS (MB)" "CPU s/min" "CPU %"
died=0
base=
last=
prev_ticks=$(cpu_ticks "$pid")
prev_ticks=${prev_ticks:-0}
for ((t = interval; t <= duration; t += interval)); do
  wait_s=$((start + t - $(date +%s)))
  [ "$wait_s" -gt 0 ] && sleep "$wait_s"
  rss=$(rss_kb "$pid")
  ticks=$(cpu_ticks "$pid")
  if [ -z "$rss" ] || [ -z "$ticks" ]; then
    died=1
    break
  fi
  cpu_s=$(awk -v d=$((ticks - prev_ticks)) -v k="$tick" 'BEGIN { printf "%.2f", d / k }')
  prev_ticks=$ticks
  note=""
  if [ "$t" -le "$warmup" ]; then
    note="  warm-up"
  elif [ -z "$base" ]; then
    base=$rss
    note="  base"
  fi
  last=$rss
  awk -v t="$t" -v r="$rss" -v c="$cpu_s" -v i="$interval" -v n="$note" 'BEGIN {
    printf "%5d:%02d %10.1f %10.2f %10.1f%s\n", t / 60, t % 60, r / 1024, c * 60 / i, c * 100 / i, n }'
done

status=0
if [ "$died" = 1 ]; then
  echo "FAILED: the tool died" >&2
  status=1
else
  wait "$pid"
  driver=$?
  pid=
  grep -h " live;" "$log"
  if [ "$driver" != 0 ]; then
    echo "FAILED: the driver ended with status $driver" >&2
    status=1
  fi
fi
if [ -n "$base" ] && [ -n "$last" ]; then
  limit=$((base / 20))
  [ "$limit" -lt 2048 ] && limit=2048
  growth=$((last - base))
  awk -v b="$base" -v l="$last" -v g="$growth" -v m="$limit" 'BEGIN {
    printf "RSS after warm-up: %.1f MB to %.1f MB (%+d kB, limit %d kB)\n", b / 1024, l / 1024, g, m }'
  if [ "$growth" -gt "$limit" ]; then
    echo "FAILED: the memory grows" >&2
    status=1
  fi
elif [ "$status" = 0 ]; then
  echo "FAILED: no sample after warm-up" >&2
  status=1
fi
[ "$status" != 0 ] && tail -40 "$log" >&2
[ "$status" = 0 ] && echo PASSED
exit $status
