#!/usr/bin/env bash
# Times the report of many computers on Windows, under Wine: brask.exe /run reading 12
# computers that the test double of wevtapi.dll serves, each answering its first query
# after a delay of its own, against the same run of the slowest computer alone. Read at
# once, 8 at a time, the 12 take little longer than the slowest one; read one after the
# other they would take the sum of the delays. Not part of CI.
#
#   bash bench/computers.sh [BUILD_DIR]    (default build/windows, with brask and the
#                                           double, wevtapi_double, built)
#
# Each computer holds 600 events, oldest first one a minute, half of each log, of every
# level; the run lists the 20 newest of each type of both logs (8 sections a computer).
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build/windows}")
brask=$build/platform/win32/brask.exe
double=$build/tests/platform/win32/wevtapi/wevtapi.dll
root=$build/wine
export BRASK_WINE_PREFIX=bench BRASK_WINE_SYSTEM_DLLS=$double TZ=UTC
prefix=$root/$BRASK_WINE_PREFIX

# The delays, in milliseconds, of pc01 to pc12: 3 s at most, 12.4 s in all.
delays=(300 1200 500 2400 800 150 3000 600 1000 250 1800 400)

# The prefix, with the double in its system directory, made as the tests make theirs.
cmake/wine-run.sh "$root" cmd /c exit >/dev/null
mkdir -p "$prefix/drive_c/bench"
today=$(date -u +%F)
names=()
{
  for i in "${!delays[@]}"; do
    name=$(printf 'pc%02d' $((i + 1)))
    names+=("\\\\$name")
    printf '!computer\t%s\tC:\\bench\\%s.txt\n!delay\t%s\t%s\n' "$name" "$name" "$name" "${delays[$i]}"
    awk -v day="$today" -v name="$name" 'BEGIN {
      for (i = 0; i < 600; i++) {
        printf "channel=%s\ttime=%sT%02d:%02d:00Z\tlevel=%d\tid=%d\tprovider=Bench\tmessage=Event %d of %s.\n",
          i % 2 ? "System" : "Application", day, int(i / 60) % 24, i % 60, i % 5, 1000 + i, i, name
      }
    }' >"$prefix/drive_c/bench/$name.txt"
  done
} >"$prefix/drive_c/bench/events.txt"

# brask.exe as wine-run.sh starts it, without its set-up each time.
export WINEPREFIX=$prefix WINELOADER=/usr/lib/wine/wine64 WINEDEBUG=-all LC_ALL=en_US.UTF-8
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d;wevtapi=n"
export BRASK_EVT_DOUBLE_EVENTS='C:\bench\events.txt'
# A wineserver kept running between the runs, as Windows has its services running.
wineserver -k 2>/dev/null || true
wineserver -p
trap 'wineserver -k 2>/dev/null || true' EXIT
run=(/usr/lib/wine/wine64 "$brask" /run)
form=(/log:Application,System /type:Critical,Error,Information,Warning /last:20)
slowest="\\\\pc07"

"${run[@]}" "${names[@]}" "${form[@]}"
echo "12 computers: $(grep -c '^Computer: ' "$prefix/drive_c/BRASK.txt") blocks, $(grep -c '^Log: ' "$prefix/drive_c/BRASK.txt") records listed"

work=$(mktemp -d /tmp/brask-computers-bench.XXXXXX)
trap 'wineserver -k 2>/dev/null || true; rm -rf "$work"' EXIT
hyperfine -N --warmup 1 --runs "${RUNS:-10}" --export-json "$work/computers.json" \
  --export-markdown "$work/computers.md" \
  -n "the slowest computer alone (3.0 s)" "$(printf '%q ' "${run[@]}" "$slowest" "${form[@]}")" \
  -n "12 computers (12.4 s of delays)" "$(printf '%q ' "${run[@]}" "${names[@]}" "${form[@]}")"
cat "$work/computers.md"
python3 - "$work/computers.json" <<'PY'
import json, sys
alone, many = (r["mean"] for r in json.load(open(sys.argv[1]))["results"])
print(f"12 computers / the slowest alone: {many / alone:.2f} (at most 1.3); "
      f"the delays one after the other: {12.4 + alone - 3.0:.1f} s")
PY
uptime
