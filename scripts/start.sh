#!/usr/bin/env bash
# Builds the Linux program alone (no tests) into build/desktop and starts it on the
# desktop. BRASK_BUILD_DIR names another build directory.
set -euo pipefail
cd "$(dirname "$0")/.."

build=${BRASK_BUILD_DIR:-build/desktop}
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "start.sh: no desktop to show the window on (neither DISPLAY nor WAYLAND_DISPLAY is set)" >&2
  exit 1
fi

if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBRASK_TESTS=OFF
fi
cmake --build "$build" --target brask
exec "$build/platform/qt/brask"
