#!/usr/bin/env bash
# Builds everything from scratch with warnings as errors and runs every test: the Linux
# build natively, then the Windows build cross-compiled and run under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."

rm -rf build/linux
cmake -S . -B build/linux -G Ninja -DCMAKE_BUILD_TYPE=Release -DBRASK_WERROR=ON
cmake --build build/linux
ctest --test-dir build/linux --output-on-failure --timeout 300

# The Windows build: brask.exe and every test cross-built with MinGW-w64; the tests run
# under Wine, in Wine prefixes inside build/windows, and the window under Xvfb.
rm -rf build/windows
cmake -S . -B build/windows -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
  -DBRASK_WERROR=ON
cmake --build build/windows -j2
ctest --test-dir build/windows --output-on-failure --timeout 600
