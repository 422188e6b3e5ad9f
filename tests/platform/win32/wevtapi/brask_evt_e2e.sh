#!/usr/bin/env bash
# brask.exe reading the event logs through the Event Log API, under Wine and Xvfb: the test
# double of wevtapi.dll in the prefix's system directory, and a copy of it beside the
# program, as a web page may leave one in a Downloads folder. A Number-mode and a Date-mode
# run, made with the keyboard, each write the report that the double's events give, byte
# for byte past the time of the run; the double delivers no section more than its events
# and one batch of EvtNext; the DLL beside the program is never loaded. Under a German
# locale, with messages in English alone, the Number-mode run lists the same messages. With
# Wine's own wevtapi.dll, a stub, the run reads WMI and writes the header and the banners.
# Three computers named on the command line: srv01, which the double serves with the same
# events through a session of its own, writes the Number-mode sections; old-xp, Windows XP,
# which does not serve the API's remote protocol, is read through WMI, which Wine's refuses
# for any other computer; gone is out of reach. Each has its block, in the order named.
# With a bookmark, as a scheduled task runs it (/run): this computer's System log, then
# srv01's, each read twice, with new events written between: the second reports list only
# those, after the header's line that says since when, srv01's after the line of a log
# cleared, its record numbers begun anew; the bookmark holds a line for each, `.` for this
# computer.
#
# The cases, number, date, computers, bookmark, german and wine-stub, may be chosen with
# BRASK_WINDOW_CASES.
#
# Usage: brask_evt_e2e.sh WINE_RUN PREFIX_ROOT BRASK_EXE DOUBLE_DLL
# (the toolchain's emulator, then the program; BRASK_WINE_PREFIX names the Wine prefixes)
set -euo pipefail

# shellcheck source=../window_waits.sh
source "$(dirname "$0")/../window_waits.sh"
own_display "$@"

wine_run=$1
root=$2
exe=$3
double=$4
name=${BRASK_WINE_PREFIX:-evt-e2e}
title="BRASK - Zelvo's Event Viewer"
batch=16  # EvtNext's batch

type_text() { xdotool type --delay 60 "$1"; }
prefixes=()
trap 'for p in "${prefixes[@]}"; do WINEPREFIX=$p wineserver -k 2>/dev/null || true; done' EXIT

# use_prefix NAME: the runs that follow use that prefix, under BRASK_WINE_LOCALE as they
# do, Windows 10 there, the program and the double in its Downloads folder.
use_prefix() {
  export BRASK_WINE_PREFIX=$1
  prefix=$root/$1
  prefixes+=("$prefix")
  "$wine_run" "$root" reg add 'HKCU\Software\Wine' /v Version /d win10 /f >/dev/null
  mkdir -p "$prefix/drive_c/evt" "$prefix/drive_c/Downloads"
  cp "$exe" "$prefix/drive_c/Downloads/brask.exe"
  cp "$double" "$prefix/drive_c/Downloads/wevtapi.dll"
  report=$prefix/drive_c/BRASK.txt
}

export TZ=UTC BRASK_WINE_SYSTEM_DLLS=$double
export BRASK_EVT_DOUBLE_EVENTS='C:\evt\events.txt' BRASK_EVT_DOUBLE_LOG='C:\evt\log.txt'
use_prefix "$name"

# Days before today (UTC): the date as the double reads it, and as the report prints it.
day() { date -u -d "today - $1 days" +%F; }
shown_day() { date -u -d "today - $1 days" +%d/%m/%Y; }

