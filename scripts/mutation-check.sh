#!/usr/bin/env bash
# Mutation check: applies each fault of a list (scripts/mutations.txt) to a separate git
# worktree of the committed code, one at a time, rebuilds ba_tests there (no GUI) and runs it.
# A mutant is caught when the tests fail, crash or hang (per-mutant timeout); it survives when
# they pass. The working tree of this checkout is never touched.
#
#   scripts/mutation-check.sh [--list FILE] [--only NAME,...] [--rev REV] [--timeout SEC]
#                             [--worktree DIR] [--build DIR] [--jobs N] [--dry-run]
#
# --dry-run only checks the list against the revision and prints its mutants.
#
# Exit status: 0 every mutant caught, 1 some survived, 2 the list or the setup is broken (a
# text not found exactly once, a mutant that does not compile, the unmutated tests failing).
set -euo pipefail

repo=$(git -C "$(dirname "$0")" rev-parse --show-toplevel)
list=$repo/scripts/mutations.txt
only=""
rev=HEAD
timeout=""
worktree=${TMPDIR:-/tmp}/ba-mutation-$(id -u)
build=""
jobs=2
dry=false

usage() { sed -n '2,13p' "$0" | sed 's/^# \{0,1\}//'; }
while [ $# -gt 0 ]; do
  case $1 in
    --list) list=$(realpath "$2"); shift 2 ;;
    --only) only=$2; shift 2 ;;
    --rev) rev=$2; shift 2 ;;
    --timeout) timeout=$2; shift 2 ;;
    --worktree) worktree=$2; shift 2 ;;
    --build) build=$2; shift 2 ;;
    --jobs) jobs=$2; shift 2 ;;
    --dry-run) dry=true; shift ;;
    -h | --help) usage; exit 0 ;;
    *) echo "unknown option: $1" >&2; usage >&2; exit 2 ;;
  esac
done
build=${build:-$worktree-build}
logs=$build/mutation-logs

# The list: records of three lines, "[name] file", "- text" and "+ replacement"; blank lines
# and "#" comments between them. The text must occur exactly once in the file, on one line.
tool() {
  python3 - "$@" <<'PY'
import sys

def records(path):
    out, cur = [], None
    for no, raw in enumerate(open(path, encoding="utf-8"), 1):
        line = raw.rstrip("\n")
        s = line.strip()
        if not s or s.startswith("#"):
            continue
        if s.startswith("["):
            name, _, file = s[1:].partition("]")
            cur = {"name": name.strip(), "file": file.strip(), "line": no}
            out.append(cur)
        elif cur is not None and s.startswith("-") and "find" not in cur:
            cur["find"] = s[1:].strip()
        elif cur is not None and s.startswith("+") and "find" in cur and "repl" not in cur:
            cur["repl"] = s[1:].strip()
        else:
            sys.exit(f"{path}:{no}: expected '[name] file', '- text' or '+ replacement'")
    return out

def check(rec, root):
    where = f"{rec['name']} ({rec['file']}, list line {rec['line']})"
    if not rec["name"] or not rec["file"] or "find" not in rec or "repl" not in rec:
        return f"{where}: incomplete record"
    if not rec["find"] or rec["find"] == rec["repl"]:
        return f"{where}: nothing to change"
    try:
        text = open(f"{root}/{rec['file']}", encoding="utf-8").read()
    except OSError as e:
        return f"{where}: {e.strerror}"
    if text.count(rec["find"]) != 1:
        return f"{where}: text found {text.count(rec['find'])} times, not once: {rec['find']}"
    return None

cmd, path, root = sys.argv[1:4]
recs = records(path)
if cmd == "check":
    names = [r["name"] for r in recs]
    errors = [f"duplicate name {n}" for n in sorted(set(names)) if names.count(n) > 1]
    errors += [e for r in recs if (e := check(r, root))]
    if errors:
        sys.exit("\n".join(errors))
    for r in recs:
        print(f"{r['name']}\t{r['file']}")
elif cmd == "apply":
    rec = next(r for r in recs if r["name"] == sys.argv[4])
    if (e := check(rec, root)):
        sys.exit(e)
    p = f"{root}/{rec['file']}"
    text = open(p, encoding="utf-8").read()
    open(p, "w", encoding="utf-8").write(text.replace(rec["find"], rec["repl"]))
PY
}

# The worktree at the committed revision: added once, then moved to the revision and cleaned.
commit=$(git -C "$repo" rev-parse --verify "$rev^{commit}")
if [ -e "$worktree/.git" ]; then
  [ "$(git -C "$worktree" rev-parse --git-common-dir | xargs realpath)" = \
    "$(git -C "$repo" rev-parse --git-common-dir | xargs realpath)" ] ||
    { echo "$worktree is not a worktree of $repo" >&2; exit 2; }
  git -C "$worktree" checkout --quiet --force --detach "$commit"
