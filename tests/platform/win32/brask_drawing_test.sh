#!/usr/bin/env bash
# brask.exe as it opens at 96, 120 and 144 DPI (Wine's LogPixels), under Wine and Xvfb:
# each screenshot of its client area is left in OUT_DIR as brask-window-<DPI>dpi.png and
# held to the control table by the check the Linux window's screenshot passes too.
#
# Usage: brask_drawing_test.sh WINE_RUN PREFIX_ROOT BRASK_EXE CHECK_EXE OUT_DIR
set -euo pipefail

here=$(dirname "$0")
# shellcheck source=window_waits.sh
source "$here/window_waits.sh"
own_display "$@"

wine_run=$1
root=$2
exe=$3
check_exe=$4
out=$5
title="BRASK - Zelvo's Event Viewer"

prefix=""
trap '[ -z "$prefix" ] || WINEPREFIX=$root/$prefix wineserver -k 2>/dev/null || true' EXIT

for dpi in 96 120 144; do
  # LogPixels belongs to the prefix's user: a prefix for each DPI.
  prefix=drawing$dpi
  export BRASK_WINE_PREFIX=$prefix
  "$wine_run" "$root" reg add 'HKCU\Software\Wine' /v Version /d win10 /f >/dev/null
  "$wine_run" "$root" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" \
    /f >/dev/null
  "$wine_run" "$root" "$exe" &
  within 60 shown "$title" || { echo "FAIL: the window did not appear at $dpi DPI" >&2; exit 1; }
  # The pointer across the window's empty corner and off it, so that no control shows
  # itself as under the pointer (Wine takes it to be where it was last seen moving).
  xdotool mousemove --window "$(window "$title")" 2 2 mousemove 0 0
  bash "$here/../screenshot/check_window.sh" "$(window "$title")" "$dpi" \
    "$out/brask-window-${dpi}dpi.png" "$wine_run" "$root" "$check_exe"
  WINEPREFIX=$root/$prefix wineserver -k 2>/dev/null || true
  wait || true
done
echo "PASS"
