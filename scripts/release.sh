#!/usr/bin/env bash
# Builds the release files from scratch into dist/, <version> being the project version
# of CMakeLists.txt:
#   brask-<version>-windows-x64.zip   the 64-bit brask.exe and its README.txt
#   brask-<version>-windows-x86.zip   the 32-bit brask.exe and its README.txt
#   brask_<version>_amd64.deb         the Linux program, as CPack packs it
#   SHA256SUMS                        the SHA-256 of the three
# Each program is built in an empty build/release-x64, build/release-x86 or
# build/release-deb, with warnings as errors and without the tests: brask.exe as the
# Windows tests build it, the Linux program as a Release build.
set -euo pipefail
cd "$(dirname "$0")/.."

# configure DIR [CMAKE OPTION...]: a fresh build directory.
configure() {
  local dir=$1
  shift
  rm -rf "$dir"
  cmake -S . -B "$dir" -G Ninja -DBRASK_WERROR=ON -DBRASK_TESTS=OFF "$@" > /dev/null
}

rm -rf dist
mkdir dist

configure build/release-deb -DCMAKE_BUILD_TYPE=Release
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/release-deb/CMakeCache.txt)
[ -n "$version" ] || { echo "release.sh: no project version in build/release-deb" >&2; exit 1; }
echo "release $version"

for arch in x64 x86; do
  dir=build/release-$arch
  if [ "$arch" = x64 ]; then toolchain=mingw-w64-x86_64; else toolchain=mingw-w64-i686; fi
  configure "$dir" -DCMAKE_TOOLCHAIN_FILE="cmake/$toolchain.cmake"
  cmake --build "$dir" -j2 --target brask
  zip -q -X -j "dist/brask-$version-windows-$arch.zip" \
    "$dir/platform/win32/brask.exe" "$dir/platform/win32/README.txt"
done

cmake --build build/release-deb -j2 --target brask brask-window brask_icon_png
cpack --config build/release-deb/CPackConfig.cmake -B build/release-deb/package \
  > build/release-deb/cpack.log 2>&1 || { cat build/release-deb/cpack.log >&2; exit 1; }
cp "build/release-deb/package/brask_${version}_amd64.deb" dist/

(cd dist && sha256sum -- *.zip *.deb > SHA256SUMS)
ls -l dist
