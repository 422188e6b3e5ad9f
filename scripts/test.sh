#!/usr/bin/env bash
# Builds everything from scratch with warnings as errors and runs every test: the Linux
# build natively, then the Windows build cross-compiled and run under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."

rm -rf build/linux
cmake -S . -B build/linux -G Ninja -DCMAKE_BUILD_TYPE=Release -DBRASK_WERROR=ON
cmake --build build/linux
ctest --test-dir build/linux --output-on-failure --timeout 300
