#!/usr/bin/env bash
# Records a session against ba-sim with the terminal's capture, replays the capture with
# ba-sim --replay into the same scenario, and compares what both runs showed and received:
#   capture_round_trip.sh BUILD_DIR SCENARIO SYSTEM
set -uo pipefail
build=$(cd "$1" && pwd)
scenario=$(cd "$(dirname "$2")" && pwd)/$(basename "$2")
system=$3
source "$(dirname "$0")/sim_line.sh"
cd "$dir" || exit 1

# Runs the scenario against the ba-sim started with the given options; its output in $1.
run() {
  local out=$1
  shift
  start_sim "$@" 2>>sim.log
  "$build/ba-script" --folder "$dir" --port "$dir/line" "$scenario" >"$out"
  local status=$?
  stop_sim
  [ "$status" = 0 ] || fail "ba-script ended with status $status: $(grep expect "$out")"
}

# The received bytes of a capture, one a line.
received() { awk '$2 == "R" { for (i = 3; i <= NF; ++i) print $i }' "$1"; }

run recorded.jsonl --folder "$dir" --system "$system"
mv capture.txt recorded.txt
grep -q ' S ' recorded.txt || fail "the capture holds no sent bytes"
[ "$(received recorded.txt | wc -l)" -gt 100 ] || fail "the capture holds too few received bytes"
echo "garbage in the middle" >>recorded.txt # reported and skipped
run replayed.jsonl --replay recorded.txt
grep -q "recorded.txt: line $(wc -l <recorded.txt):" sim.log ||
  fail "the malformed line was not reported: $(cat sim.log)"

diff recorded.jsonl replayed.jsonl >&2 || fail "the replayed session showed other values"
diff <(received recorded.txt) <(received capture.txt) >/dev/null ||
  fail "the replayed session received other bytes"
echo "recorded and replayed: $(grep -c control recorded.jsonl) values and" \
  "$(received recorded.txt | wc -l) bytes alike"