# The events, oldest first: in each log a long run of Information events before the rest.
{
  for i in $(seq 0 199); do
    printf 'channel=Application\ttime=%sT%02d:%02d:00Z\tlevel=4\tid=%d\tprovider=Filler\tmessage=Filler event %d.\n' \
      "$(day 20)" $((i / 60)) $((i % 60)) "$i" "$i"
  done
  printf 'channel=Application\ttime=%sT10:00:00Z\tlevel=2\tid=1000\ttask=100\tprovider=Application Error\tmessage=Faulting application name: x.exe\\r\\nFaulting module: y.dll\n' "$(day 5)"
  printf 'channel=Application\ttime=%sT11:30:15Z\tlevel=3\tid=1530\tprovider=Microsoft-Windows-User Profiles Service\tmessage=Registry file in use.\n' "$(day 4)"
  printf 'channel=Application\ttime=%sT12:00:00Z\tlevel=4\tid=1\tprovider=Wow\tsource=Wow Source\tmessage~=Disk %%1 is full\tstring=C:\n' "$(day 3)"
  printf 'channel=Application\ttime=%sT13:00:00Z\tlevel=0\tkeywords=0x8020000000000000\tid=4624\tprovider=Auditor\tmessage=Logged on.\n' "$(day 3)"
  printf 'channel=Application\ttime=%sT09:15:00Z\tlevel=2\tid=1001\tprovider=Windows Error Reporting\tmessage=Fault bucket 0\n' "$(day 1)"
  for i in $(seq 0 99); do
    printf 'channel=System\ttime=%sT%02d:%02d:00Z\tlevel=4\tid=%d\tprovider=Filler\tmessage=Filler event %d.\n' \
      "$(day 15)" $((i / 60)) $((i % 60)) "$i" "$i"
  done
  printf '!publisher\tService Control Manager\t15002\n'
  printf 'channel=System\ttime=%sT07:00:00Z\tlevel=2\tid=u32:3221232472\tprovider=Service Control Manager\tsource=Service Control Manager\tstring=Spooler\tstring=%%%%2\n' "$(day 10)"
  printf 'channel=System\ttime=%sT08:00:00Z\tlevel=1\tid=41\ttask=63\tprovider=Microsoft-Windows-Kernel-Power\tmessage=The system has rebooted without cleanly shutting down first.\n' "$(day 6)"
  printf 'channel=System\ttime=%sT00:00:00Z\tlevel=3\tid=129\tprovider=storahci\tstring=\\\\Device\\\\RaidPort0\n' "$(day 2)"
  printf 'channel=System\ttime=%sT06:45:00Z\tlevel=1\tid=41\ttask=63\tprovider=Microsoft-Windows-Kernel-Power\tmessage=The system has rebooted without cleanly shutting down first.\n' "$(day 1)"
  printf 'channel=System\ttime=%sT12:00:00Z\tlevel=4\tid=6013\tprovider=EventLog\tmessage=The system uptime is 100 seconds.\n' "$(day 1)"
} > "$prefix/drive_c/evt/events.txt"

rule="~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~"
# banner LOG TYPE, record LOG DAYS TIME TYPE CATEGORY EVENT SOURCE MESSAGE: report lines.
banner() { printf '%s\r\n%s Log - %s Type\r\n%s\r\n' "$rule" "$1" "$2" "$rule"; }
record() {
  printf 'Log: %s Date/Time: %s %s\r\nType: %s Category: %s\r\nEvent: %s Source: %s\r\n%s\r\n\r\n' \
    "$1" "$(shown_day "$2")" "$3" "$4" "$5" "$6" "$7" "$8"
}
header() {
  printf "Zelvo's Event Viewer v01c run on Windows 7 in English\r\n\r\n"
  printf 'Note: All dates below are in the format dd/mm/yyyy\r\n\r\n'
}
filler() { record "$1" "$2" "$3" Information "" "$4" Filler "Filler event $4."; }
reboot="The system has rebooted without cleanly shutting down first."
equals="=================================="
computer() { printf '%s\r\nComputer: %s\r\n%s\r\n' "$equals" "$1" "$equals"; }