else
  git -C "$repo" worktree prune
  git -C "$repo" worktree add --quiet --detach "$worktree" "$commit"
fi

mutants=$(tool check "$list" "$worktree") || { echo "mutation list: fix the records above" >&2; exit 2; }
if [ -n "$only" ]; then
  mutants=$(printf '%s\n' "$mutants" | awk -F'\t' -v only=",$only," 'index(only, "," $1 ",")')
  [ -n "$mutants" ] || { echo "no mutant named $only" >&2; exit 2; }
fi

if $dry; then
  printf '%s\n' "$mutants" | awk -F'\t' '{ printf "%-32s %s\n", $1, $2 }'
  echo "$(printf '%s\n' "$mutants" | wc -l) mutants"
  exit 0
fi

current=""
restore() { if [ -n "$current" ]; then git -C "$worktree" checkout --quiet -- "$current"; current=""; fi; }
trap restore EXIT
trap 'exit 130' INT TERM

if [ ! -f "$build/CMakeCache.txt" ]; then
  generator=()
  command -v ninja >/dev/null && generator=(-G Ninja)
  # -O2 as in the usual builds: GCC 12 warns falsely about some std::string code at -O3.
  cmake -S "$worktree" -B "$build" "${generator[@]}" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" -DBA_BUILD_GUI=OFF -DBA_BUILD_BENCH=OFF >/dev/null
fi
mkdir -p "$logs"
compile() { nice -n 10 cmake --build "$build" --target ba_tests ba-script -j "$jobs" >"$1" 2>&1; }
# The slow tests last, so that most mutants are caught sooner.
slow='SaveKill.*'
run_tests() {
  (cd "$build" &&
    timeout --kill-after=10 "$1" nice -n 10 ./ba_tests --gtest_fail_fast --gtest_brief=1 \
      --gtest_filter="-$slow" &&
    timeout --kill-after=10 "$1" nice -n 10 ./ba_tests --gtest_fail_fast --gtest_brief=1 \
      --gtest_filter="$slow") >"$2" 2>&1
}

echo "mutation check of $(git -C "$repo" log -1 --format='%h %s' "$commit" | cut -c1-70)"
start=$SECONDS
compile "$logs/baseline-build.log" || { echo "the unmutated code does not build: $logs/baseline-build.log" >&2; exit 2; }
t0=$SECONDS
run_tests 3600 "$logs/baseline-tests.log" ||
  { echo "the unmutated tests fail: $logs/baseline-tests.log" >&2; exit 2; }
baseline=$((SECONDS - t0))
timeout=${timeout:-$((3 * baseline + 60))}
echo "baseline: tests pass in ${baseline}s; per-mutant timeout ${timeout}s"

caught=0 survived=0 invalid=0
survivors=()
while IFS=$'\t' read -r name file; do
  t0=$SECONDS
  tool apply "$list" "$worktree" "$name"
  current=$file
  detail=""
  if ! compile "$logs/$name.build.log"; then
    verdict=INVALID detail="does not compile: $logs/$name.build.log"
    invalid=$((invalid + 1))
  else
    status=0
    run_tests "$timeout" "$logs/$name.tests.log" || status=$?
    case $status in
      0) verdict=SURVIVED ;;
      124 | 137) verdict=CAUGHT detail="the tests hang" ;;
      1) verdict=CAUGHT
         detail=$(grep -m1 -o '\[  FAILED  \] [A-Za-z0-9_./]*' "$logs/$name.tests.log" | cut -c14-)
         detail=${detail:+by $detail} ;;
      *) verdict=CAUGHT detail="the tests end with status $status" ;;
    esac
    if [ "$verdict" = SURVIVED ]; then
      survived=$((survived + 1))
      survivors+=("$name")
    else
      caught=$((caught + 1))
      rm -f "$logs/$name.build.log" "$logs/$name.tests.log"
    fi
  fi
  restore
  printf '%-8s %-30s %-34s %4ss  %s\n' "$verdict" "$name" "$file" "$((SECONDS - t0))" "$detail"
done <<<"$mutants"

judged=$((caught + survived))
echo "score: $caught of $judged caught ($(( judged ? 100 * caught / judged : 0 ))%)," \
  "$survived survived, $invalid invalid; $((SECONDS - start))s"
[ "$survived" -eq 0 ] || echo "survivors: ${survivors[*]} (logs in $logs)"
[ "$invalid" -eq 0 ] || exit 2
[ "$survived" -eq 0 ] || exit 1
