# What the end-to-end scripts of the Linux program share (sourced, not run): a work folder
# removed at the end, failures counted, and journals written by systemd-journal-remote.

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

# Entries are written on 10 January of last year.
year=$(($(date -u +%Y) - 1))

# write_journal EXPORT JOURNAL: the entries of the export file EXPORT into the journal file
# JOURNAL; a failure shows what systemd-journal-remote said and ends the script.
write_journal() {
  /lib/systemd/systemd-journal-remote -o "$2" "$1" 2> "$work/journal-remote.log" ||
    { cat "$work/journal-remote.log" >&2; exit 1; }
}
