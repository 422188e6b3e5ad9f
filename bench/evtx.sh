#!/usr/bin/env bash
# Times brask_bench on a large saved System log against evtxexport dumping the same file,
# and measures peak memory. Not part of CI.
#
#   bash bench/evtx.sh SYSTEM.evtx [COPIES] [BUILD_DIR]   (default 50 copies, build/linux)
#
# The log: SYSTEM.evtx (a real System log) repeated COPIES times by bench/evtx_repeat.py,
# each copy's records numbered and timed after the last copy's. Three runs:
#   the whole report (both logs, all four types, 20 each);
#   the 20 newest System Errors;
#   evtxexport writing every record of the file, the floor for reading it all once.
set -euo pipefail
cd "$(dirname "$0")/.."
source=$(realpath "$1")
copies=${2:-50}
build=${3:-build/linux}
bench=$(realpath "$build/bench/brask_bench")

work=$(mktemp -d /tmp/brask-evtx-bench.XXXXXX)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/logs" "$work/drive"
python3 bench/evtx_repeat.py "$source" "$copies" "$work/logs/System.evtx"
export TZ=UTC LANG=en_US.UTF-8 SystemDrive=$work/drive BRASK_EVTX_DIR=$work/logs
unset LC_ALL LC_TIME LC_NUMERIC LC_CTYPE BRASK_WINDOWS_VERSION

records=$(evtxexport "$work/logs/System.evtx" | grep -c '^Event number')
echo "System.evtx: $(du -h "$work/logs/System.evtx" | cut -f1), $records records (evtxexport)"

report=(number 20 Application System Critical Error Information Warning)
errors=(number 20 System Error)
for run in report errors; do
  declare -n args=$run
  "$bench" "${args[@]}"
  echo "$run: $(grep -c '^Log: ' "$SystemDrive/BRASK.txt") records listed"
done

hyperfine -N --warmup 2 --runs "${RUNS:-20}" --export-markdown "$work/evtx.md" \
  -n "brask_bench whole report" "$bench ${report[*]}" \
  -n "brask_bench 20 newest System Errors" "$bench ${errors[*]}" \
  -n "evtxexport" "evtxexport $work/logs/System.evtx"
cat "$work/evtx.md"

peak() { /usr/bin/time -f '%M' "$@" 2>&1 >/dev/null | tail -1; }
echo "Peak memory (maximum resident set, KiB):"
echo "  whole report:          $(peak "$bench" "${report[@]}")"
echo "  20 newest Errors:      $(peak "$bench" "${errors[@]}")"
echo "  evtxexport:            $(peak evtxexport "$work/logs/System.evtx")"
uptime
