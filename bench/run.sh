#!/usr/bin/env bash
# Times brask_bench against journalctl on generated journals, each pair in one hyperfine
# run listing the same records, and measures peak memory. Not part of CI.
#
#   bash bench/run.sh [BUILD_DIR]        (default build/linux, with brask_bench built)
#
# The journals: one entry every 3.456 s (25,000 a day) ending at today's midnight (UTC),
# written by systemd-journal-remote into one directory each (several files):
#   common  1,000,000 entries over 40 days;
#   rare    the same with a single Critical entry in each log;
#   large   5,000,000 entries over 200 days;
#   damaged the files of common, its newest file replaced by a copy whose field hash table
#           is overwritten, as a crash can leave it.
# Entry i is an Application entry (_UID=1000) when i % 5 == 0, else a System entry
# (_UID=0). Its priority, by d = i % 10 (System) or (i / 5) % 10 (Application): Critical
# (2) when i % crit == 500 (Application) or 501 (System), one entry in 1,000 in each log
# (crit 1,000) or one in the whole journal (crit 100,000,000); else Error (3) when d == 3
# (2,500 System errors a day), Warning (4) when d == 7, Notice (5) when d == 9,
# Information (6) otherwise. Two date ranges of four days hold exactly 10,000 System
# errors each: the last four days (36 to 39), and days 30 to 33, which end six days before
# the newest entry. journalctl is given _UID=0 where it would otherwise list both logs.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/linux}
bench=$(realpath "$build/bench/brask_bench")
per_day=25000
step_us=3456000

source bench/journal_bench.sh
bench_work brask-bench
mkdir -p "$work/drive"
export SystemDrive=$work/drive

