#!/usr/bin/env bash
# Times the report of many computers on Windows, under Wine: brask.exe /run reading 12
# computers that the test double of wevtapi.dll serves, each answering its first query
# after a delay of its own, against the same run of the slowest computer alone. Read at
# once, 8 at a time, the 12 take little longer than the slowest one; read one after the
# other they would take the sum of the delays. Then the 12 with a 13th computer that
# answers its first query and its first batch of events and never again, as a server that
# goes silent mid-read: the run ends within 70 s of that computer's last answer (the call
# limit is 60 s), and the other 12 are read in the time they take without it, as the
# double's clocked log of each run's calls shows. Not part of CI.
#
#   bash bench/computers.sh [BUILD_DIR]    (default build/windows, with brask and the
#                                           double, wevtapi_double, built)
#   RUNS (default 10) and SILENT_RUNS (default 2) set how many timed runs each part has.
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
# computer NAME DELAY: the computer's events file, and its lines in the double's.
computer() {
  printf '!computer\t%s\tC:\\bench\\%s.txt\n!delay\t%s\t%s\n' "$1" "$1" "$1" "$2"
  awk -v day="$today" -v name="$1" 'BEGIN {
    for (i = 0; i < 600; i++) {
      printf "channel=%s\ttime=%sT%02d:%02d:00Z\tlevel=%d\tid=%d\tprovider=Bench\tmessage=Event %d of %s.\n",
        i % 2 ? "System" : "Application", day, int(i / 60) % 24, i % 60, i % 5, 1000 + i, i, name
    }
  }' >"$prefix/drive_c/bench/$1.txt"
}
names=()
{
  for i in "${!delays[@]}"; do
    name=$(printf 'pc%02d' $((i + 1)))
    names+=("\\\\$name")
    computer "$name" "${delays[$i]}"
  done
  # The 13th computer: its first query and batch after half a second, then silence.
  computer pc13 500
  printf '!hang\tpc13\tEvtNext\t2\n'
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

# The 12 and the silent 13th, each run's calls logged with the double's clock (the last
# run's log of each kept), the run's failure (exit 3) expected.
silent="\\\\pc13"
"${run[@]}" "${names[@]}" "$silent" "${form[@]}" && status=0 || status=$?
echo "with the silent computer: exit $status; $(grep -a '^Computer pc13 could not be read' "$prefix/drive_c/BRASK.txt")"
logged=(env BRASK_EVT_DOUBLE_CLOCK=1)
hyperfine -N -i --runs "${SILENT_RUNS:-2}" --export-json "$work/silent.json" --export-markdown "$work/silent.md" \
  --prepare "rm -f $prefix/drive_c/bench/log-12.txt" --prepare "rm -f $prefix/drive_c/bench/log-13.txt" \
  -n "12 computers" \
  "$(printf '%q ' "${logged[@]}" 'BRASK_EVT_DOUBLE_LOG=C:\bench\log-12.txt' "${run[@]}" "${names[@]}" "${form[@]}")" \
  -n "12 computers and one silent after its first batch" \
  "$(printf '%q ' "${logged[@]}" 'BRASK_EVT_DOUBLE_LOG=C:\bench\log-13.txt' "${run[@]}" "${names[@]}" "$silent" "${form[@]}")"
cat "$work/silent.md"
python3 - "$work/silent.json" "$prefix/drive_c/bench/log-12.txt" "$prefix/drive_c/bench/log-13.txt" <<'PY'
import json, re, sys
# Seconds from the double's loading to each computer's last answer (a query or a batch).
def answers(path):
    lines = [line.split(" ", 1) for line in open(path, encoding="utf-8", errors="replace").read().splitlines()]
    start = int(lines[0][0])
    last = {}
    for clock, what in lines:
        answer = re.match(r"(?:query|next) @(\S+)", what)
        if answer:
            last[answer.group(1).lower()] = (int(clock) - start) / 1000
    return last
alone, beside = answers(sys.argv[2]), answers(sys.argv[3])
others_alone = max(alone.values())
others_beside = max(time for name, time in beside.items() if name != "pc13")
runs = json.load(open(sys.argv[1]))["results"]
print("exit codes:", ", ".join(f"{run['command']}: {run.get('exit_codes')}" for run in runs))
whole = runs[1]["times"][-1]
print(f"the other 12 read in {others_beside:.1f} s beside the silent one, {others_alone:.1f} s "
      f"without it: {others_beside / others_alone:.2f}")
print(f"the silent one answered last {beside['pc13']:.1f} s into the run, which ended at most "
      f"{whole - beside['pc13']:.1f} s later (at most 70)")
PY
uptime
