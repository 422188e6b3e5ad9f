#!/usr/bin/env bash
# Builds everything from scratch with warnings as errors and runs every test: the Linux
# build natively, then the Windows build cross-compiled and run under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."

rm -rf build/linux
cmake -S . -B build/linux -G Ninja -DCMAKE_BUILD_TYPE=Release -DBRASK_WERROR=ON
cmake --build build/linux
ctest --test-dir build/linux --output-on-failure --timeout 300

# The Debian package of the Linux program: built, installed, started and removed.
bash tests/package/deb_test.sh build/linux

# The fuzz targets, built with clang under AddressSanitizer and UndefinedBehaviorSanitizer,
# each run for 30 seconds from its seed corpus.
rm -rf build/fuzz
bash scripts/fuzz.sh 30

# The Windows build: brask.exe and every test cross-built with MinGW-w64; the tests run
# under Wine, in Wine prefixes inside build/windows, and the window under Xvfb.
rm -rf build/windows
cmake -S . -B build/windows -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
  -DBRASK_WERROR=ON
cmake --build build/windows -j2
ctest --test-dir build/windows --output-on-failure --timeout 600

# The release files, built from scratch into dist/: the 64-bit and the 32-bit brask.exe
# (for 32-bit Windows XP SP3 and every later Windows) each zipped with its README.txt, the
# Debian package, SHA256SUMS. Checked: what each zip holds, each brask.exe's machine,
# manifest and loadability on Windows XP, the package's version, the checksums, and the
# shipped 64-bit brask.exe driven under Wine.
bash scripts/release.sh
bash tests/package/release_test.sh dist
