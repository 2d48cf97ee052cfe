#!/usr/bin/env bash
# The performance budget: builds in Release (build-bench/), measures every figure and prints
# one table, each figure beside its budget, with the machine it ran on. Run by hand; it is no
# part of test.sh or CI.
#   ./bench.sh                              about eight minutes on two cores once built
#   BA_BENCH_STREAM_SECONDS=60 ./bench.sh   longer streaming samples (default 30 s per panel)
#   BA_BENCH_BUILD=DIR ./bench.sh           another build folder
#   BA_BENCH_REPORT_ONLY=1 ./bench.sh       the table again from the last run's figures
# The table also goes to DIR/bench-table.md, the raw figures to DIR/bench-*.txt and *.json.
# Times with the view are CPU times, which a shared machine disturbs least; start-up shows the
# wall clock (the budget) and the CPU time beside it.
set -uo pipefail
cd "$(dirname "$0")"
build=${BA_BENCH_BUILD:-build-bench}
runs=7

median() { sort -g | awk '{ v[NR] = $1 } END { if (NR) print v[int((NR + 1) / 2)] }'; }

# Start-up to the mapped window, and resident memory 2 s later. "Mapped": the first exposure
# of the top-level window has been handled, which for Qt Widgets means painted and flushed to
# the X server (BA_REPORT_MAPPED, src/gui/startup_report.cpp). The clock starts in the shell
# just before exec, so loading the libraries counts. Prints "<ms> <CPU ms> <RSS kB>".
start_once() {
  local out
  out=$(cd "$build" && BA_REPORT_MAPPED=1 QT_QPA_PLATFORM=xcb timeout 30 \
    bash -c 'echo "start $EPOCHREALTIME"; exec "$@"' _ "$@" 2>/dev/null)
  awk '/^start / { gsub(/[.,]/, "", $2); s = $2 } /^mapped / { m = $2; c = $3 } /^rss / { r = $2 }
    END { if (s && m && r) printf "%.1f %.1f %d\n", (m - s) / 1000, c / 1000, r }' <<<"$out"
}

measure() {
  bash scripts/deps.sh build-essential cmake pkg-config libgtest-dev libgmock-dev \
    libbenchmark-dev nlohmann-json3-dev qt6-base-dev libgl-dev xvfb xauth \
    fonts-comic-neue fonts-liberation jq || return 1
  local launcher=()
  command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DBA_BUILD_BENCH=ON "${launcher[@]}" \
    >/dev/null && cmake --build "$build" -j"$(nproc)" --target ba-test-tool ba-sim ba_bench \
    ba_gui_bench ba_stream_bench ba_bare_window >/dev/null || { echo "build failed" >&2; return 1; }
  build=$(cd "$build" && pwd)
  {
    awk -F': ' '/^model name/ { print $2; exit }' /proc/cpuinfo
    nproc
    cut -d' ' -f1-3 /proc/loadavg
    date -u '+%Y-%m-%d %H:%M UTC'
    git rev-parse --short HEAD 2>/dev/null || echo "?"
  } >"$build/bench-machine.txt"

  work=$(mktemp -d)
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
  xvfb_pid=$!
  for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
  [ -s "$work/display" ] || { echo "Xvfb did not start" >&2; return 1; }
  export DISPLAY=":$(head -1 "$work/display")"

  echo "Start-up: $runs runs each, alternating" >&2
  : >"$build/bench-startup-tool.txt"
  : >"$build/bench-startup-bare.txt"
  : >"$build/bench-startup-text.txt"
  for _ in $(seq "$runs"); do
    # The bare window has the main window's size, 625 by 482 pixels; the reference beside it
    # shows one label, the least any window with text pays.
    start_once ./ba_bare_window 625 482 >>"$build/bench-startup-bare.txt"
    start_once ./ba_bare_window 625 482 text >>"$build/bench-startup-text.txt"
    start_once ./ba-test-tool >>"$build/bench-startup-tool.txt"
  done

  local seconds=${BA_BENCH_STREAM_SECONDS:-30}
  echo "Streaming: 4 panels, $seconds s each" >&2
  (cd "$build" && QT_QPA_PLATFORM=xcb ./ba_stream_bench "$seconds" Golf 2>/dev/null) \
    >"$build/bench-stream.txt"

  echo "Interpreter: every receive data mode, test and channel count" >&2
  "$build/ba_bench" --benchmark_filter='BM_Receive/' --benchmark_repetitions=3 \
    --benchmark_report_aggregates_only=true --benchmark_format=json \
    >"$build/bench-receive.json" 2>/dev/null
  echo "With the view: burst, grids, setup screen" >&2
  (cd "$build" && QT_QPA_PLATFORM=offscreen ./ba_gui_bench --benchmark_repetitions=5 \
    --benchmark_report_aggregates_only=true --benchmark_format=json 2>/dev/null) \
    >"$build/bench-view.json"
}

xvfb_pid=
work=
cleanup() {
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  [ -n "$work" ] && rm -rf "$work"
}
trap cleanup EXIT
if [ -z "${BA_BENCH_REPORT_ONLY:-}" ]; then
  measure || exit 1
fi
build=$(cd "$build" && pwd)

# ---- The table ------------------------------------------------------------------------------
{ read -r cpu; read -r cores; read -r load; read -r when; read -r rev; } <"$build/bench-machine.txt"
column_median() { cut -d' ' -f"$1" "$build/bench-startup-$2.txt" | median; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.2f", a / b }'; }
verdict() {
  awk -v v="$1" -v b="$2" -v op="$3" 'BEGIN {
    ok = (op == "<=" ? v <= b : op == "<" ? v < b : v >= b)
    print (v == "" ? "no figure" : ok ? "met" : "NOT MET") }'
}
row() { printf '| %s | %s | %s | %s |\n' "$1" "$2" "$3" "$4"; }
view_ms() {  # median CPU time of a view benchmark, in ms
  jq -r --arg n "$1_median" '.benchmarks[] | select(.name == $n) | .cpu_time' \
    "$build/bench-view.json" | awk '{ printf "%.2f", $1 }'
}

