#!/usr/bin/env bash
# brask.exe as a person uses it, under Wine and Xvfb, driven with xdotool: Run on an empty
# form brings the selection message, Alt+X ends with no report, and a Number-mode run made
# with the keyboard alone (which only works when Tab follows the tab order) writes the
# report, starts Notepad and ends; a report that cannot be written ends it in the run-time
# error box; a collector's log asked for (/forwarded) where there is no Event Log API, as
# on Windows XP, is refused before the window opens; /run writes the report without a
# window and ends with an exit code of each kind, says each computer it could not read on
# standard error (in the OEM code page, as nothing else there is a console), refuses a device
# or a folder as the report, and shows /? and /version on standard output, or nowhere where
# it has none, never in a box. The cases, empty-form, number, error, forwarded and
# unattended, may be chosen with BRASK_WINDOW_CASES.
#
# Usage: brask_gui_test.sh WINE_RUN PREFIX_ROOT BRASK_EXE
# (the toolchain's emulator, then the program; BRASK_WINE_PREFIX names the Wine prefix)
set -euo pipefail

# shellcheck source=window_waits.sh
source "$(dirname "$0")/window_waits.sh"
own_display "$@"

wine_run=$1
root=$2
exe=$3
prefix=$root/${BRASK_WINE_PREFIX:-gui}
report=$prefix/drive_c/BRASK.txt
title="BRASK - Zelvo's Event Viewer"

trap 'WINEPREFIX=$prefix wineserver -k 2>/dev/null || true' EXIT

# Windows as current Windows shows itself to brask.exe, whose manifest keeps it at 6.2.
"$wine_run" "$root" reg add 'HKCU\Software\Wine' /v Version /d win10 /f >/dev/null
original_format=$("$wine_run" "$root" reg query 'HKCU\Control Panel\International' /v sShortDate | tr -d '\r' | awk '/sShortDate/ {print $3}')

start() {
  rm -f "$report"
  "$wine_run" "$root" "$exe" &
  brask=$!
  within 60 shown "$title" || fail "the window did not appear"
  point_at "$title" 5 5
}

if wanted empty-form; then
  echo "Run on an empty form, then Alt+X"
  start
  # Run's centre: (3720 + 615 / 2, 720 + 495 / 2) twips, (269, 64) pixels at 96 DPI.
  point_at "$title" 269 64
  xdotool click 1
  within 20 shown "Please check your selections" || fail "no message titled 'Please check your selections'"
  point_at "Please check your selections"
  keys Return
  within 20 hidden "Please check your selections" || fail "OK did not close the message"
  # A search that meets the box while Wine destroys it can miss every window: look again.
  within 5 shown "$title" || fail "the window closed after the message"
  point_at "$title"
  keys alt+x
  within 20 ended "$brask" || fail "Alt+X did not end the program"
  [ ! -e "$report" ] || fail "Alt+X left a report"
fi

