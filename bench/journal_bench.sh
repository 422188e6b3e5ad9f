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

# The awk function entry(i, p, start, step): the export of entry i of the benchmark
# journal, of priority p, written at start (seconds) plus i steps (microseconds): an
# Application entry (_UID=1000) when i % 5 == 0, else a System entry of one of six programs.
bench_entry='
function entry(i, p, start, step,   app, name) {
  if (!programs) programs = split("kernel systemd sshd cron NetworkManager dbus-daemon", names, " ")
  app = i % 5 == 0
  name = app ? "editor" : names[i % 6 + 1]
  printf "__REALTIME_TIMESTAMP=%.0f\n__MONOTONIC_TIMESTAMP=%.0f\n", start * 1000000 + i * step, i * step
  printf "_BOOT_ID=6f1c9b1d2a8e4c5fa1b2c3d4e5f60718\n_MACHINE_ID=0123456789abcdef0123456789abcdef\n"
  printf "_HOSTNAME=bench\n_TRANSPORT=%s\n_UID=%d\n_GID=%d\n", app ? "journal" : "syslog", app ? 1000 : 0, app ? 1000 : 0
  printf "_PID=%d\n_COMM=%s\n_SYSTEMD_UNIT=%s.service\n", 1000 + i % 5000, name, name
  printf "SYSLOG_FACILITY=3\nSYSLOG_IDENTIFIER=%s\nPRIORITY=%d\n", name, p
  printf "MESSAGE=Entry %d of the benchmark journal, priority %d, from %s\n\n", i, p, name
}'
