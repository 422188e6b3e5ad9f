#!/usr/bin/env bash
# Screenshots a window's client area once its drawing has settled, leaves it as PNG_OUT
# and holds it to the control table with brask_screenshot_check. Then shows that the
# check catches labels that paint over other controls: the same screenshot with the boxes
# of lblTitle2, Label1, lblLanguages, lblFrom and lblDay filled with the background must
# fail it, naming fraType, cmdRun, fraEvents, txtDayFrom and txtDayTo.
#
# Usage (on the window's display): check_window.sh WINDOW_ID DPI PNG_OUT CHECK...
# where CHECK... runs brask_screenshot_check (under Wine for the Windows window).
set -euo pipefail

window=$1
dpi=$2
png=$3
shift 3
check=("$@")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

capture() {
  eval "$(xdotool getwindowgeometry --shell "$window")"
  import -window root -crop "${WIDTH}x${HEIGHT}+$X+$Y" +repage "$1"
}

# The drawing has settled when two screenshots in a row are the same.
capture "$work/before.png"
deadline=$((SECONDS + 20))
until capture "$work/shot.png" && cmp -s "$work/before.png" "$work/shot.png"; do
  if [ "$SECONDS" -ge "$deadline" ]; then
    echo "FAIL: the window's drawing did not settle" >&2
    exit 1
  fi
  mv "$work/shot.png" "$work/before.png"
  sleep 0.2
done
cp "$work/shot.png" "$png"
convert "$png" "$work/shot.ppm"
if ! "${check[@]}" "$work/shot.ppm" "$dpi" | tr -d '\r'; then
  echo "FAIL: the window at $dpi DPI, left in $png, is not drawn as the table says" >&2
  exit 1
fi

background=$(convert "$png" -format '%[hex:p{2,2}]' info:)
draw=()
while read -r name x y width height; do
  case $name in
    lblTitle2 | Label1 | lblLanguages | lblFrom | lblDay)
      draw+=(-draw "rectangle $x,$y $((x + width - 1)),$((y + height - 1))") ;;
  esac
done < <("${check[@]}" --boxes "$dpi" | tr -d '\r')
convert "$png" -fill "#$background" "${draw[@]}" "$work/faults.ppm"
if "${check[@]}" "$work/faults.ppm" "$dpi" | tr -d '\r' > "$work/faults.txt"; then
  echo "FAIL: the check passed the window with labels painted over other controls" >&2
  exit 1
fi
for control in fraType cmdRun fraEvents txtDayFrom txtDayTo; do
  grep -q "^FAULT: $control:" "$work/faults.txt" ||
    { cat "$work/faults.txt" >&2; echo "FAIL: the check missed the fault in $control" >&2; exit 1; }
done
echo "the window at $dpi DPI is drawn as the table says: $png"
