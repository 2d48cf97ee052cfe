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
dir=$(mktemp -d)
sim=
cleanup() {
  [ -n "$sim" ] && kill "$sim" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$dir"
}
trap cleanup EXIT
cp "$build"/SystemVersion.txt "$build"/ParameterSetup.txt "$build"/CommandSetup.txt \
  "$build"/InterfaceVersion.txt "$dir"/
"$build/ba-sim" --folder "$dir" --system "$system" --link "$dir/line" \
  --record "$dir/record.txt" "$@" >/dev/null &
sim=$!
for _ in $(seq 50); do [ -e "$dir/line" ] && break; sleep 0.1; done
"$build/ba-script" --folder "$dir" --port "$dir/line" "$scenario"
status=$?
if [ "$status" != "$want" ]; then
  echo "ba-script ended with status $status, expected $want" >&2
  exit 1
fi
if ! grep -q ' > ' "$dir/record.txt"; then
  echo "ba-sim sent nothing" >&2
  exit 1
fi
