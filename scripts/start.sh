#!/usr/bin/env bash
# Builds the Linux program alone (no tests) into build/desktop, with what `cmake --install`
# puts in place besides it (its icon as PNG), and starts it on the desktop.
# BRASK_BUILD_DIR names another build directory; --build-only builds without starting.
set -euo pipefail
cd "$(dirname "$0")/.."

start=true
case ${1:-} in
  --build-only) start=false ;;
  "") ;;
  *) echo "usage: start.sh [--build-only]" >&2; exit 2 ;;
esac
build=${BRASK_BUILD_DIR:-build/desktop}
if $start && [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "start.sh: no desktop to show the window on (neither DISPLAY nor WAYLAND_DISPLAY is set)" >&2
  exit 1
fi

if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBRASK_TESTS=OFF
fi
cmake --build "$build" --target brask brask-window brask_icon_png
$start || exit 0
exec "$build/bin/brask"
