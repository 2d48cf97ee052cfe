#!/usr/bin/env bash
# Runs a ba-script scenario on a pseudo-terminal against ba-sim playing a sample system:
#   run_on_sim.sh BUILD_DIR SCENARIO SYSTEM [STATUS] [BA-SIM OPTIONS...]
# Passes when ba-script ends with STATUS (default 0) and the simulator answered.
set -uo pipefail
build=$1
scenario=$2
system=$3
want=${4:-0}
shift $(($# < 4 ? $# : 4))
source "$(dirname "$0")/sim_line.sh"
start_sim --folder "$dir" --system "$system" --record "$dir/record.txt" "$@"
"$build/ba-script" --folder "$dir" --port "$dir/line" "$scenario"
status=$?
[ "$status" = "$want" ] || fail "ba-script ended with status $status, expected $want"
grep -q ' > ' "$dir/record.txt" || fail "ba-sim sent nothing"