if wanted number; then
  echo "A Number-mode run, System checked by the mouse and the rest by the keyboard"
  start
  # chkSystem's box: fraLog's corner plus its own, (240, 1200) twips, (16, 80) pixels.
  point_at "$title" 24 92
  xdotool click 1
  keys shift+Tab                      # back to chkApplication
  keys space                          # chkApplication: checked
  keys Tab Tab Tab space              # chkSystem, chkCritical, chkError: checked
  keys Tab Tab Tab Tab                # chkInformation, chkWarning, optNumber, txtNumber
  xdotool type --delay 60 3
  keys Tab Tab                        # optDate, txtDayFrom
  for text in 1 8 2009 10 8; do
    xdotool type --delay 60 "$text"   # the From and To fields, day, month, year each
    keys Tab
  done
  xdotool type --delay 60 2009        # txtYrTo
  keys Tab Tab Tab                    # cmdRun, cmdExit, and round to chkApplication
  keys shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab \
    shift+Tab shift+Tab shift+Tab     # back over the fields and txtNumber to optNumber
  keys space                          # "Number of events": selected
  keys shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab
  keys space                          # back over the check boxes, round to cmdRun: pressed
  within 60 ended "$brask" || fail "the run did not end the program"
  [ -e "$report" ] || fail "no report at drive_c/BRASK.txt"
  within 60 shown "BRASK.txt - Notepad" || fail "Notepad did not open the report"

  tilde="~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~"
  expected=(
    "Zelvo's Event Viewer v01c run on Windows 7 in English"
    "Report run at *"
    ""
    "Note: All dates below are in the format dd/mm/yyyy"
    ""
    "$tilde"
    "'Application' Log - Error Type"
    "$tilde"
    "$tilde"
    "'System' Log - Error Type"
    "$tilde"
  )
  mapfile -t lines <"$report"
  [ "${#lines[@]}" -eq "${#expected[@]}" ] || fail "the report has ${#lines[@]} lines: $(cat "$report")"
  for i in "${!expected[@]}"; do
    line=${lines[$i]}
    [ "${line: -1}" = $'\r' ] || fail "line $((i + 1)) does not end in CR LF"
    # shellcheck disable=SC2053  # the expected line may be a pattern
    [[ ${line%$'\r'} == ${expected[$i]} ]] || fail "line $((i + 1)): '${line%$'\r'}', expected '${expected[$i]}'"
  done
  [[ ${lines[1]} =~ ^Report\ run\ at\ [0-9]{2}/[0-9]{2}/[0-9]{4}\ [0-9:]+ ]] ||
    fail "the run time is not day-first: ${lines[1]}"
fi

if wanted error; then
  echo "A report that cannot be written ends the program with the run-time error box"
  WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
  start
  mkdir "$report"                     # a folder where the report file should go
  keys space                          # chkApplication
  keys Tab Tab Tab space              # chkError
  keys Tab Tab Tab space              # optNumber
  keys Tab
  xdotool type --delay 60 1           # txtNumber
  keys shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab
  keys space                          # back to cmdRun: pressed
  within 30 shown "BRASK" || fail "no run-time error box titled BRASK"
  point_at "BRASK"
  keys Return
  within 30 ended "$brask" || fail "the program did not end after the run-time error"
  hidden "BRASK.txt - Notepad" || fail "Notepad was started after the error"
  rmdir "$report"
fi

