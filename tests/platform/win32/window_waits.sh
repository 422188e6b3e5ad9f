# Waiting for windows on the display and driving them, for the scripts that run brask.exe
# under Wine and Xvfb (sourced, not run).

# own_display "$@": runs the sourcing script again under an Xvfb display of its own (a
# display number from a random start, so that window tests do not meet), unless it is.
own_display() {
  [ -n "${BRASK_GUI_DISPLAY:-}" ] ||
    exec env BRASK_GUI_DISPLAY=1 xvfb-run -a -n $((100 + RANDOM % 800)) \
      -s "-screen 0 1024x768x24" "$0" "$@"
}

# within SECONDS COMMAND...: waits for the command to succeed, up to the deadline, which
# BRASK_WAIT_SCALE stretches where Wine runs slowly (a 32-bit program under emulation).
within() {
  local deadline=$((SECONDS + $1 * ${BRASK_WAIT_SCALE:-1}))
  shift
  until "$@"; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.1
  done
}

# The visible window of that title, if there is one.
window() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1; }
shown() { [ -n "$(window "$1")" ]; }
hidden() { [ -z "$(window "$1")" ]; }
ended() { ! kill -0 "$1" 2>/dev/null; }

# wanted CASE: whether the script runs that case of its own: every case, unless
# BRASK_WINDOW_CASES names the ones to run (where Wine is slow, as a 32-bit program is under
# emulation). A case left out says so.
wanted() {
  if [ -z "${BRASK_WINDOW_CASES:-}" ] || [[ " $BRASK_WINDOW_CASES " == *" $1 "* ]]; then
    return 0
  fi
  echo "($1: not run, BRASK_WINDOW_CASES=$BRASK_WINDOW_CASES)"
  return 1
}

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

keys() { xdotool key --delay 60 "$@"; }
# Under Wine keys are taken only once the pointer has moved over the window.
point_at() { xdotool mousemove --window "$(window "$1")" "${2:-10}" "${3:-10}"; }