expected_number=$(
  header
  a="'Application'" s="'System'"
  banner "$a" Critical
  banner "$a" Error
  record "$a" 1 "9:15:00 AM" Error "" 1001 "Windows Error Reporting" "Fault bucket 0"
  record "$a" 5 "10:00:00 AM" Error 100 1000 "Application Error" \
    "Faulting application name: x.exe Faulting module: y.dll"
  banner "$a" Information
  record "$a" 3 "12:00:00 PM" Information "" 1 "Wow Source" "Disk %1 is full"
  filler "$a" 20 "3:19:00 AM" 199
  filler "$a" 20 "3:18:00 AM" 198
  banner "$a" Warning
  record "$a" 4 "11:30:15 AM" Warning "" 1530 "Microsoft-Windows-User Profiles Service" \
    "Registry file in use."
  banner "$s" Critical
  record "$s" 1 "6:45:00 AM" Critical 63 41 "Microsoft-Windows-Kernel-Power" "$reboot"
  record "$s" 6 "8:00:00 AM" Critical 63 41 "Microsoft-Windows-Kernel-Power" "$reboot"
  banner "$s" Error
  record "$s" 10 "7:00:00 AM" Error "" 7000 "Service Control Manager" "Spooler %%2"
  banner "$s" Information
  record "$s" 1 "12:00:00 PM" Information "" 6013 EventLog "The system uptime is 100 seconds."
  filler "$s" 15 "1:39:00 AM" 99
  filler "$s" 15 "1:38:00 AM" 98
  banner "$s" Warning
  record "$s" 2 "12:00:00 AM" Warning "" 129 storahci '\Device\RaidPort0'
  echo .
)
expected_date=$(
  header
  a="'Application' " s="'System' "
  none() { printf 'No %slog %s events found from %s to %s\r\n\r\n' "$1" "$2" "$(shown_day 7)" "$(shown_day 2)"; }
  banner "$a" Critical
  banner "$a" Error
  record "$a" 5 "10:00:00 AM" Error 100 1000 "Application Error" \
    "Faulting application name: x.exe Faulting module: y.dll"
  banner "$a" Information
  record "$a" 3 "12:00:00 PM" Information "" 1 "Wow Source" "Disk %1 is full"
  banner "$a" Warning
  record "$a" 4 "11:30:15 AM" Warning "" 1530 "Microsoft-Windows-User Profiles Service" \
    "Registry file in use."
  banner "$s" Critical
  record "$s" 6 "8:00:00 AM" Critical 63 41 "Microsoft-Windows-Kernel-Power" "$reboot"
  banner "$s" Error
  none "$s" Error
  banner "$s" Information
  none "$s" Information
  banner "$s" Warning
  record "$s" 2 "12:00:00 AM" Warning "" 129 storahci '\Device\RaidPort0'
  echo .
)

# report_of NAME KEYS [ARGUMENTS...]: one run from the keyboard, of brask.exe started with
# the arguments, its window captioned `caption`; its report, past the time of the run, in
# `actual`.
caption=$title
report_of() {
  local name=$1 drive=$2
  rm -f "$report" "$prefix/drive_c/evt/log.txt"
  (cd "$prefix/drive_c/Downloads" && "$wine_run" "$root" 'C:\Downloads\brask.exe' "${@:3}") &
  local brask=$!
  within 60 shown "$caption" || fail "$name: the window did not appear"
  point_at "$caption" 5 5
  "$drive"
  within 60 ended "$brask" || fail "$name: the run did not end the program"
  [ -e "$report" ] || fail "$name: no report"
  actual=$(grep -v '^Report run at ' "$report"; echo .)
}

# same NAME EXPECTED ACTUAL: fails where the two differ.
same() {
  [ "$3" = "$2" ] || fail "$1: the report differs: $(diff <(echo "$2") <(echo "$3") | head -20)"
}

# run NAME EXPECTED LIMIT KEYS: one run from the keyboard, its report compared with the
# expected one, and each query's deliveries shown and held to the limit.
run() {
  local name=$1 expected=$2 limit=$3 drive=$4
  report_of "$name" "$drive"
  same "$name" "$expected" "$actual"
  # Each query's events, counted from the double's log: its lines "query", "next [@NAME] N".
  awk -v limit="$limit" -v name="$name" '
    /^query / { if (q) print q ": " n; q = substr($0, 7); n = 0 }
    /^next / { n += $NF; if (n > limit) { print name ": " q " delivered " n > "/dev/stderr"; bad = 1 } }
    END { if (q) print q ": " n; exit bad }' "$prefix/drive_c/evt/log.txt" ||
    fail "$name: a query delivered more than its events and one batch"
  ! grep '^loaded ' "$prefix/drive_c/evt/log.txt" | grep -iv 'windows\\sys' ||
    fail "$name: a wevtapi.dll outside the system directory was loaded"
  grep -q '^loaded ' "$prefix/drive_c/evt/log.txt" || fail "$name: the system's wevtapi.dll was not loaded"
}

checks() { keys space Tab space Tab space Tab space Tab space Tab space Tab; }  # both logs, every type
number_mode() {
  checks
  keys space Tab                                   # optNumber, then txtNumber
  type_text 3
  keys Tab Tab Tab Tab Tab Tab Tab space           # past the date fields (optDate is no stop
                                                   # now that optNumber is chosen) to cmdRun
}
date_mode() {
  checks
  keys Tab Tab space                               # past txtNumber to optDate
  for field in "$(date -u -d 'today - 7 days' +%d)" "$(date -u -d 'today - 7 days' +%m)" \
    "$(date -u -d 'today - 7 days' +%Y)" "$(date -u -d 'today - 2 days' +%d)" \
    "$(date -u -d 'today - 2 days' +%m)" "$(date -u -d 'today - 2 days' +%Y)"; do
    keys Tab
    type_text "$field"
  done
  keys Tab space                                   # cmdRun
}

