#!/usr/bin/env bash
# Builds everything from scratch with warnings as errors and runs every test: the Linux
# build natively, then the 64-bit and the 32-bit Windows build cross-compiled and run under
# Wine.
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

# The Windows builds, 64-bit and 32-bit: brask.exe and every test cross-built with
# MinGW-w64; the tests run under Wine (the 32-bit ones under the 32-bit Wine, through
# WOW64), in Wine prefixes inside each build directory, and the window under Xvfb. Every
# prefix of both builds and of the release check is a copy of one base prefix, made once.
rm -rf build/wine
export BRASK_WINE_BASE=$PWD/build/wine/base

# windows_build DIR TOOLCHAIN: a Windows build from scratch, with its tests run.
windows_build() {
  rm -rf "$1"
  cmake -S . -B "$1" -G Ninja -DCMAKE_TOOLCHAIN_FILE="cmake/$2.cmake" -DBRASK_WERROR=ON
  cmake --build "$1" -j2
  ctest --test-dir "$1" --output-on-failure --timeout 600
}
windows_build build/windows mingw-w64-x86_64
# For 32-bit Windows XP SP3 and every later Windows.
windows_build build/windows-x86 mingw-w64-i686

# The release files, built from scratch into dist/: the 64-bit and the 32-bit brask.exe
# each zipped with its README.txt, the Debian package, SHA256SUMS. Checked: what each zip
# holds, each brask.exe's machine, manifest and loadability on Windows XP, the package's
# version, the checksums, and each shipped brask.exe driven under Wine.
bash scripts/release.sh
bash tests/package/release_test.sh dist
