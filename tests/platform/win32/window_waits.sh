# Waiting for windows on the display, for the scripts that drive brask.exe under Wine and
# Xvfb (sourced, not run).

# within SECONDS COMMAND...: waits for the command to succeed, up to the deadline.
within() {
  local deadline=$((SECONDS + $1))
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
