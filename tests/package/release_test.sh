#!/usr/bin/env bash
# What scripts/release.sh leaves in dist/: the two zips, the Debian package and SHA256SUMS,
# named with the project version of CMakeLists.txt, and nothing else. Each zip holds
# brask.exe and README.txt alone; its brask.exe is of the zip's machine, carries a manifest
# for that machine that asks for elevation, and loads on that machine's Windows XP; its
# README.txt is in Windows' line ends. The package is of that version, the checksums
# verify, and each brask.exe, as shipped, is driven under Wine and Xvfb, the 32-bit one
# under the 32-bit Wine where 32-bit programs run.
#   release_test.sh <dist directory>
set -euo pipefail
cd "$(dirname "$0")/../.."
dist=$(realpath "$1")
failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

version=$(sed -n 's/^project(brask VERSION \([0-9.]*\) .*/\1/p' CMakeLists.txt)
[ -n "$version" ] || { echo "FAIL: no project version in CMakeLists.txt" >&2; exit 1; }
IFS=. read -ra numbers <<< "$version.0.0.0"
file_version="${numbers[0]}.${numbers[1]}.${numbers[2]}.${numbers[3]}"
deb="brask_${version}_amd64.deb"
echo "release $version"

expected=$(printf '%s\n' SHA256SUMS "$deb" "brask-$version-windows-x64.zip" \
  "brask-$version-windows-x86.zip" | LC_ALL=C sort)
actual=$(find "$dist" -mindepth 1 -maxdepth 1 -printf '%f\n' | LC_ALL=C sort)
[ "$actual" = "$expected" ] || fail "dist holds $(tr '\n' ' ' <<< "$actual")"

# Inside build/, beside the build directories: its Wine prefixes are made by hard links
# from the base prefix that BRASK_WINE_BASE may name there.
mkdir -p build
tree=$(mktemp -d "$PWD/build/release-check.XXXXXX")
trap 'rm -rf "$tree"' EXIT

# check_zip ARCH FILE_TYPE OBJDUMP PE_FORMAT XP_VERSION MANIFEST_ARCH
check_zip() {
  local arch=$1 type=$2 objdump=$3 format=$4 xp=$5 manifest_arch=$6
  local zip="$dist/brask-$version-windows-$arch.zip" dir="$tree/$arch"
  [ -f "$zip" ] || return 0
  local listed
  listed=$(unzip -Z1 "$zip" | LC_ALL=C sort | tr '\n' ' ')
  [ "$listed" = "README.txt brask.exe " ] || fail "$arch: the zip holds $listed"
  unzip -q -d "$dir" "$zip"
  local exe="$dir/brask.exe" readme="$dir/README.txt"
  [ -f "$exe" ] && [ -f "$readme" ] || return 0

  local found
  found=$(file -b "$exe")
  [[ "$found" == "$type"* ]] || fail "$arch: brask.exe is $found, not $type"
  grep -aqF "name=\"Zelvo.BRASK\" version=\"$file_version\" processorArchitecture=\"$manifest_arch\"" \
    "$exe" || fail "$arch: the manifest names no Zelvo.BRASK $file_version for $manifest_arch"
  grep -aqF 'level="requireAdministrator"' "$exe" || fail "$arch: the manifest asks for no elevation"
  bash tests/platform/win32/xp_imports_test.sh "$exe" "$objdump" "$format" "$xp" ||
    fail "$arch: brask.exe would not load on Windows XP"

  [ "$(grep -c $'\r$' "$readme")" = "$(wc -l < "$readme")" ] ||
    fail "$arch: README.txt has lines that do not end in CR LF"
}
check_zip x64 "PE32+ executable (GUI) x86-64" x86_64-w64-mingw32-objdump pei-x86-64 5.2 amd64
check_zip x86 "PE32 executable (GUI) Intel 80386" i686-w64-mingw32-objdump pei-i386 5.1 x86

if [ -f "$dist/$deb" ]; then
  for field in Package=brask Version="$version" Architecture=amd64; do
    [ "$(dpkg-deb -f "$dist/$deb" "${field%%=*}")" = "${field#*=}" ] ||
      fail "the package's ${field%%=*} is not ${field#*=}"
  done
  metainfo=$(dpkg-deb --fsys-tarfile "$dist/$deb" |
    tar -xOf - ./usr/share/metainfo/com.zelvo.brask.metainfo.xml)
  grep -qF "<release version=\"$version\" " <<< "$metainfo" ||
    fail "the package's metainfo names no release $version"
fi

if [ -f "$dist/SHA256SUMS" ]; then
  summed=$(awk '{print $2}' "$dist/SHA256SUMS" | LC_ALL=C sort | tr '\n' ' ')
  [ "$summed" = "$(grep -vx SHA256SUMS <<< "$expected" | tr '\n' ' ')" ] ||
    fail "SHA256SUMS covers $summed"
  (cd "$dist" && sha256sum --quiet --strict -c SHA256SUMS) || fail "the checksums do not verify"
fi

# Each shipped brask.exe as on Windows XP (no Event Log API, the logs through WMI), and as
# on Vista and later with the tests' double of wevtapi.dll, which its Windows build made.
# The 32-bit one is driven where 32-bit programs run, natively or emulated (BRASK_X86_RUN
# from test.sh: native, emulated or none).
for arch in x64 x86; do
  [ -f "$tree/$arch/brask.exe" ] || continue
  cases=""
  if [ "$arch" = x86 ]; then
    case ${BRASK_X86_RUN:-native} in
      none)
        echo "x86: the shipped brask.exe is not driven: 32-bit programs do not run here"
        continue ;;
      # A minute a start: one Number-mode run on each source.
      emulated) cases=number ;;
    esac
  fi
  BRASK_WINDOW_CASES=$cases BRASK_WINE_PREFIX=gui-$arch BRASK_WINE_DLL_OVERRIDES=wevtapi= \
    bash tests/platform/win32/brask_gui_test.sh \
    "$PWD/cmake/wine-run.sh" "$tree/wine" "$tree/$arch/brask.exe" ||
    fail "$arch: the shipped brask.exe failed under Wine"
  if [ "$arch" = x64 ]; then build=build/windows; else build=build/windows-x86; fi
  double=$PWD/$build/tests/platform/win32/wevtapi/wevtapi.dll
  if [ -f "$double" ]; then
    BRASK_WINDOW_CASES=$cases BRASK_WINE_PREFIX=evt-$arch bash tests/platform/win32/wevtapi/brask_evt_e2e.sh \
      "$PWD/cmake/wine-run.sh" "$tree/wine" "$tree/$arch/brask.exe" "$double" ||
      fail "$arch: the shipped brask.exe failed with the Event Log API under Wine"
  else
    echo "$arch: not driven with the Event Log API: no double of wevtapi.dll in $build"
  fi
done

[ "$failures" -eq 0 ] || exit 1
echo "release: passed"
