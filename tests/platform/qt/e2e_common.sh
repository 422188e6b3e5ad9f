# What the end-to-end scripts of the Linux program share (sourced, not run, with $brask
# set): a work folder removed at the end, failures counted, journals written by
# systemd-journal-remote, and runs without a display.

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

# Entries are written on 10 January of last year.
year=$(($(date -u +%Y) - 1))

# write_journal EXPORT JOURNAL: the entries of the export file EXPORT into the journal file
# JOURNAL; a failure shows what systemd-journal-remote said and ends the script.
write_journal() {
  /lib/systemd/systemd-journal-remote -o "$2" "$1" 2> "$work/journal-remote.log" ||
    { cat "$work/journal-remote.log" >&2; exit 1; }
}

# without_display EXPECTED_STATUS EXPECTED_STDERR_LINE ARGUMENTS...: one run without a
# display, as the user the array `as` names (nobody: as the one running the test).
as=()
without_display() {
  local want=$1 line=$2
  shift 2
  local got=0
  env -u DISPLAY -u WAYLAND_DISPLAY "${as[@]}" timeout 60 "$brask" "$@" > "$work/out" 2> "$work/err" || got=$?
  [ "$got" = "$want" ] || fail "brask $* ended with $got, not $want: $(cat "$work/err")"
  if [ -n "$line" ]; then
    grep -qxF -- "$line" "$work/err" || fail "brask $* said '$(cat "$work/err")', not '$line'"
  else
    [ ! -s "$work/err" ] || fail "brask $* said '$(cat "$work/err")'"
  fi
}
# unattended EXPECTED_STATUS EXPECTED_STDERR_LINE ARGUMENTS...: one run with --run.
unattended() { without_display "$1" "$2" --run "${@:3}"; }
