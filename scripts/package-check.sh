#!/usr/bin/env bash
# Builds the Debian package and checks it as a technician would meet it: installed with
# dpkg -i (as root, when no ba-test-tool is installed yet; else unpacked with dpkg-deb -x into
# a fresh folder), the installed ba-test-tool started offscreen with a fresh HOME against the
# installed ba-sim on a pseudo-terminal. It must seed ~/.config/ba-test-tool from the installed
# samples, open port 1 of the PortMap.txt there and recognise the simulated acceptor; the
# installed ba-script then checks the status bar and the menu from the same folder, and the
# installed ba-shot takes a picture of the window. The package is removed again at the end.
#   scripts/package-check.sh [--build DIR]   (default: build-test-normal when test.sh made
#                                            it, else build-package)
set -euo pipefail
cd "$(dirname "$0")/.."
build=
while [ $# -gt 0 ]; do
  case "$1" in
    --build) build="${2:?--build needs a folder}"; shift 2 ;;
    *) echo "usage: scripts/package-check.sh [--build DIR]" >&2; exit 2 ;;
  esac
done
bash scripts/deps.sh
bash scripts/deps.sh dpkg-dev desktop-file-utils strace
started=$(date +%s)
if [ -z "$build" ]; then
  build=build-package
  [ -f build-test-normal/CMakeCache.txt ] && build=build-test-normal
fi
# A tree of its own, configured as test.sh's (CPack strips the debug information; at -O3 of
# Release GCC 12 warns falsely of a vector's growth), builds the programs alone (not the tests)
# before it installs them.
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBA_BUILD_BENCH=OFF \
    -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON >/dev/null
fi
echo "== package ($build)"
cmake --build "$build" -j"$(nproc)" --target ba-test-tool ba-shot ba-script ba-sim >/dev/null
rm -f "$build"/ba-test-tool_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/ba-test-tool_*.deb)
built=$(date +%s)

fail() {
  echo "package check FAILED: $*" >&2
  exit 1
}
# dpkg with its arguments; while another program holds dpkg's lock it tries again (2 minutes).
dpkg_waiting() {
  local out
  for _ in $(seq 60); do
    out=$(dpkg "$@" 2>&1) && return 0
    [[ "$out" == *"dpkg frontend lock"* || "$out" == *"dpkg status database is locked"* ]] ||
      break
    sleep 2
  done
  echo "$out" >&2
  return 1
}
work=$(mktemp -d /tmp/ba-package-check.XXXXXX)
installed=
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  if [ -n "$installed" ]; then dpkg_waiting -r ba-test-tool || echo "dpkg -r failed" >&2; fi
  rm -rf "$work"
}
trap cleanup EXIT

# What the package says about itself and holds.
depends=$(dpkg-deb -f "$deb" Depends)
for lib in libqt6core6 libqt6gui6 libqt6widgets6; do
  [[ "$depends" == *"$lib "* ]] || fail "Depends lacks $lib: $depends"
done
[ "$(dpkg-deb -f "$deb" Package)" = ba-test-tool ] || fail "wrong package name"
files=$(dpkg-deb -c "$deb")
for path in bin/ba-test-tool bin/ba-script bin/ba-sim bin/ba-shot \
  share/ba-test-tool/SystemVersion.txt share/applications/ba-test-tool.desktop \
  share/icons/hicolor/scalable/apps/ba-test-tool.svg share/icons/hicolor/16x16/apps/ba-test-tool.png \
  share/icons/hicolor/256x256/apps/ba-test-tool.png; do
  grep -q "\./usr/$path\$" <<<"$files" || fail "the package lacks /usr/$path"
done
if grep -qE "ba_tests|ba_gui_tests|ba_bench" <<<"$files"; then fail "tests are packaged"; fi

if [ "$(id -u)" -eq 0 ] && ! dpkg-query -W -f='${Status}' ba-test-tool 2>/dev/null |
  grep -q "install ok installed"; then
  installed=yes
  dpkg_waiting -i "$deb" || fail "dpkg -i"
  usr=/usr
  echo "== installed with dpkg -i"
