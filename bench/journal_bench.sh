# What the benchmarks of the Linux program on generated journals share (sourced, not run,
# from the repository's root): systemd-journal-remote, the work folder, the environment the
# timed runs see, today's midnight (UTC) and a command as one hyperfine text.

remote=$(command -v systemd-journal-remote || echo /lib/systemd/systemd-journal-remote)

# bench_work NAME: the work folder in $work: BRASK_BENCH_WORK, which keeps the journals for
# a later run of the same day, else a new folder /tmp/NAME.XXXXXX removed at the end.
bench_work() {
  if [ -n "${BRASK_BENCH_WORK:-}" ]; then
    work=$BRASK_BENCH_WORK
  else
    work=$(mktemp -d "/tmp/$1.XXXXXX")
    trap 'rm -rf "$work"' EXIT
  fi
}

export TZ=UTC LANG=en_US.UTF-8
unset LC_ALL LC_TIME LC_NUMERIC LC_CTYPE BRASK_WINDOWS_VERSION BRASK_JOURNAL_DIR BRASK_EVTX_DIR

today=$(date -u -d 'today 00:00' +%s)

quoted() { printf '%q ' "$@"; }
