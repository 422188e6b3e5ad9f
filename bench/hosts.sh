#!/usr/bin/env bash
# Times `brask --run` against journalctl on a report in date mode of a folder that gathers
# three machines' journals, as systemd-journal-remote leaves them (remote-HOST.journal and
# its archives), both listing every entry of the range; and measures the peak resident
# memory of each. Both in one hyperfine run. Not part of CI.
#
#   bash bench/hosts.sh [BUILD_DIR]     (default build/linux, a Release build with brask)
#
# The journals: three hosts, ENTRIES (default 120,000) entries each, spread evenly over the
# 100 days before today (UTC: one every 72 s by default), interleaved across the hosts. Entry i is an Application
# entry (_UID=1000) when i % 5 == 0, else a System entry; its priority as bench/run.sh
# gives it, by d = i % 10 (System) or (i / 5) % 10 (Application): Critical (2) one entry in
# 1,000 of each log, else Error (3) when d == 3, Warning (4) when d == 7, Notice (5) when
# d == 9, Information (6) otherwise. The report asks for both logs and the four types over
# the 100 days: every entry is listed.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/linux}
brask=$(realpath "$build/bin/brask")
entries=${ENTRIES:-120000}
days=100

source bench/journal_bench.sh
bench_work brask-hosts
start=$((today - days * 86400))
folder=$work/hosts-$entries
stamp="$folder/.made-$(date -u +%F)-3"
if [ ! -f "$stamp" ]; then
  rm -rf "$folder" && mkdir -p "$folder"
  for h in 0 1 2; do
    echo "Generating $entries entries of host$h ..."
    awk -v n="$entries" -v h="$h" -v start="$start" -v step="$((days * 86400000000 / entries))" 'BEGIN {
      split("kernel systemd sshd cron NetworkManager dbus-daemon", names, " ")
      for (i = 0; i < n; i++) {
        app = i % 5 == 0
        d = app ? int(i / 5) % 10 : i % 10
        p = (i % 1000 == 500 || i % 1000 == 501) ? 2 : (d == 3) ? 3 : (d == 7) ? 4 : (d == 9) ? 5 : 6
        name = app ? "editor" : names[i % 6 + 1]
        printf "__REALTIME_TIMESTAMP=%.0f\n__MONOTONIC_TIMESTAMP=%.0f\n", start * 1000000 + i * step + h * int(step / 3), i * step
        printf "_BOOT_ID=6f1c9b1d2a8e4c5fa1b2c3d4e5f6071%d\n_MACHINE_ID=0123456789abcdef0123456789abcde%d\n", h, h
        printf "_HOSTNAME=host%d\n_TRANSPORT=%s\n_UID=%d\n_GID=%d\n", h, app ? "journal" : "syslog", app ? 1000 : 0, app ? 1000 : 0
        printf "_PID=%d\n_COMM=%s\n_SYSTEMD_UNIT=%s.service\n", 1000 + i % 5000, name, name
        printf "SYSLOG_FACILITY=3\nSYSLOG_IDENTIFIER=%s\nPRIORITY=%d\n", name, p
        printf "MESSAGE=Entry %d of host%d, priority %d, from %s\n\n", i, h, p, name
      }
    }' | "$remote" -o "$folder/remote-host$h.journal" - 2>/dev/null
  done
  touch "$stamp"
fi
echo "$(basename "$folder"): $(ls "$folder"/*.journal | wc -l) files, $(du -sh "$folder" | cut -f1)"

from=$(date -u -d "@$start" +%d/%m/%Y)
to=$(date -u -d "@$((today - 86400))" +%d/%m/%Y)
out=$work/report.txt
ours=("$brask" --run --journal-dir "$folder" --log Application,System
      --type Critical,Error,Information,Warning --from "$from" --to "$to" --out "$out")
theirs=(journalctl --directory "$folder" -q --since "$(date -u -d "@$start" '+%F %T')"
        --until "$(date -u -d "@$today" '+%F %T')")

"${ours[@]}"
listed=$(grep -c '^Log: ' "$out")
shown=$("${theirs[@]}" | wc -l)
echo "== brask: $listed events listed ($(du -h "$out" | cut -f1) report); journalctl: $shown entries"
[ "$listed" = "$shown" ] || { echo "the two list different entries" >&2; exit 1; }

hyperfine -N --warmup 1 --runs "${RUNS:-10}" --export-markdown "$work/hosts.md" \
  -n "brask --run, 3 hosts, date mode" "$(quoted "${ours[@]}")" \
  -n "journalctl --since --until" "$(quoted "${theirs[@]}")"
cat "$work/hosts.md"

peak() { /usr/bin/time -f '%M' "$@" 2>&1 >/dev/null | tail -1; }
echo "Peak memory (maximum resident set, KiB):"
echo "  brask --run:          $(peak "${ours[@]}")"
echo "  journalctl:           $(peak "${theirs[@]}")"
uptime