else
  dpkg-deb -x "$deb" "$work/root"
  usr=$work/root/usr
  echo "== unpacked into $work/root"
fi
desktop-file-validate "$usr/share/applications/ba-test-tool.desktop" || fail "desktop file"

# A fresh user: the tool's folder holds only the port map that ba-sim writes.
export HOME=$work/home XDG_RUNTIME_DIR=$work/runtime QT_QPA_PLATFORM=offscreen
unset XDG_CONFIG_HOME DISPLAY WAYLAND_DISPLAY
conf=$HOME/.config/ba-test-tool
mkdir -p "$conf" && mkdir -m 700 "$XDG_RUNTIME_DIR"
# A simulated Hotel on a new pseudo-terminal, port 1 in the folder's PortMap.txt (the
# simulator reports itself to the first program that opens its line only).
sims=0
start_sim() {
  sims=$((sims + 1))
  "$usr/bin/ba-sim" --folder "$usr/share/ba-test-tool" --system Hotel \
    --portmap "$conf/PortMap.txt" --record "$work/record-$sims.txt" >"$work/sim-$sims.out" &
  pids+=($!)
  for _ in $(seq 50); do [ -s "$work/sim-$sims.out" ] && break; sleep 0.1; done
  [ -s "$work/sim-$sims.out" ] || fail "ba-sim did not start"
}
start_sim

# The window: it reads the configuration of the recognised system and its pictures from the
# seeded folder only once the acceptor has reported itself.
strace -f -qq -e trace=openat -o "$work/opened.txt" "$usr/bin/ba-test-tool" >"$work/tool.out" 2>&1 &
pids+=($!)
picture_read="\"$conf/Picture/[^\"/]*\\.(png|bmp)\", O_RDONLY[^=]*= [0-9]"
for _ in $(seq 100); do
  grep -qE "$picture_read" "$work/opened.txt" 2>/dev/null && break
  sleep 0.1
done
tool=$(pgrep -P "${pids[-1]}" || true)
[ -n "$tool" ] || { cat "$work/tool.out" >&2; fail "ba-test-tool ended"; }
grep -qE "$picture_read" "$work/opened.txt" ||
  fail "ba-test-tool did not recognise the acceptor (it read no picture from $conf)"
grep -q ' > ' "$work/record-1.txt" || fail "ba-sim sent nothing"
kill "$tool"
wait "${pids[-1]}" 2>/dev/null || true
echo "== ba-test-tool recognised the simulated acceptor"

# The seeded folder: every sample file, as installed, beside the port map.
for file in SystemVersion.txt ParameterSetup.txt CommandSetup.txt InterfaceVersion.txt \
  $(cd "$usr/share/ba-test-tool" && ls Picture/*); do
  cmp -s "$usr/share/ba-test-tool/$file" "$conf/$file" || fail "$conf/$file was not seeded"
done
echo "== $conf was seeded"
help=$("$usr/bin/ba-sim" --help)
[[ "$help" == *"systems in $conf"* ]] || fail "ba-sim's default folder is not $conf"

start_sim
"$usr/bin/ba-script" --folder "$conf" --port 1 >"$work/script.out" <<'END' ||
wait 3000
expect StatusBar1 panels[3]=Hotel
expect Label2(0) enabled=true
END
  { cat "$work/script.out" >&2; fail "ba-script on the installed set"; }
start_sim
"$usr/bin/ba-shot" "$build/package-check.png" --live >/dev/null 2>&1 || fail "ba-shot --live"
[ -s "$build/package-check.png" ] || fail "ba-shot wrote no picture"
echo "== ba-script recognised it from the same folder; ba-shot's picture: $build/package-check.png"
echo "package check passed: $(basename "$deb"), build and package $((built - started)) s," \
  "checks $(($(date +%s) - built)) s"