{
  echo "Machine: $cpu, $cores cores, load average at start $load; $when, $rev"
  echo
  row "figure" "measured" "budget" ""
  row "---" "---" "---" "---"
  tool_ms=$(column_median 1 tool) bare_ms=$(column_median 1 bare)
  tool_cpu=$(column_median 2 tool) bare_cpu=$(column_median 2 bare)
  r=$(ratio "$tool_ms" "$bare_ms")
  row "start-up to the mapped window (median of $runs, alternating)" \
    "$tool_ms ms, bare Qt window $bare_ms ms: ${r}x (CPU $tool_cpu ms against $bare_cpu ms: $(ratio "$tool_cpu" "$bare_cpu")x)" \
    "at most 1.25x" "$(verdict "$r" 1.25 "<=")"
  tool_rss=$(column_median 3 tool) bare_rss=$(column_median 3 bare)
  r=$(ratio "$tool_rss" "$bare_rss")
  row "resident memory 2 s after mapping" \
    "$(awk -v a="$tool_rss" -v b="$bare_rss" 'BEGIN { printf "%.1f MB, bare %.1f MB", a / 1024, b / 1024 }'): ${r}x" \
    "at most 1.2x" "$(verdict "$r" 1.2 "<=")"
  if [ -s "$build/bench-startup-text.txt" ]; then
    text_ms=$(column_median 1 text) text_rss=$(column_median 3 text)
    row "reference: the bare window showing one label" \
      "$text_ms ms: $(ratio "$text_ms" "$bare_ms")x; $(awk -v a="$text_rss" 'BEGIN { printf "%.1f MB", a / 1024 }'): $(ratio "$text_rss" "$bare_rss")x" \
      "none" ""
  fi
  while read -r name per_min live; do
    case "$name" in
      io) what="IO test" ;;
      sensor) what="sensor test" ;;
      adjust) what="sensor adjust" ;;
      terminal-hex) what="IO test, terminal open in hex" ;;
      *) what=$name ;;
    esac
    pct=$(awk -v c="$per_min" 'BEGIN { printf "%.2f", c / 60 * 100 }')
    note=""
    [ "$live" = live ] || note=" (no live values!)"
    row "CPU at line rate, 85 channels (Golf): $what" "$per_min s/min = $pct %$note" \
      "under 1 %" "$(verdict "$pct" 1 "<")"
  done <"$build/bench-stream.txt"
  for test in io sensor adjust; do
    for n in 8 16 85; do
      worst=$(jq -r --arg t "$test" --arg n "$n" '[.benchmarks[]
          | select(.aggregate_name == "median")
          | select(.run_name | test("^BM_Receive/" + $t + "/mode:[0-9]+/N:" + $n + "(/|$)"))
          | {m: (.run_name | capture("mode:(?<m>[0-9]+)").m), x: .xline}] | min_by(.x)
          | "\(.x | floor) \(.m)"' "$build/bench-receive.json")
      x=${worst% *}
      row "interpreter, $test, N = $n: lowest over modes 0-10" \
        "${x}x line rate (mode ${worst#* })" "at least 2000x" "$(verdict "$x" 2000 ">=")"
    done
  done
  v=$(view_ms BM_Burst1024WithView)
  row "1024-byte burst in one tick, painted (CPU)" "$v ms" "under 8 ms" "$(verdict "$v" 8 "<")"
  v=$(view_ms BM_SensorTestGrid85WithView)
  row "sensor test grid, 85 columns: build, painted (CPU)" \
    "$v ms (removal $(view_ms BM_SensorTestGrid85RemoveWithView) ms)" "under 15 ms" \
    "$(verdict "$v" 15 "<")"
  v=$(view_ms BM_SensorAdjustTable60WithView)
  row "adjust table, 60 rows: build, painted (CPU)" \
    "$v ms (removal $(view_ms BM_SensorAdjustTable60RemoveWithView) ms)" "under 25 ms" \
    "$(verdict "$v" 25 "<")"
  v=$(view_ms BM_SetupOpen85WithView)
  row "setup screen open, 85-channel system shown (CPU)" \
    "$v ms (Login tab alone $(view_ms BM_SetupOpenLoginWithView) ms)" "under 50 ms" \
    "$(verdict "$v" 50 "<")"
} | tee "$build/bench-table.md"

echo
echo "Interpreter by receive data mode (multiple of the line rate, median of 3):"
jq -r '.benchmarks[] | select(.aggregate_name == "median")
    | select(.run_name | startswith("BM_Receive/"))
    | "\(.run_name | sub("BM_Receive/"; "")) \(.xline | floor)"' "$build/bench-receive.json" |
  awk '{ split($1, p, "/"); sub("mode:", "", p[2]); k = p[1] " " p[3]
      if (!(k in seen)) { seen[k] = 1; keys[++n] = k }
      v[k, p[2]] = $2 }
    END { printf "%-14s", "test N"; for (m = 0; m <= 10; ++m) printf "%7s", "m" m; print ""
      for (i = 1; i <= n; ++i) {
        printf "%-14s", keys[i]; for (m = 0; m <= 10; ++m) printf "%7s", v[keys[i], m]; print "" } }' |
  tee "$build/bench-receive.txt"
