#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (ASan + UBSan) in build-fuzz and runs each for
# SECONDS (default 60) on its corpus in fuzz/corpus/<target>/, then prints one line per target.
# Findings (crash, leak, timeout and out-of-memory inputs) go to build-fuzz/findings/<target>/;
# the exit status is 1 when a target found something.
#
#   ./fuzz.sh [--keep] [--seed] [--jobs N] [SECONDS] [TARGET...]
#
#   --keep    merge the inputs this run found into fuzz/corpus, minimised to the fewest inputs
#             that reach every edge; without it the tree is left as it was
#   --seed    add the seed inputs (the sample systems, scenarios and entries) to the corpus;
#             done anyway for a target whose corpus folder is empty
#   --jobs N  run N targets at a time (at most 2)
set -euo pipefail
cd "$(dirname "$0")"

all_targets=(receive config panels setup entry script)
seconds=60
keep=0
seed=0
jobs=1
targets=()
while [ $# -gt 0 ]; do
  case "$1" in
    --keep) keep=1 ;;
    --seed) seed=1 ;;
    --jobs) shift; jobs=$1 ;;
    -h|--help) sed -n '2,15p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
    [0-9]*) seconds=$1 ;;
    *)
      if [[ " ${all_targets[*]} " != *" $1 "* ]]; then
        echo "unknown target $1 (targets: ${all_targets[*]})" >&2
        exit 2
      fi
      targets+=("$1")
      ;;
  esac
  shift
done
[ ${#targets[@]} -eq 0 ] && targets=("${all_targets[@]}")
[ "$jobs" -lt 1 ] && jobs=1
[ "$jobs" -gt 2 ] && jobs=2

bash scripts/deps.sh clang libclang-rt-14-dev cmake make build-essential libgtest-dev \
  libgmock-dev nlohmann-json3-dev

# Targets whose corpus gets the seed inputs.
to_seed=()
for t in "${targets[@]}"; do
  if [ $seed -eq 1 ] || [ -z "$(ls -A fuzz/corpus/$t 2>/dev/null)" ]; then to_seed+=("$t"); fi
done

build=build-fuzz
echo "== building the fuzz targets in $build"
# -O1 and line tables only: a quicker build, and stack traces still name files and lines.
CC=clang CXX=clang++ cmake -S . -B $build -DCMAKE_BUILD_TYPE=Fuzz \
  -DCMAKE_CXX_FLAGS_FUZZ="-O1 -gline-tables-only" -DBA_FUZZ=ON -DBA_BUILD_GUI=OFF \
  -DBA_BUILD_BENCH=OFF >/dev/null
build_jobs=$(nproc)
[ "$build_jobs" -gt 2 ] && build_jobs=2
build_targets=("${targets[@]/%/_fuzz}")
[ ${#to_seed[@]} -gt 0 ] && build_targets+=(fuzz_seeds)
cmake --build $build -j"$build_jobs" --target "${build_targets[@]}" >/dev/null

# Scratch files of the targets (their configuration folders) live here and go at the end.
if [ -w /dev/shm ]; then
  TMPDIR=$(mktemp -d /dev/shm/ba-fuzz.XXXXXX)
else
  mkdir -p $build/tmp
  TMPDIR=$(mktemp -d "$PWD/$build/tmp/ba-fuzz.XXXXXX")
fi
export TMPDIR
trap 'rm -rf "$TMPDIR"' EXIT
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0
export LSAN_OPTIONS=suppressions=$PWD/scripts/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

if [ ${#to_seed[@]} -gt 0 ]; then
  rm -rf $build/seeds
  $build/fuzz_seeds $build/seeds
  mkdir -p $build/logs
  for t in "${to_seed[@]}"; do
    echo "== seeding fuzz/corpus/$t"
    mkdir -p fuzz/corpus/$t
    $build/${t}_fuzz -merge=1 -use_counters=0 fuzz/corpus/$t $build/seeds/$t \
      >$build/logs/$t-seed.log 2>&1
  done
fi

# Runs one target; its results go to $build/results/<target>.
run_target() {
  local t=$1
  local corpus=fuzz/corpus/$t new=$build/corpus/$t found=$build/findings/$t
  local log=$build/logs/$t.log
  rm -rf "$new"
  mkdir -p "$new" "$found" $build/logs $build/results
  rm -f $build/results/$t
  local before
  before=$(ls "$found" | sort)
  local rc=0
  $build/${t}_fuzz -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$found/" "$new" "$corpus" >"$log" 2>&1 || rc=$?
  local executions edges added findings
  executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  edges=$(grep -o 'cov: [0-9]*' "$log" | tail -1 | cut -d' ' -f2)
  added=$(ls "$new" | wc -l)
  findings=$(comm -13 <(echo "$before") <(ls "$found" | sort) |
    grep -cE '^(crash|leak|timeout|oom)-' || true)
  if [ "$keep" -eq 1 ] && [ "$added" -gt 0 ]; then
    local merged=$build/merged/$t
    rm -rf "$merged"
    mkdir -p "$merged"
    if $build/${t}_fuzz -merge=1 -use_counters=0 "$merged" "$corpus" "$new" >>"$log" 2>&1 &&
      [ -n "$(ls -A "$merged")" ]; then
      rm -f "$corpus"/*
      cp "$merged"/* "$corpus"/
    fi
  fi
  local size
  size=$(ls "$corpus" | wc -l)
  local line
  line=$(printf '%-8s %10s executions  %5s edges  corpus %4s  %4s new  %s findings' "$t" \
    "${executions:-0}" "${edges:-0}" "$size" "$added" "$findings")
  if [ "$findings" -gt 0 ]; then
    line+="  -> $found/ (log: $log)"
  elif [ $rc -ne 0 ]; then
    line+="  FAILED (exit $rc, log: $log)"
    findings=1
  fi
  echo "$line" >$build/results/$t
  echo "$findings" >>$build/results/$t
}

echo "== running ${targets[*]} for ${seconds}s each"
running=0
for t in "${targets[@]}"; do
  run_target "$t" &
  running=$((running + 1))
  if [ $running -ge "$jobs" ]; then
    wait -n || true
    running=$((running - 1))
  fi
done
wait

status=0
for t in "${targets[@]}"; do
  head -1 $build/results/$t
  [ "$(tail -1 $build/results/$t)" -eq 0 ] || status=1
done
exit $status
