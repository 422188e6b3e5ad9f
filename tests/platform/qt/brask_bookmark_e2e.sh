#!/usr/bin/env bash
# End to end, as a scheduled task runs it: the real brask --run with --bookmark, four times
# over a journal folder that gains entries between the runs, with a file of the last run's
# entries removed before the fourth; and a bookmark that is not in its form refused. The
# bookmark lies beside the report, so that one folder's lock is taken twice by one run.
#   brask_bookmark_e2e.sh <brask executable>
set -euo pipefail

brask=$(realpath "$1")
source "$(dirname "$0")/e2e_common.sh"
mkdir -p "$work/journal" "$work/reports"
report="$work/reports/today.txt"
bookmark="$work/reports/bookmark"

# journal NAME FIRST LAST: System errors FIRST to LAST of the machine ws1 into NAME.journal,
# entry i at 08:00 UTC plus i minutes on 10 January of last year, its message "error i".
start=$(date -u -d "$year-01-10 08:00:00" +%s)
journal() {
  local name=$1 first=$2 last=$3 i
  for ((i = first; i <= last; i++)); do
    echo "__REALTIME_TIMESTAMP=$(((start + i * 60) * 1000000))"
    printf '%s\n' _HOSTNAME=ws1 _UID=0 PRIORITY=3 SYSLOG_IDENTIFIER=disk "MESSAGE=error $i" ""
  done > "$work/entries.export"
  write_journal "$work/entries.export" "$work/journal/$name.journal"
}

export LANG=en_US.UTF-8 TZ=UTC
unset LC_ALL LC_TIME LC_CTYPE LC_NUMERIC BRASK_WINDOWS_VERSION BRASK_JOURNAL_DIR BRASK_EVTX_DIR

# run EXPECTED_STATUS [EXPECTED_STDERR_LINE]: one scheduled run, the 5 newest System errors.
run() {
  unattended "$1" "${2:-}" --journal-dir "$work/journal" --log System --type Error --last 5 --out "$report" \
    --bookmark "$bookmark"
}
# The errors listed, and the lines a bookmark adds to the report, without their times.
listed() {
  tr -d '\r' < "$report" | sed -n -e 's/^error //p' -e 's/^\(Only events new since the run of\) .*/\1 .../p' \
    -e '/^The System log was cleared/p' -e '/^Some events of the System log were overwritten/p' | paste -sd ' ' -
}

journal a 1 10
run 0
[ "$(listed)" = "10 9 8 7 6" ] || fail "the first run listed '$(listed)', not as without a bookmark"
[ "$(head -n 1 "$bookmark")" = $'brask bookmark 1\r' ] || fail "the bookmark starts '$(head -n 1 "$bookmark")'"
grep -Eq $'^\\.\tSystem\ts=[0-9a-f]+;i=[0-9a-f]+;b=[0-9a-f]+;m=[0-9a-f]+;t=[0-9a-f]+;x=[0-9a-f]+\t[0-9]{4}-[0-9]{2}-[0-9]{2}T[0-9]{2}:[0-9]{2}:[0-9]{2}Z\r$' "$bookmark" ||
  fail "the bookmark holds no cursor of this computer's System log: $(cat -A "$bookmark")"
[ "$(grep -c . "$bookmark")" = 2 ] || fail "the bookmark has other lines: $(cat "$bookmark")"

journal b 11 13
run 0
[ "$(listed)" = "Only events new since the run of ... 13 12 11" ] || fail "the second run listed '$(listed)'"
grep -Eq '^Only events new since the run of [0-9]{2}/[0-9]{2}/[0-9]{4} [0-9]{1,2}:[0-9]{2}:[0-9]{2}' "$report" ||
  fail "the second report's header: $(grep '^Only' "$report")"

run 0
[ "$(listed)" = "Only events new since the run of ..." ] || fail "the run without new entries listed '$(listed)'"

# The file that holds the last run's newest entry goes, as journald's vacuum does it.
journal c 14 15
rm "$work/journal/b.journal"
run 0
[ "$(listed)" = "Only events new since the run of ... Some events of the System log were overwritten before this run: the log is too small for the time between runs. 15 14" ] ||
  fail "the run after the vacuum listed '$(listed)'"

# A bookmark edited by hand: refused before anything is read, and left as it was.
printf 'brask bookmark 1\r\n.\tSystem\n' > "$bookmark"
cp "$report" "$work/kept"
run 1 "BRASK: The bookmark \"$bookmark\" is not one that this program reads: line 2: it has 2 fields, where a line \
has four, COMPUTER, LOG, POSITION and WRITTEN, separated by tabs. Remove it to start again: the next run then lists \
events as it would without a bookmark, and writes it anew."
cmp -s "$report" "$work/kept" || fail "a refused run changed the report"
[ "$(cat "$bookmark")" = "$(printf 'brask bookmark 1\r\n.\tSystem')" ] || fail "a refused run changed the bookmark"
[ "$(ls "$work/reports" | paste -sd ' ' -)" = "bookmark today.txt" ] ||
  fail "the runs left $(ls "$work/reports") beside the report and the bookmark"

[ "$failures" = 0 ] || exit 1
echo "bookmark end to end: all passed"
