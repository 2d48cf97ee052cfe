#!/usr/bin/env bash
# Builds and runs every test: once in a normal build, once with AddressSanitizer and
# UndefinedBehaviorSanitizer; then every fuzz target for a short time.
set -euo pipefail
cd "$(dirname "$0")"
bash scripts/deps.sh
jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0
export LSAN_OPTIONS=suppressions=$PWD/scripts/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

status=0
for kind in normal sanitize; do
  dir=build-test-$kind
  sanitize=OFF
  [ "$kind" = sanitize ] && sanitize=ON
  echo "== $kind build"
  cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBA_SANITIZE=$sanitize \
    -DBA_BUILD_BENCH=OFF >/dev/null
  cmake --build "$dir" -j"$jobs"
  echo "== $kind tests"
  if ! (cd "$dir" && ctest --output-on-failure -j"$jobs" --timeout 300); then
    status=1
  fi
done
echo "== fuzzing: every target 20 s on its saved corpus"
./fuzz.sh --jobs 2 20 || status=1
exit $status