if wanted number; then
  echo "Number mode, 3 events: deliveries per query"
  run "number mode" "$expected_number" $((3 + batch)) number_mode
fi
if wanted date; then
  echo "Date mode, $(shown_day 7) to $(shown_day 2): deliveries per query"
  run "date mode" "$expected_date" 1000 date_mode
fi

if wanted computers; then
  echo "Three computers: srv01 served, old-xp through WMI, gone out of reach"
  events=$prefix/drive_c/evt/events.txt
  cp "$events" "$events.local"
  { printf '!computer\tsrv01\tC:\\evt\\events.txt\n!computer\told-xp\t1753\n'; cat "$events.local"; } >"$events"
  caption="$title - srv01, old-xp and 1 more"
  report_of "three computers" number_mode '\\srv01' old-xp gone
  caption=$title
  mv "$events.local" "$events"
  # The system's text for each code, whatever Wine's is, as TEXT.
  actual=$(sed -E 's/^(Computer [^ ]+ could not be read: ).+( \(error [0-9A-Fx]+\)\.)/\1TEXT\2/' <<<"$actual")
  same "three computers" "$(
    header
    computer srv01
    sed -n '/^~/,$p' <<<"$expected_number" | sed '$d'
    computer old-xp
    # WMI's WBEM_E_TRANSPORT_FAILURE: Wine's WMI reaches no other computer.
    printf 'Computer old-xp could not be read: TEXT (error 0x80041015).\r\n\r\n'
    computer gone
    printf 'Computer gone could not be read: TEXT (error 1722). Check that the computer is on and that its firewall allows "Remote Event Log Management".\r\n\r\n'
    echo .
  )" "$actual"
  for computer in srv01 old-xp gone; do
    [ "$(grep -c "^session $computer\$" "$prefix/drive_c/evt/log.txt")" -eq 1 ] ||
      fail "three computers: not one session on $computer"
  done
  ! grep -q '^query [A-Z]' "$prefix/drive_c/evt/log.txt" || fail "three computers: this computer's logs were read"
fi

