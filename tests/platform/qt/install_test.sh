#!/usr/bin/env bash
# cmake --install puts the program, its desktop entry, its AppStream metainfo and its
# 32 x 32 icon in place; the metainfo's release is the project version.
#   install_test.sh <build directory> <project version>
set -euo pipefail
build=$1
version=$2
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

cmake --install "$build" --prefix "$prefix" > /dev/null

[ -x "$prefix/bin/brask" ] || fail "no executable bin/brask"

desktop="$prefix/share/applications/brask.desktop"
if [ -f "$desktop" ]; then
  for line in "[Desktop Entry]" "Type=Application" "Exec=brask" "Icon=brask" "Name=BRASK - Zelvo's Event Viewer"; do
    grep -qxF "$line" "$desktop" || fail "brask.desktop lacks the line '$line'"
  done
else
  fail "no share/applications/brask.desktop"
fi

metainfo="$prefix/share/metainfo/com.zelvo.brask.metainfo.xml"
if [ -f "$metainfo" ]; then
  releases=$(grep -o '<release [^>]*>' "$metainfo" || true)
  grep -qx "<release version=\"${version//./\\.}\" date=\"[0-9]\{4\}-[0-9][0-9]-[0-9][0-9]\"/>" <<< "$releases" ||
    fail "the metainfo names no release $version with a date, only: ${releases:-nothing}"
else
  fail "no share/metainfo/com.zelvo.brask.metainfo.xml"
fi

icon="$prefix/share/icons/hicolor/32x32/apps/brask.png"
if [ -f "$icon" ]; then
  # The PNG signature, then the IHDR chunk: width and height as 32-bit big endian.
  [ "$(od -An -tx1 -N8 "$icon" | tr -d ' \n')" = 89504e470d0a1a0a ] || fail "brask.png is not a PNG"
  size=$(od -An -tu1 -j16 -N8 "$icon" | awk '{print $1*16777216+$2*65536+$3*256+$4 "x" $5*16777216+$6*65536+$7*256+$8}')
  [ "$size" = 32x32 ] || fail "brask.png is $size, not 32x32"
else
  fail "no share/icons/hicolor/32x32/apps/brask.png"
fi

[ "$failures" -eq 0 ] || exit 1
echo "install: passed"
