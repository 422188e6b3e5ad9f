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
# i % 10 == 7, Notice (5) when i % 10 == 9, Information (6) otherwise. Two date ranges of
# four days hold exactly 10,000 Error events each: the last four days (36 to 39), and
# days 30 to 33, which end six days before the newest entry, so that the listing walks
# 250,000 entries to reach their start.
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

whole_from=$(day 0 %d/%m/%Y); whole_to=$(day 3 %d/%m/%Y)
latest=(number 20 System Critical)
journalctl_latest=(journalctl --directory "$BRASK_JOURNAL_DIR" -p crit -n 20 -r)
# range FIRST_DAY: the brask_bench and journalctl arguments of the four days from FIRST_DAY.
range() {
  brask_range=(date "$(day "$1" %d/%m/%Y)" "$(day $(($1 + 3)) %d/%m/%Y)" System Error)
  journalctl_range=(journalctl --directory "$BRASK_JOURNAL_DIR" -p err..err
    --since "$(day "$1" '%Y-%m-%d 00:00:00')" --until "$(day $(($1 + 4)) '%Y-%m-%d 00:00:00')" -r)
}

# Both sides must list the same events.
records() { "$bench" "$@" && grep -c '^Log: ' "$SystemDrive/BRASK.txt"; }
echo "Records: latest $(records "${latest[@]}"), journalctl $("${journalctl_latest[@]}" -q | wc -l)"
for first in 36 30; do
  range "$first"
  echo "Records: ${brask_range[*]}: $(records "${brask_range[@]}"), journalctl $("${journalctl_range[@]}" -q | wc -l)"
done

quoted() { printf '%q ' "$@"; }
hyperfine -N --warmup 3 --runs 30 --export-markdown "$work/latest.md" \
  -n "brask_bench ${latest[*]}" "$(quoted "$bench" "${latest[@]}")" \
  -n "journalctl -p crit -n 20 -r" "$(quoted "${journalctl_latest[@]}")"
for first in 36 30; do
  range "$first"
  hyperfine -N --warmup 2 --runs 15 --export-markdown "$work/range-$first.md" \
    -n "brask_bench ${brask_range[*]}" "$(quoted "$bench" "${brask_range[@]}")" \
    -n "journalctl -p err..err --since day $first --until day $((first + 4)) -r" "$(quoted "${journalctl_range[@]}")"
done
cat "$work/latest.md" "$work/range-36.md" "$work/range-30.md"

peak() { /usr/bin/time -f '%M' "$@" 2>&1 >/dev/null | tail -1; }
echo "Peak memory (maximum resident set, KiB):"
range 30
echo "  brask_bench latest 20 Critical:         $(peak "$bench" "${latest[@]}")"
echo "  brask_bench 10,000 Error, days 30-33:   $(peak "$bench" "${brask_range[@]}")"
echo "  brask_bench walking the whole journal:  $(peak "$bench" date "$whole_from" "$whole_to" System Error)"
echo "  journalctl latest 20 Critical:          $(peak "${journalctl_latest[@]}")"
echo "  journalctl 10,000 Error, days 30-33:    $(peak "${journalctl_range[@]}")"
uptime