if wanted bookmark; then
  echo "/run with a bookmark, twice over this computer and srv01, new events written between"
  rm -rf "$prefix/drive_c/reports"
  mkdir "$prefix/drive_c/reports"
  bookmark=$prefix/drive_c/reports/bookmark.txt
  # event RECORD DAYS LEVEL ID PROVIDER MESSAGE: a System event at 08:00 UTC that many days ago.
  event() {
    printf 'channel=System\ttime=%sT08:00:00Z\tlevel=%d\tid=%d\trecord=%d\tprovider=%s\tmessage=%s\n' \
      "$(day "$2")" "$3" "$4" "$1" "$5" "$6"
  }
  disk() { record "'System'" "$1" "8:00:00 AM" Error "" 11 disk "$2"; }
  uptime="The system uptime is 100 seconds."
  { printf '!computer\tsrv01\tC:\\evt\\srv01.txt\n'
    event 4001 3 2 11 disk "Error 1 here."
    event 4002 2 2 11 disk "Error 2 here."
    event 4003 2 4 6013 EventLog "$uptime"; } >"$prefix/drive_c/evt/marked.txt"
  { event 1801 3 2 11 disk "Error 1 on srv01."
    event 1802 2 2 11 disk "Error 2 on srv01."
    event 1803 2 4 6013 EventLog "$uptime"; } >"$prefix/drive_c/evt/srv01.txt"

  # marked [COMPUTER]: brask.exe /run of the System log's 5 newest errors, with the
  # bookmark, of this computer or the one named; its report past the time of the run in
  # `actual`.
  marked() {
    local status=0
    rm -f "$prefix/drive_c/evt/log.txt"
    (cd "$prefix/drive_c/Downloads" && BRASK_EVT_DOUBLE_EVENTS='C:\evt\marked.txt' "$wine_run" "$root" \
      'C:\Downloads\brask.exe' /run "$@" /log:System /type:Error /last:5 '/out:C:\reports\today.txt' \
      '/bookmark:C:\reports\bookmark.txt') >/dev/null 2>"$prefix/err" || status=$?
    [ "$status" = 0 ] || fail "bookmark: /run $* ended with $status: $(cat "$prefix/err")"
    actual=$(grep -v '^Report run at ' "$prefix/drive_c/reports/today.txt"; echo .)
  }
  # The bookmark, each line's time as WRITTEN where it is an ISO 8601 UTC time.
  lines() { sed -E $'s/\t[0-9]{4}-[0-9]{2}-[0-9]{2}T[0-9]{2}:[0-9]{2}:[0-9]{2}Z\r$/\tWRITTEN\r/' "$bookmark"; }
  # holds COMPUTER POSITION...: the bookmark's lines, in that order, of the System log.
  holds() {
    [ "$(lines)" = "$(printf 'brask bookmark 1\r\n'; printf '%s\tSystem\t%s\tWRITTEN\r\n' "$@")" ] ||
      fail "bookmark: not the lines of $*: $(cat -A "$bookmark")"
  }
  line() { awk -F '\t' -v computer="$1" '$1 == computer' "$bookmark"; }
  # since COMPUTER: the header's line, of when the bookmark's line of the computer was written.
  since() {
    local written
    written=$(line "$1" | cut -f 4 | tr -d '\r')
    printf 'Only events new since the run of %s are listed.\r\n\r\n' \
      "$(date -u -d "$written" '+%d/%m/%Y %-I:%M:%S %p')"
  }

  marked
  same "bookmark, this computer's first run" "$(header; banner "'System'" Error
    disk 2 "Error 2 here."; disk 3 "Error 1 here."; echo .)" "$actual"
  holds . 4003
  marked '\\srv01'
  same "bookmark, srv01's first run" "$(header; computer srv01; banner "'System'" Error
    disk 2 "Error 2 on srv01."; disk 3 "Error 1 on srv01."; echo .)" "$actual"
  holds . 4003 srv01 1803

  event 4004 1 2 11 disk "Error 4 here." >>"$prefix/drive_c/evt/marked.txt"
  event 4005 1 4 6013 EventLog "$uptime" >>"$prefix/drive_c/evt/marked.txt"
  { event 1 1 4 104 Microsoft-Windows-Eventlog "The System log file was cleared."
    event 2 1 2 11 disk "Error 3 on srv01."; } >"$prefix/drive_c/evt/srv01.txt"
  expected=$(header; since .; banner "'System'" Error; disk 1 "Error 4 here."; echo .)
  marked
  same "bookmark, this computer's second run" "$expected" "$actual"
  grep -q '^query System .*EventRecordID>4003' "$prefix/drive_c/evt/log.txt" ||
    fail "bookmark: the second run asked for more than the new events: $(grep '^query' "$prefix/drive_c/evt/log.txt")"
  holds . 4005 srv01 1803
  kept=$(line .)
  expected=$(header; since srv01; computer srv01
    printf 'The System log was cleared after the last run: all its events are considered new.\r\n\r\n'
    banner "'System'" Error; disk 1 "Error 3 on srv01."; echo .)
  marked '\\srv01'
  same "bookmark, srv01's second run" "$expected" "$actual"
  holds . 4005 srv01 2
  [ "$(line .)" = "$kept" ] || fail "bookmark: srv01's run changed this computer's line: $(line .)"
  [ "$(ls "$prefix/drive_c/reports" | paste -sd ' ' -)" = "bookmark.txt today.txt" ] ||
    fail "bookmark: the runs left $(ls "$prefix/drive_c/reports")"
fi

# Each record's message: the line after its "Event:" line.
messages() { awk '/^Event: / { getline; print }' <<<"$1"; }
if wanted german; then
  echo "German locale, messages in English alone"
  events=$prefix/drive_c/evt/events.txt
  export BRASK_WINE_LOCALE=de_DE.UTF-8
  use_prefix "$name-de"
  { printf '!languages\t1033\n'; cat "$events"; } >"$prefix/drive_c/evt/events.txt"
  report_of "German number mode" number_mode
  same "German number mode: the messages" "$(messages "$expected_number")" "$(messages "$actual")"
  grep -q '^open .* 1031$' "$prefix/drive_c/evt/log.txt" ||
    fail "German number mode: no message was asked for in German first"
fi

if wanted wine-stub; then
  echo "Wine's own wevtapi.dll: WMI's empty logs"
  unset BRASK_WINE_SYSTEM_DLLS BRASK_WINE_LOCALE
  use_prefix "$name-wine"
  rm "$prefix/drive_c/Downloads/wevtapi.dll"
  report_of "Wine's stub" number_mode
  same "Wine's stub" "$(header; for log in "'Application'" "'System'"; do
    for type in Critical Error Information Warning; do banner "$log" "$type"; done
  done; echo .)" "$actual"
fi
echo "PASS"