if wanted unattended; then
  echo "/run: the report without a window, and an exit code of each kind"
  mkdir -p "$prefix/drive_c/reports"
  out=$prefix/drive_c/reports/today.txt
  echo "yesterday's report" >"$out"
  # unattended STATUS LINE ARGUMENTS...: brask.exe /run ARGUMENTS ends with STATUS, its
  # standard error holding a line that starts with LINE (nothing where LINE is empty), and
  # shows no window.
  unattended() {
    local want=$1 line=$2 status=0
    shift 2
    "$wine_run" "$root" "$exe" /run "$@" >/dev/null 2>"$prefix/err" || status=$?
    tr -d '\r' <"$prefix/err" >"$prefix/err.txt"
    [ "$status" = "$want" ] || fail "/run $* ended with $status, not $want: $(cat "$prefix/err.txt")"
    if [ -n "$line" ]; then
      LC_ALL=C grep -q "^$(printf '%s' "$line" | sed 's/[][\\.*^$/]/\\&/g')" "$prefix/err.txt" ||
        fail "/run $* said '$(cat "$prefix/err.txt")', not '$line'"
    else
      [ ! -s "$prefix/err.txt" ] || fail "/run $* said '$(cat "$prefix/err.txt")'"
    fi
    hidden "$title" || fail "/run $* showed the window"
  }
  unattended 0 "" /log:System /type:Error /last:5 '/out:C:\reports\today.txt'
  mapfile -t lines <"$out"
  [ "${lines[0]%$'\r'}" = "Zelvo's Event Viewer v01c run on Windows 7 in English" ] &&
    [ "${lines[6]%$'\r'}" = "'System' Log - Error Type" ] && [ "${#lines[@]}" = 8 ] ||
    fail "the report of /run: $(cat "$out")"
  [ "$(ls "$prefix/drive_c/reports")" = today.txt ] || fail "/run left $(ls "$prefix/drive_c/reports")"
  cp "$out" "$prefix/kept"
  unattended 1 "Please check your selections: /last:21: Err... the number of events must be from 1 to 20." \
    /LOG:system /type:error /last:21 '/out:C:\reports\today.txt'
  unattended 1 "Please check the command line: \"/quiet\" is not a switch of this program." /quiet
  unattended 2 "BRASK: Run-time error '3': Writing \"C:\missing\today.txt\": " \
    /log:System /type:Error /last:5 '/out:C:\missing\today.txt'
  unattended 2 "BRASK: Run-time error '75': Writing \"NUL\": \"NUL\" is a device, not a file" \
    /log:System /type:Error /last:5 /out:NUL
  unattended 2 "BRASK: Run-time error '75': Writing \"C:\reports\": \"C:\reports\" is a folder, not a file" \
    /log:System /type:Error /last:5 '/out:C:\reports'
  cmp -s "$out" "$prefix/kept" || fail "a refused or failed /run changed the report"
  [ "$(ls "$prefix/drive_c/reports")" = today.txt ] || fail "a refused /run left $(ls "$prefix/drive_c/reports")"
  # The computer's line: in the report in the ANSI code page (1252: o-umlaut is F6), on
  # standard error in the OEM one (437: 94).
  unattended 3 "BRASK: Computer gh$(printf '\x94')st could not be read: " "$(printf '\\\\gh\xc3\xb6st')" \
    /log:System /type:Error /last:5 '/out:C:\reports\today.txt'
  LC_ALL=C grep -q "^Computer gh$(printf '\xf6')st could not be read: " "$out" ||
    fail "no line for the computer gh(o-umlaut)st: $(cat "$out")"

  echo "/run /? and /run /version: on standard output, else nowhere, never in a box"
  for asked in '/?' /version; do
    status=0
    "$wine_run" "$root" "$exe" /run "$asked" >"$prefix/out" 2>"$prefix/err" || status=$?
    [ "$status" = 0 ] || fail "/run $asked ended with $status"
    [ ! -s "$prefix/err" ] || fail "/run $asked said '$(cat "$prefix/err")' on standard error"
    grep -qE "^(brask |Usage: brask.exe)" "$prefix/out" || fail "/run $asked printed '$(cat "$prefix/out")'"
    # With no standard streams and no console: a box would wait for ever, and Wine end it.
    status=0
    BRASK_WINE_TIMEOUT=30 "$wine_run" "$root" "$exe" /run "$asked" >&- 2>&- || status=$?
    [ "$status" = 0 ] || fail "/run $asked without standard streams ended with $status"
  done
fi

if wanted forwarded; then
  echo "A collector's log asked for without the Event Log API: refused, the program ends with 1"
  "$wine_run" "$root" "$exe" /forwarded &
  brask=$!
  within 60 shown "Please check the command line" || fail "no message titled 'Please check the command line'"
  hidden "$title" || fail "the window opened"
  point_at "Please check the command line"
  keys Return
  within 20 ended "$brask" || fail "OK did not end the program"
  wait "$brask" && status=0 || status=$?
  [ "$status" -eq 1 ] || fail "the program ended with $status, not 1"
fi

format=$("$wine_run" "$root" reg query 'HKCU\Control Panel\International' /v sShortDate | tr -d '\r' | awk '/sShortDate/ {print $3}')
[ "$format" = "$original_format" ] || fail "the short-date format is '$format', not '$original_format' again"
echo "PASS"
