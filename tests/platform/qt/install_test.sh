#!/usr/bin/env bash
# cmake --install, after what scripts/start.sh builds, puts the program, its desktop entry,
# its AppStream metainfo and its 32 x 32 icon in place; the metainfo's release is the
# project version. The README's systemd units, with the installed program, pass
# systemd-analyze verify.
#   install_test.sh <build directory> <project version>
set -euo pipefail
build=$(realpath "$1")
version=$2
source=$(realpath "$(dirname "$0")/../../..")
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

# What start.sh builds is all the install needs: the icon, made at build time, is made again.
rm -f "$build/platform/qt/brask.png"
BRASK_BUILD_DIR=$build bash "$source/scripts/start.sh" --build-only > /dev/null
cmake --install "$build" --prefix "$prefix" > /dev/null

[ -x "$prefix/bin/brask" ] || fail "no executable bin/brask"
[ -x "$prefix/libexec/brask/brask-window" ] || fail "no executable libexec/brask/brask-window"
"$prefix/bin/brask" --version | grep -qx "brask $version" || fail "bin/brask --version printed no version"
# The installed program finds its window program: given a display (Qt's minimal platform),
# a command line it refuses is shown in the window program's box, which waits for a click
# until timeout ends it (124); brask itself would have ended with 1, or 2 had it found none.
status=0
QT_QPA_PLATFORM=minimal timeout 5 "$prefix/bin/brask" --nonsense > /dev/null 2>&1 || status=$?
[ "$status" = 124 ] || fail "bin/brask did not start its window program (status $status)"

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

# unit NAME: the README's text of /etc/systemd/system/NAME, its indented block after the
# line that names it, with the installed program in place of /usr/bin/brask.
unit() {
  awk -v name="\`/etc/systemd/system/$1\`:" '
    index($0, name) { inside = 1; next }
    inside && /^    / { print substr($0, 5); seen = 1; next }
    inside && /^$/ { print; next }
    inside && seen { exit }' "$source/README.md" | sed "s|/usr/bin/brask |$prefix/bin/brask |"
}
units=$prefix/units
mkdir -p "$units"
for name in brask-report.service brask-report.timer; do
  unit "$name" > "$units/$name"
  [ -s "$units/$name" ] || fail "the README has no unit $name"
done
for line in DynamicUser=yes "SupplementaryGroups=systemd-journal systemd-journal-remote" StateDirectory=brask \
  Environment=LANG=en_US.UTF-8; do
  grep -qxF "$line" "$units/brask-report.service" || fail "brask-report.service lacks the line '$line'"
done
grep -q "^ExecStart=$prefix/bin/brask --run .* --out %S/brask/today.txt\$" "$units/brask-report.service" ||
  fail "brask-report.service does not run the installed brask into its state folder"
# Any word of systemd-analyze is a warning or an error, which verify may not count in its
# exit status.
if ! said=$(cd "$units" && systemd-analyze verify ./brask-report.service ./brask-report.timer 2>&1) || [ -n "$said" ]; then
  fail "systemd-analyze verify: $said"
fi

[ "$failures" -eq 0 ] || exit 1
echo "install: passed"
