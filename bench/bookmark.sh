#!/usr/bin/env bash
# Times the Linux program's run with a bookmark against journalctl --cursor-file, in one
# hyperfine run, on a journal of 1,000,000 entries of which the last 100 came after both
# bookmarks were written. Not part of CI.
#
#   bash bench/bookmark.sh [BUILD_DIR]        (default build/linux, with brask built)
#   ENTRIES (default 1,000,000) sets the size of the journal.
#
# The journal: one entry every 3.456 s ending at today's midnight (UTC), written by
# systemd-journal-remote into one directory: the first 999,900 entries, then both bookmarks
# (brask's of both logs, journalctl's cursor of the last entry), then the last 100 entries,
# appended to the newest file as journald appends them. Entry i is an Application entry
# (_UID=1000) when i % 5 == 0, else a System entry; its priority runs through 2 (Critical),
# 3, 4, 5 and 6, so that every entry is of one of the four types. brask lists every event of
# both logs and all four types from the journal's first day to today, which after the
# bookmark are the 100 new entries, as journalctl lists them; both bookmarks are put back
# before each run. The timed runs write their report, bookmark and cursor file in
# BRASK_BENCH_OUT, by default a folder of /dev/shm: what is timed is the run's own work,
# not the disk's flushes, of which brask makes four (the report, the bookmark and their
# folder, as it must to replace them whole) and journalctl none. Given a folder on disk, the
# figures show what those cost there.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/linux}
brask=$(realpath "$build/bin/brask")
entries=${ENTRIES:-1000000}
new=100
step_us=3456000

source bench/journal_bench.sh
# BRASK_BENCH_WORK=DIR keeps both bookmarks there too.
bench_work brask-bookmark-bench
mkdir -p "$work/reports"
out=${BRASK_BENCH_OUT:-$( [ -d /dev/shm ] && mktemp -d /dev/shm/brask-bookmark-out.XXXXXX || echo "$work/out")}
mkdir -p "$out"

first=$(( today - entries * step_us / 1000000 ))

# entries FROM TO: the export of entries FROM to TO - 1.
export_entries() {
  awk -v from="$1" -v to="$2" -v start="$first" -v step="$step_us" \
    "$bench_entry"' BEGIN { for (i = from; i < to; i++) entry(i, 2 + int(i / 5) % 5, start, step) }'
}

from=$(date -u -d "@$first" +%d/%m/%Y)
to=$(date -u -d "@$today" +%d/%m/%Y)
run=(--run --journal-dir "$work/journal" --log Application,System --type Critical,Error,Information,Warning
     --from "$from" --to "$to" --out "$work/reports/today.txt" --bookmark "$work/bookmark")
stamp="$work/.made-$(date -u +%F)-$entries"
if [ ! -f "$stamp" ]; then
  rm -rf "$work/journal" "$work/bookmark" "$work/cursor" && mkdir -p "$work/journal"
  echo "Generating $entries entries ..."
  export_entries 0 $((entries - new)) | "$remote" -o "$work/journal/bench.journal" - 2>/dev/null
  "$brask" "${run[@]}"
  journalctl --directory "$work/journal" --cursor-file "$work/cursor" -n 1 -q > /dev/null
  cp "$work/bookmark" "$work/bookmark.saved"
  cp "$work/cursor" "$work/cursor.saved"
  export_entries $((entries - new)) $entries | "$remote" -o "$work/journal/bench.journal" - 2>/dev/null
  touch "$stamp"
fi
echo "journal: $(ls "$work/journal" | wc -l) files, $(du -sh "$work/journal" | cut -f1), $(journalctl --directory "$work/journal" -q | wc -l) entries"

# Both list the 100 new entries, each from its saved bookmark.
restore() { cp "$work/bookmark.saved" "$work/bookmark" && cp "$work/cursor.saved" "$work/cursor"; }
# The runs timed write into $out.
timed=(--run --journal-dir "$work/journal" --log Application,System --type Critical,Error,Information,Warning
       --from "$from" --to "$to" --out "$out/today.txt" --bookmark "$out/bookmark")
restore
"$brask" "${run[@]}"
ours=$(grep -c '^Log: ' "$work/reports/today.txt")
theirs=$(journalctl --directory "$work/journal" --cursor-file "$work/cursor" -q | wc -l)
echo "brask --bookmark: $ours records; journalctl --cursor-file: $theirs entries"
[ "$ours" = "$new" ] && [ "$theirs" = "$new" ] || { echo "the two do not list the $new new entries" >&2; exit 1; }

hyperfine -N --warmup 3 --runs "${RUNS:-30}" --export-markdown "$work/bookmark.md" \
  --prepare "$(quoted cp "$work/bookmark.saved" "$out/bookmark")" \
  -n "brask --run --bookmark" "$(quoted "$brask" "${timed[@]}")" \
  --prepare "$(quoted cp "$work/cursor.saved" "$out/cursor")" \
  -n "journalctl --cursor-file" "$(quoted journalctl --directory "$work/journal" --cursor-file "$out/cursor" -q)"
[ "$(grep -c '^Log: ' "$out/today.txt")" = "$new" ] || { echo "the timed run did not list the $new new entries" >&2; exit 1; }
[ -n "${BRASK_BENCH_OUT:-}" ] || rm -rf "$out"
cat "$work/bookmark.md"
uptime
