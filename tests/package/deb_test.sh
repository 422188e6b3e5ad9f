#!/usr/bin/env bash
# The Debian package of the Linux program: built by CPack, its contents and Depends
# checked, installed with apt-get, started under Xvfb until its window shows, removed.
#   deb_test.sh <build directory>
set -euo pipefail

if [ "${1:-}" = --window ]; then
  # Under Xvfb: the installed program shows its window; then it is ended.
  wait_for_window() {
    local deadline=$((SECONDS + 30))
    until xdotool search --name "^BRASK - Zelvo's Event Viewer\$" > /dev/null 2>&1; do
      kill -0 "$pid" 2> /dev/null || { echo "FAIL: /usr/bin/brask ended without a window" >&2; return 1; }
      [ "$SECONDS" -lt "$deadline" ] || { echo "FAIL: no window of /usr/bin/brask" >&2; return 1; }
      sleep 0.1
    done
  }
  timeout 60 /usr/bin/brask > /dev/null 2>&1 &
  pid=$!
  status=0
  wait_for_window || status=1
  kill "$pid" 2> /dev/null || true
  wait "$pid" 2> /dev/null || true
  exit "$status"
fi

build=$(realpath "$1")
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
apt_get() { $SUDO env DEBIAN_FRONTEND=noninteractive apt-get -y -qq -o DPkg::Lock::Timeout=300 "$@"; }
failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

if dpkg-query -W -f='${Status}' brask 2> /dev/null | grep -q 'install ok installed'; then
  echo "FAIL: a package brask is installed already; the test would replace it" >&2
  exit 1
fi

rm -rf "$build/package"
cpack --config "$build/CPackConfig.cmake" -B "$build/package" > "$build/cpack.log" 2>&1 ||
  { cat "$build/cpack.log" >&2; exit 1; }
debs=("$build"/package/brask_*_amd64.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || { echo "FAIL: no single brask_*_amd64.deb" >&2; exit 1; }
deb=${debs[0]}
echo "package: $(basename "$deb")"

for file in ./usr/bin/brask ./usr/libexec/brask/brask-window ./usr/share/applications/brask.desktop \
  ./usr/share/icons/hicolor/32x32/apps/brask.png ./usr/share/metainfo/com.zelvo.brask.metainfo.xml; do
  dpkg-deb -c "$deb" | awk '{print $6}' | grep -qxF "$file" || fail "the package lacks $file"
done
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
depended=$(tr ',' '\n' <<< "$depends" | awk '{print $1}')
for library in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libsystemd0 libevtx1 qt6-qpa-plugins; do
  grep -qxF "$library" <<< "$depended" || fail "Depends names no $library"
done

# The metainfo and the desktop entry it launches, as the package lays them out.
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
dpkg-deb -x "$deb" "$tree"
appstreamcli validate-tree --no-net "$tree" || fail "appstreamcli finds fault with the package's metadata"

apt_get install "$deb" > "$build/apt-install.log" 2>&1 || { cat "$build/apt-install.log" >&2; exit 1; }
trap 'apt_get remove brask > /dev/null || true; rm -rf "$tree"' EXIT
[ -x /usr/bin/brask ] || fail "no /usr/bin/brask after the install"
LANG=en_US.UTF-8 xvfb-run -a -n $((100 + RANDOM % 800)) -s "-screen 0 1024x768x24" \
  bash "$0" --window || fail "the installed program showed no window"

apt_get remove brask > /dev/null
trap 'rm -rf "$tree"' EXIT
[ ! -e /usr/bin/brask ] || fail "/usr/bin/brask is left after the removal"
if dpkg-query -W -f='${Status}' brask 2> /dev/null | grep -q 'install ok installed'; then
  fail "brask is still installed after the removal"
fi

[ "$failures" -eq 0 ] || exit 1
echo "package: passed"
