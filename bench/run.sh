#!/usr/bin/env bash
# Times brask_bench against journalctl on a generated journal of 1,000,000 entries, all
# of them in the System log, and measures peak memory. Not part of CI.
#
#   bash bench/run.sh [BUILD_DIR]        (default build/h-linux, with brask_bench built)
#
# The journal: one entry every 3.456 s for 40 days (25,000 a day) ending at today's
# midnight (UTC), written by systemd-journal-remote into one directory (several files).
# Priorities by entry number i: Critical (2) when i % CRIT_EVERY == 500 (default one in
# 1,000, about one an hour), Error (3) when i % 10 == 3 (2,500 a day), Warning (4) when
# i % 10 == 7, Notice (5) when i % 10 == 9, Information (6) otherwise. The date range is
# days 30 to 33 of the 40: exactly 10,000 Error events, ending six days before the newest
# entry.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/h-linux}
bench=$(realpath "$build/bench/brask_bench")
remote=$(command -v systemd-journal-remote || echo /lib/systemd/systemd-journal-remote)
entries=${BRASK_BENCH_ENTRIES:-1000000}
crit_every=${CRIT_EVERY:-1000}
per_day=25000
step_us=3456000

# BRASK_BENCH_WORK=DIR keeps the journal there and reuses it on a later run of the same day.
if [ -n "${BRASK_BENCH_WORK:-}" ]; then
  work=$BRASK_BENCH_WORK
else
  work=$(mktemp -d /tmp/brask-bench.XXXXXX)
  trap 'rm -rf "$work"' EXIT
fi
mkdir -p "$work/journal" "$work/drive"

export TZ=UTC LANG=en_US.UTF-8
unset LC_ALL LC_TIME LC_NUMERIC LC_CTYPE BRASK_WINDOWS_VERSION
export BRASK_JOURNAL_DIR=$work/journal SystemDrive=$work/drive

days=$(( (entries + per_day - 1) / per_day ))
start=$(( $(date -u -d 'today 00:00' +%s) - days * 86400 ))
day() { date -u -d "@$(( start + $1 * 86400 ))" "+$2"; }

generate() {
  echo "Generating $entries entries in $work/journal ..."
  awk -v n="$entries" -v start="$start" -v step="$step_us" -v crit="$crit_every" 'BEGIN {
    split("kernel systemd sshd cron NetworkManager dbus-daemon", names, " ")
    for (i = 0; i < n; i++) {
      d = i % 10
      p = (i % crit == 500) ? 2 : (d == 3) ? 3 : (d == 7) ? 4 : (d == 9) ? 5 : 6
      name = names[i % 6 + 1]
      printf "__REALTIME_TIMESTAMP=%.0f\n__MONOTONIC_TIMESTAMP=%.0f\n", start * 1000000 + i * step, i * step
      printf "_BOOT_ID=6f1c9b1d2a8e4c5fa1b2c3d4e5f60718\n_MACHINE_ID=0123456789abcdef0123456789abcdef\n"
      printf "_HOSTNAME=bench\n_TRANSPORT=syslog\n_UID=0\n_GID=0\n_PID=%d\n_COMM=%s\n", 1000 + i % 5000, name
      printf "_SYSTEMD_UNIT=%s.service\nSYSLOG_FACILITY=3\nSYSLOG_IDENTIFIER=%s\nPRIORITY=%d\n", name, name, p
      printf "MESSAGE=Entry %d of the benchmark journal, priority %d, from %s\n\n", i, p, name
    }
  }' | "$remote" -o "$work/journal/bench.journal" - 2>/dev/null
}
[ -n "$(ls -A "$work/journal")" ] || generate
echo "Journal files: $(ls "$work/journal" | wc -l), $(du -sh "$work/journal" | cut -f1)"

from=$(day 30 %d/%m/%Y); to=$(day 33 %d/%m/%Y)
since=$(day 30 '%Y-%m-%d 00:00:00'); until=$(day 34 '%Y-%m-%d 00:00:00')
whole_from=$(day 0 %d/%m/%Y); whole_to=$(day 3 %d/%m/%Y)

# Both sides must list the same events.
check() {
  "$bench" "$@"
  grep -c '^Log: ' "$SystemDrive/BRASK.txt"
}
echo "Records: latest $(check number 20 System Critical) (journalctl" \
  "$(journalctl --directory "$BRASK_JOURNAL_DIR" -p crit -n 20 -r -q | wc -l));" \
  "range $(check date "$from" "$to" System Error) (journalctl" \
  "$(journalctl --directory "$BRASK_JOURNAL_DIR" -p err..err --since "$since" --until "$until" -r -q | wc -l))"

hyperfine -N --warmup 3 --runs 20 --export-markdown "$work/latest.md" \
  -n "brask_bench number 20 System Critical" "$bench number 20 System Critical" \
  -n "journalctl -p crit -n 20 -r" "journalctl --directory $BRASK_JOURNAL_DIR -p crit -n 20 -r"
hyperfine -N --warmup 2 --runs 10 --export-markdown "$work/range.md" \
  -n "brask_bench date $from $to System Error" "$bench date $from $to System Error" \
  -n "journalctl -p err..err --since --until -r" \
  "journalctl --directory $BRASK_JOURNAL_DIR -p err..err --since '$since' --until '$until' -r"
cat "$work/latest.md" "$work/range.md"

peak() { /usr/bin/time -f '%M' "$@" 2>&1 >/dev/null | tail -1; }
echo "Peak memory (maximum resident set, KiB):"
echo "  brask_bench latest 20 Critical:       $(peak "$bench" number 20 System Critical)"
echo "  brask_bench range of 10,000 Error:    $(peak "$bench" date "$from" "$to" System Error)"
echo "  brask_bench walking the whole journal: $(peak "$bench" date "$whole_from" "$whole_to" System Error)"
echo "  journalctl latest 20 Critical:        $(peak journalctl --directory "$BRASK_JOURNAL_DIR" -p crit -n 20 -r)"
echo "  journalctl range of 10,000 Error:     $(peak journalctl --directory "$BRASK_JOURNAL_DIR" -p err..err --since "$since" --until "$until" -r)"
