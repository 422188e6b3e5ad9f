#!/usr/bin/env bash
# End to end, as a person would: the real brask under Xvfb, driven with xdotool, on a
# journal of one machine built for the test, with the system drive in a temporary folder and
# a recording xdg-open first on PATH; once more with computers named on its command line.
#   brask_e2e.sh <brask executable> <brask_screenshot_check> <screenshot.png>
# Leaves the screenshot of the window as it opens, held to the control table by the check
# the Windows window's screenshots pass too, in <screenshot.png>.
set -euo pipefail

if [ "${1:-}" != --inside ]; then
  # A display number of its own, from a random start, so that tests that start Xvfb at the
  # same moment do not race for the same one.
  exec xvfb-run -a -n $((100 + RANDOM % 800)) -s "-screen 0 1024x768x24" bash "$0" --inside \
    "$(realpath "$1")" "$(realpath "$2")" "$(realpath "$3")"
fi
brask=$2
check=$3
screenshot=$4
source "$(dirname "$0")/e2e_common.sh"
mkdir -p "$work/drive" "$work/bin" "$work/journal"
report="$work/drive/BRASK.txt"
viewed="$work/viewed"

# Waits for a command to succeed, up to a deadline in seconds.
wait_for() {
  local seconds=$1
  shift
  local deadline=$((SECONDS + seconds))
  until "$@"; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.1
  done
}

# --- the journal: System and Application entries, oldest first ------------------------