# generate DIR ENTRIES CRIT_EVERY: the journal of ENTRIES entries ending today, once a day.
generate() {
  local dir=$1 entries=$2 crit=$3
  local stamp="$dir/.made-$(date -u +%F)"
  [ -f "$stamp" ] && return
  rm -rf "$dir" && mkdir -p "$dir"
  echo "Generating $entries entries in $dir ..."
  local days=$(( (entries + per_day - 1) / per_day ))
  awk -v n="$entries" -v start=$(( today - days * 86400 )) -v step="$step_us" -v crit="$crit" "$bench_entry"'
  BEGIN {
    for (i = 0; i < n; i++) {
      d = i % 5 == 0 ? int(i / 5) % 10 : i % 10
      entry(i, (i % crit == 500 || i % crit == 501) ? 2 : (d == 3) ? 3 : (d == 7) ? 4 : (d == 9) ? 5 : 6, start, step)
    }
  }' | "$remote" -o "$dir/bench.journal" - 2>/dev/null
  touch "$stamp"
}
common=$work/common rare=$work/rare large=$work/large
generate "$common" 1000000 1000
generate "$rare" 1000000 100000000
generate "$large" 5000000 1000
# The damaged journal: links to common's files, and a damaged copy of its newest file.
damaged=$work/damaged
rm -rf "$damaged" && mkdir -p "$damaged"
newest=$(ls -t "$common"/*.journal | head -1)
for file in "$common"/*.journal; do
  [ "$file" = "$newest" ] || ln -s "$file" "$damaged/"
done
python3 - "$newest" "$damaged/$(basename "$newest")" <<'PY'
import struct, sys
data = bytearray(open(sys.argv[1], 'rb').read())
offset, size = struct.unpack_from('<2Q', data, 120)  # the field hash table
data[offset:offset + size] = bytes((0xAB + 7 * i) & 0xFF for i in range(size))
open(sys.argv[2], 'wb').write(data)
PY
for dir in "$common" "$rare" "$large" "$damaged"; do
  echo "$(basename "$dir"): $(ls "$dir"/*.journal | wc -l) files, $(du -sh "$dir" | cut -f1)"
done

day() { date -u -d "@$(( today - (40 - $1) * 86400 ))" "+$2"; }
# on DIR COMMAND...: the command with BRASK_JOURNAL_DIR set to DIR, as one hyperfine text.
on() { local dir=$1; shift; quoted env "BRASK_JOURNAL_DIR=$dir" "$@"; }
# records DIR ARGS...: the records of one brask_bench run.
records() { env "BRASK_JOURNAL_DIR=$1" "$bench" "${@:2}" && grep -c '^Log: ' "$SystemDrive/BRASK.txt"; }
# compare NAME BRASK_ARGS -- JOURNALCTL_ARGS: both list the same records, then one hyperfine run.
compare() {
  local name=$1 dir=$2; shift 2
  local brask_args=() journalctl_args=()
  while [ "$1" != -- ]; do brask_args+=("$1"); shift; done
  shift
  journalctl_args=("$@")
  local ours theirs
  ours=$(records "$dir" "${brask_args[@]}")
  theirs=$(journalctl --directory "$dir" -q "${journalctl_args[@]}" | wc -l)
  echo "== $name: brask_bench ${brask_args[*]}: $ours records; journalctl ${journalctl_args[*]}: $theirs"
  [ "$ours" = "$theirs" ] || { echo "the two list different records" >&2; exit 1; }
  hyperfine -N --warmup 3 --runs "${RUNS:-30}" --export-markdown "$work/$name.md" \
    -n "brask_bench ${brask_args[*]}" "$(on "$dir" "$bench" "${brask_args[@]}")" \
    -n "journalctl ${journalctl_args[*]}" "$(quoted journalctl --directory "$dir" "${journalctl_args[@]}")"
}

compare latest-common "$common" number 20 System Critical -- _UID=0 -p crit -n 20 -r
compare latest-rare "$rare" number 20 System Critical -- _UID=0 -p crit -n 20 -r
for first in 36 30; do
  RUNS=15 compare "range-$first" "$common" \
    date "$(day "$first" %d/%m/%Y)" "$(day $((first + 3)) %d/%m/%Y)" System Error -- \
    _UID=0 -p err..err --since "$(day "$first" '%Y-%m-%d 00:00:00')" \
    --until "$(day $((first + 4)) '%Y-%m-%d 00:00:00')" -r
done

# A whole report, both logs and all four types, on 1 M and on 5 M entries.
report=(number 20 Application System Critical Error Information Warning)
echo "== whole report: $(records "$common" "${report[@]}") records on 1 M, $(records "$large" "${report[@]}") on 5 M"
hyperfine -N --warmup 3 --runs 30 --export-markdown "$work/report.md" \
  -n "whole report, 1 M entries" "$(on "$common" "$bench" "${report[@]}")" \
  -n "whole report, 5 M entries" "$(on "$large" "$bench" "${report[@]}")"

# The whole report on the damaged journal against journalctl listing the same records: the
# 20 newest of each type of each log, in eight runs.
journalctl_report=""
for uid in 1000 0; do
  for priorities in crit err..err notice..debug warning..warning; do
    journalctl_report+="journalctl --directory $(printf %q "$damaged") -q _UID=$uid -p $priorities -n 20 -r; "
  done
done
theirs=$(bash -c "$journalctl_report" | wc -l)
ours=$(records "$damaged" "${report[@]}")
echo "== whole report, damaged: brask_bench: $ours records; journalctl, eight runs: $theirs"
[ "$ours" = "$theirs" ] || { echo "the two list different records" >&2; exit 1; }
hyperfine -N --warmup 3 --runs 30 --export-markdown "$work/damaged.md" \
  -n "whole report, damaged" "$(on "$damaged" "$bench" "${report[@]}")" \
  -n "journalctl, eight runs" "$(quoted bash -c "$journalctl_report")"

cat "$work"/latest-common.md "$work"/latest-rare.md "$work"/range-36.md "$work"/range-30.md "$work"/report.md "$work"/damaged.md

peak() { /usr/bin/time -f '%M' env "BRASK_JOURNAL_DIR=$1" "${@:2}" 2>&1 >/dev/null | tail -1; }
echo "Peak memory (maximum resident set, KiB):"
echo "  whole report, 1 M entries:             $(peak "$common" "$bench" "${report[@]}")"
echo "  whole report, 5 M entries:             $(peak "$large" "$bench" "${report[@]}")"
echo "  10,000 Error, days 30-33:              $(peak "$common" "$bench" date "$(day 30 %d/%m/%Y)" "$(day 33 %d/%m/%Y)" System Error)"
echo "  Application Information, 1 M entries:  $(peak "$common" "$bench" date "$(day 0 %d/%m/%Y)" "$(day 39 %d/%m/%Y)" Application Information)"
echo "  Application Information, 5 M entries:  $(peak "$large" "$bench" date "$(day -160 %d/%m/%Y)" "$(day 39 %d/%m/%Y)" Application Information)"
uptime
