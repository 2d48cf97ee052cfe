# Sourced by the end-to-end scripts once $build is set: a temporary folder $dir holding the
# sample set, ba-sim on the pseudo-terminal link $dir/line, and their clean-up on exit.
dir=$(mktemp -d)
sim=
cleanup() {
  [ -n "$sim" ] && kill "$sim" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$dir"
}
trap cleanup EXIT
fail() {
  echo "$*" >&2
  exit 1
}
cp "$build"/SystemVersion.txt "$build"/ParameterSetup.txt "$build"/CommandSetup.txt \
  "$build"/InterfaceVersion.txt "$dir"/

# Starts ba-sim with the given options and waits up to 5 s for its line.
start_sim() {
  rm -f "$dir/line"
  "$build/ba-sim" --link "$dir/line" "$@" >/dev/null &
  sim=$!
  for _ in $(seq 50); do [ -e "$dir/line" ] && break; sleep 0.1; done
}
stop_sim() {
  kill "$sim" 2>/dev/null
  wait "$sim" 2>/dev/null
  sim=
}