# One field whose value holds line breaks, in the binary form of the export format:
# the name, a line break, the length as 64-bit little endian, the value, a line break.
binary_field() {
  local name=$1 value=$2 length=${#2}
  printf '%s\n' "$name"
  printf "\\x$(printf %02x $((length & 255)))\\x$(printf %02x $((length >> 8)))\\0\\0\\0\\0\\0\\0"
  printf '%s\n' "$value"
}

# entry MINUTE FIELD=value...: one entry of the machine ws1 at 08:MINUTE UTC on 10 January
# of last year.
entry() {
  local minute=$1
  shift
  echo "__REALTIME_TIMESTAMP=$(date -u -d "$year-01-10 08:$minute:00" +%s)000000"
  printf '%s\n' _HOSTNAME=ws1 "$@"
  echo
}

{
  entry 00 _UID=0 PRIORITY=3 SYSLOG_FACILITY=3 SYSLOG_IDENTIFIER=disk "MESSAGE=error one"
  entry 01 _UID=1000 PRIORITY=3 SYSLOG_FACILITY=1 SYSLOG_IDENTIFIER=editor "MESSAGE=an application error"
  entry 02 _UID=0 PRIORITY=3 SYSLOG_FACILITY=3 SYSLOG_IDENTIFIER=disk "MESSAGE=error two"
  entry 03 _UID=0 PRIORITY=4 SYSLOG_FACILITY=3 SYSLOG_IDENTIFIER=disk "MESSAGE=a warning"
  entry 04 _UID=0 PRIORITY=3 SYSLOG_FACILITY=0 SYSLOG_IDENTIFIER=kernel _TRANSPORT=kernel \
    MESSAGE_ID=fc2e22bc6ee647b6b90729ab34a250b1 "MESSAGE=error three"
  echo "__REALTIME_TIMESTAMP=$(date -u -d "$year-01-10 08:05:00" +%s)000000"
  printf '%s\n' _HOSTNAME=ws1 _UID=0 PRIORITY=3 SYSLOG_FACILITY=3 SYSLOG_IDENTIFIER=disk
  binary_field MESSAGE $'error four,\r\nin two lines'
  echo
  entry 06 _UID=0 PRIORITY=2 SYSLOG_FACILITY=3 SYSLOG_IDENTIFIER=disk "MESSAGE=critical"
  entry 07 _UID=0 PRIORITY=3 _SYSTEMD_USER_UNIT=player.service SYSLOG_IDENTIFIER=player "MESSAGE=a user unit error"
  entry 08 _UID=0 PRIORITY=3 SYSLOG_FACILITY=3 _COMM=mount "MESSAGE=error five"
  entry 09 _UID=0 PRIORITY=3 SYSLOG_FACILITY=3 SYSLOG_IDENTIFIER=disk "MESSAGE=error six"
} > "$work/entries.export"
write_journal "$work/entries.export" "$work/journal/test.journal"

# --- the world brask sees ----------------------------------------------------------------

cat > "$work/bin/xdg-open" <<SCRIPT
#!/bin/sh
printf '%s\n' "\$@" > "$viewed.part" && mv "$viewed.part" "$viewed"
SCRIPT
chmod +x "$work/bin/xdg-open"

export BRASK_JOURNAL_DIR="$work/journal" SystemDrive="$work/drive" LANG=en_US.UTF-8 TZ=UTC
export PATH="$work/bin:$PATH"
unset LC_ALL LC_TIME LC_CTYPE LC_NUMERIC BRASK_WINDOWS_VERSION QT_QPA_PLATFORM

title="BRASK - Zelvo's Event Viewer"
window=""
found=""
pid=""

# Sets found to the window of that title.
find_window() { found=$(xdotool search --name "^$1\$" 2>/dev/null | head -n 1) && [ -n "$found" ]; }
window_gone() { ! xdotool search --name "^$1\$" > /dev/null 2>&1; }
ended() { ! kill -0 "$pid" 2> /dev/null; }

# start_brask [CAPTION [ARGUMENT...]]: the caption that the arguments give the window.
start_brask() {
  local caption=${1:-$title}
  shift $(($# > 0 ? 1 : 0))
  timeout 60 "$brask" "$@" >> "$work/brask.log" 2>&1 &
  pid=$!
  wait_for 20 find_window "$caption" || { fail "no window \"$caption\""; cat "$work/brask.log" >&2; exit 1; }
  window=$found
}

# Clicks the middle of the left part of a control: x, y, w, h in window pixels.
click_at() { xdotool mousemove --window "$window" $(($1 + 6)) $(($2 + $4 / 2)) click 1; }

# Waits for brask to end and sets status to its exit status.
status=""
wait_for_end() {
  wait_for 20 ended || { fail "brask did not end"; kill "$pid"; }
  status=0
  wait "$pid" || status=$?
}

# A run of the 5 newest System errors, as a person makes it, to its end.
run_system_errors() {
  click_at 16 80 73 25     # chkSystem
  click_at 136 77 73 25    # chkError
  click_at 16 168 113 25   # optNumber
  xdotool key Tab          # to txtNumber
  xdotool type --delay 50 5
  click_at 248 48 41 33    # cmdRun
  wait_for_end
}

# --- a complete run: System, Error, Number of events 5 -----------------------------------

start_brask
eval "$(xdotool getwindowgeometry --shell "$window")"
[ "$WIDTH x $HEIGHT" = "296 x 289" ] || fail "the window is $WIDTH x $HEIGHT, not 296 x 289"
off_centre=$(((X + WIDTH / 2 - 512) ** 2 + (Y + HEIGHT / 2 - 384) ** 2))
[ "$off_centre" -le 1 ] ||
  fail "the window at $X,$Y is not centred on the 1024 x 768 screen"
xdotool mousemove 0 0  # off the window
bash "$(dirname "$0")/../screenshot/check_window.sh" "$window" 96 "$screenshot" "$check" ||
  fail "the window is not drawn as the table says"
# The purple of the title lies within lblTitle1 (56, 8, 65 x 33) and nowhere else.
purple_inside=$(convert "$screenshot" -crop "65x33+56+8" txt:- | grep -ci '#800080' || true)
purple_all=$(convert "$screenshot" txt:- | grep -ci '#800080' || true)
[ "$purple_inside" -gt 50 ] && [ "$purple_inside" -eq "$purple_all" ] ||
  fail "purple pixels: $purple_inside inside lblTitle1, $purple_all in the window"

run_system_errors
[ "$status" = 0 ] || fail "the complete run ended with status $status"
wait_for 10 test -e "$viewed" || fail "the viewer was not started"
[ "$(cat "$viewed" 2>/dev/null)" = "$report" ] || fail "the viewer got '$(cat "$viewed" 2>/dev/null)', not '$report'"

header() {
  cat <<REPORT
Zelvo's Event Viewer v01c run on Windows 7 in English
Report run at <run time>

Note: All dates below are in the format dd/mm/yyyy

REPORT
}
listing() {
  cat <<REPORT
~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~
'System' Log - Error Type
~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~
Log: 'System' Date/Time: 10/01/$year 08:09:00 AM
Type: Error Category: 3
Event:  Source: disk
error six

Log: 'System' Date/Time: 10/01/$year 08:08:00 AM
Type: Error Category: 3
Event:  Source: mount
error five

Log: 'System' Date/Time: 10/01/$year 08:05:00 AM
Type: Error Category: 3
Event:  Source: disk
error four, in two lines

Log: 'System' Date/Time: 10/01/$year 08:04:00 AM
Type: Error Category: 0
Event: fc2e22bc6ee647b6b90729ab34a250b1 Source: kernel
error three

Log: 'System' Date/Time: 10/01/$year 08:02:00 AM
Type: Error Category: 3
Event:  Source: disk
error two

REPORT
}
# check_report EXPECTED: the report against the expected lines.
check_report() {
  if [ -e "$report" ]; then
    # Every line ends in CR LF; the run time is masked.
    if grep -qv $'\r$' "$report"; then fail "a report line does not end in CR LF"; fi
    tr -d '\r' < "$report" | sed 's/^Report run at .*/Report run at <run time>/' > "$work/report.txt"
    diff -u <("$1") "$work/report.txt" || fail "the report differs from the expected lines"
    grep -Eq "^Report run at [0-9]{2}/[0-9]{2}/[0-9]{4} [0-9]{2}:[0-9]{2}:[0-9]{2} [AP]M"$'\r$' "$report" ||
      fail "the run time is not a day-first date and a time: $(grep '^Report run at' "$report")"
  else
    fail "no report at $report"
  fi
}
# A journal of one machine is reported as that machine's alone.
one_machine() { header; listing; }
check_report one_machine

# --- computers named on the command line: the machine of the journal, and one it lacks ---

rm -f "$report" "$viewed"
start_brask "$title - WS1 and ghost" WS1 ghost
run_system_errors
[ "$status" = 0 ] || fail "the run of named computers ended with status $status"
rule=$(printf '=%.0s' {1..34})
named() {
  header
  printf '%s\nComputer: WS1\n%s\n' "$rule" "$rule"
  listing
  printf '%s\nComputer: ghost\n%s\n' "$rule" "$rule"
  printf 'Computer ghost could not be read: it is not in %s.\n\n' "$BRASK_JOURNAL_DIR"
}
check_report named

# --- a run that validation stops: its message, no report, the window stays ---------------

rm -f "$report" "$viewed"
start_brask
click_at 16 56 73 25     # chkApplication
click_at 136 99 81 25    # chkInformation
click_at 16 168 113 25   # optNumber
click_at 144 172 41 19   # txtNumber
xdotool type --delay 50 25
click_at 248 48 41 33    # cmdRun
box_title="Please check your selections"
if wait_for 20 find_window "$box_title"; then
  xdotool key Return
  wait_for 10 window_gone "$box_title" || fail "the message box did not close on Return"
else
  fail "no message box \"$box_title\""
fi
wait_for 5 find_window "$title" || fail "the window closed after the message"
kill -0 "$pid" 2> /dev/null || fail "brask ended after the message"
[ ! -e "$report" ] || fail "a stopped run wrote a report"
# Alt+X ends the program, still without a report or a viewer. Without a window manager
# nothing hands the focus back to the window when the box closes: the test does.
xdotool windowfocus --sync "$window"
xdotool key alt+x
wait_for_end
[ "$status" = 0 ] || fail "Alt+X ended brask with status $status"
[ ! -e "$report" ] || fail "Exit wrote a report"
[ ! -e "$viewed" ] || fail "Exit started the viewer"

# --- the same report without a window, and with no display at all -----------------------

rm -f "$viewed"
mkdir -p "$work/reports"
out="$work/reports/today.txt"
echo "yesterday's report" > "$out"
unattended 0 "" --log system --type Error --last 5 --out "$out"
tr -d '\r' < "$out" | sed 's/^Report run at .*/Report run at <run time>/' | diff -u <(one_machine) - ||
  fail "the report of --run differs from the expected lines"
[ -z "$(ls "$work/reports" | grep -vx today.txt)" ] || fail "--run left $(ls "$work/reports")"
[ ! -e "$viewed" ] || fail "--run started the viewer"
cp "$out" "$work/kept"
unattended 1 "Please check your selections: --last 21: Err... the number of events must be from 1 to 20." \
  --log System --type Error --last 21 --out "$out"
unattended 1 "Please check your dates: --to: The 'To:' day is invalid." \
  --log System --type Error --from "01/01/$(date +%Y)" --out "$out"
unattended 1 "Please check the command line: Unknown option 'quiet'." --quiet --out "$out"
unattended 2 "BRASK: Run-time error '2': Writing \"$work/missing/today.txt\": No such file or directory" \
  --log System --type Error --last 5 --out "$work/missing/today.txt"
cmp -s "$out" "$work/kept" || fail "a refused or failed --run changed the report"
# A computer that could not be read: the report is written all the same, and says so, as
# does standard error.
unattended 3 "BRASK: Computer ghost could not be read: it is not in $BRASK_JOURNAL_DIR." WS1 ghost --log System --type Error --last 5 --out "$out"
tr -d '\r' < "$out" | sed 's/^Report run at .*/Report run at <run time>/' | diff -u <(named) - ||
  fail "the report of --run with a computer not in the folder differs from the expected lines"
# Switch names in any case; the command line's folder in place of the environment's.
BRASK_EVTX_DIR=$work/missing unattended 0 "" --LOG system --Type ERROR --LAST 5 --Out "$out" \
  --JOURNAL-DIR "$BRASK_JOURNAL_DIR"
tr -d '\r' < "$out" | sed 's/^Report run at .*/Report run at <run time>/' | diff -u <(one_machine) - ||
  fail "the report of --run --journal-dir differs from the expected lines"
# Without a display and without --run: one line, before Qt starts.
without_display 1 "BRASK: There is no display to open the window on (neither DISPLAY nor WAYLAND_DISPLAY is set): give --run to write the report without a window." \
  --log System
without_display 1 "Please check the command line: Unknown option 'quiet'." --quiet --version
# A folder without journal files.
mkdir -p "$work/no-journal"
echo "not a journal" > "$work/no-journal/notes.txt"
unattended 2 "BRASK: Run-time error '-2 (FFFFFFFE)': Opening the journal in $work/no-journal: No journal files were found" \
  --journal-dir "$work/no-journal" --log System --type Error --last 5 --out "$out"

# --- as a user who may not read every journal file --------------------------------------

# The journal of ws1 and of db1, each in the file systemd-journal-remote names after its
# host; db1's file is root's alone. A folder of one machine, ws1, whose archived file is
# root's alone.
hosts=$work/hosts one=$work/one
mkdir -p "$hosts" "$one" "$work/nobody"
sed 's/^_HOSTNAME=ws1$/_HOSTNAME=db1/' "$work/entries.export" > "$work/db1.export"
write_journal "$work/db1.export" "$hosts/remote-db1.journal"
cp "$work/journal/test.journal" "$hosts/remote-ws1.journal"
cp "$work/journal/test.journal" "$one/remote-ws1.journal"
cp "$work/journal/test.journal" "$one/remote-ws1@0123456789abcdef0123456789abcdef-0000000000000001-0005f0000000000.journal"
chmod 755 "$work" "$hosts" "$one"
chmod 644 "$hosts"/*.journal "$one"/*.journal
chmod 600 "$hosts/remote-db1.journal" "$one/remote-ws1@"*
chown nobody "$work/nobody"
as=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
out=$work/nobody/today.txt
denied() { printf 'Computer %s could not be read: %s: Permission denied (error 13).' "$1" "$2"; }
# Many machines: db1's line after ws1's block, on standard error as in the report.
unattended 3 "BRASK: $(denied db1 "$hosts/remote-db1.journal")" --journal-dir "$hosts" \
  --log System --type Error --last 5 --out "$out"
hosts_report() {
  header
  printf '%s\nComputer: db1\n%s\n%s\n\n' "$rule" "$rule" "$(denied db1 "$hosts/remote-db1.journal")"
  printf '%s\nComputer: ws1\n%s\n' "$rule" "$rule"
  listing
}
tr -d '\r' < "$out" | sed 's/^Report run at .*/Report run at <run time>/' | diff -u <(hosts_report) - ||
  fail "the report of a folder with another machine's file unreadable differs from the expected lines"
# Named, the machine whose file is unreadable is there all the same.
unattended 3 "BRASK: $(denied DB1 "$hosts/remote-db1.journal")" DB1 --journal-dir "$hosts" \
  --log System --type Error --last 5 --out "$out"
# One machine: its sections from what could be read, then its line.
unattended 3 "BRASK: $(denied ws1 "$(ls "$one"/remote-ws1@*)")" --journal-dir "$one" \
  --log System --type Error --last 5 --out "$out"
one_report() { one_machine; echo "$(denied ws1 "$(ls "$one"/remote-ws1@*)")"; echo; }
tr -d '\r' < "$out" | sed 's/^Report run at .*/Report run at <run time>/' | diff -u <(one_report) - ||
  fail "the report of a machine with one file unreadable differs from the expected lines"
as=()
out=$work/reports/today.txt

# Standard error closed: the run goes on, and its exit code says how it went.
status=0
env -u DISPLAY timeout 60 "$brask" --run --log System --type Error --last 21 2>&- || status=$?
[ "$status" = 1 ] || fail "with standard error closed, a refused run ended with $status"

if [ "$failures" -gt 0 ]; then
  echo "--- brask's output" >&2
  cat "$work/brask.log" >&2
  exit 1
fi
echo "end to end: passed"
