#!/usr/bin/env python3
"""Damaged journals, made here from a healthy one, each in a folder of its own: every case
ends in a report, not in an error box, and the report lists every entry that journalctl
lists from the folder's files, in the section it belongs to, and nothing that was not
written.

usage: damaged_journals_test.py BRASK_BENCH SYSTEMD_JOURNAL_REMOTE
"""
import collections
import os
import shutil
import struct
import subprocess
import sys
import tempfile

BENCH, REMOTE = sys.argv[1], sys.argv[2]
TYPES = ['Critical', 'Error', 'Information', 'Warning']
STATE, N_ENTRIES = 16, 152  # offsets of the header's state and entry count


def header(data):
    names = ('data_hash_table_offset data_hash_table_size field_hash_table_offset '
             'field_hash_table_size tail_object_offset n_objects n_entries').split()
    return dict(zip(names, struct.unpack_from('<7Q', data, 104))) | {
        'entry_array_offset': struct.unpack_from('<Q', data, 176)[0]}


def section(fields):
    """The log and type an entry is listed under, and its message."""
    log = 'Application' if int(fields.get('_UID', b'0')) >= 1000 else 'System'
    priority = int(fields['PRIORITY'])
    kind = 'Critical' if priority <= 2 else 'Error' if priority == 3 else 'Warning' if priority == 4 else 'Information'
    return log, kind, fields['MESSAGE'].decode()


def healthy(path):
    """40 entries, five in each section: three copies side by side fill no section; returns
    the sections of what was written."""
    export, written = b'', collections.Counter()
    for i in range(40):
        fields = {'_UID': b'1000' if i % 2 else b'0', 'PRIORITY': b'2346'[i // 2 % 4:][:1], 'MESSAGE': f'entry {i}'.encode()}
        written[section(fields)] += 1
        export += (f'__REALTIME_TIMESTAMP={1600000000000000 + i * 1000000}\n__MONOTONIC_TIMESTAMP={i + 1}\n'
                   '_BOOT_ID=6f1c9b1d2a8e4c5fa1b2c3d4e5f60718\nSYSLOG_IDENTIFIER=test\n').encode()
        export += b''.join(k.encode() + b'=' + v + b'\n' for k, v in fields.items()) + b'\n'
    subprocess.run([REMOTE, '-o', path, '-'], input=export, check=True, capture_output=True)
    return written


def listed_by_journalctl(folder):
    entries = collections.Counter()
    for name in sorted(os.listdir(folder)):
        path = os.path.join(folder, name)
        if not os.path.isfile(path):
            continue
        out = subprocess.run(['journalctl', '--file', path, '-o', 'export', '--no-pager'], capture_output=True).stdout
        # Only whole entries: an export cut short by damage leaves its last one unfinished.
        for entry in out.split(b'\n\n')[:-1]:
            fields = dict(line.split(b'=', 1) for line in entry.split(b'\n') if b'=' in line)
            entries[section({k.decode(): v for k, v in fields.items()})] += 1
    return entries


def report(folder, drive):
    env = dict(os.environ, BRASK_JOURNAL_DIR=folder, SystemDrive=drive, TZ='UTC', LANG='en_US.UTF-8')
    env.pop('LC_ALL', None)
    run = subprocess.run([BENCH, 'number', '20', 'Application', 'System', *TYPES], env=env,
                         capture_output=True, timeout=60)
    if run.returncode != 0:
        return None, run.stderr.decode(errors='replace')
    records, current = collections.Counter(), None
    lines = open(os.path.join(drive, 'BRASK.txt'), encoding='utf-8', newline='').read().split('\r\n')
    for i, line in enumerate(lines):
        if ' Log - ' in line:
            current = line.split("'")[1], line.rsplit(' - ', 1)[1][:-len(' Type')]
        elif line.startswith('Log: '):
            records[current + (lines[i + 3],)] += 1
    return records, ''


def write(path, data):
    with open(path, 'wb') as out:
        out.write(data)


def overwrite(data, offset, length):
    damaged = bytearray(data)
    damaged[offset:offset + length] = bytes((0xAB + 7 * i) & 0xFF for i in range(length))
    return bytes(damaged)


def unclean(data):
    """As journald leaves a file after a crash: online, its header's entry count behind."""
    damaged = bytearray(data)
    damaged[STATE] = 1
    struct.pack_into('<Q', damaged, N_ENTRIES, header(data)['n_entries'] - 5)
    return bytes(damaged)


def second_entry_array(data):
    first = header(data)['entry_array_offset']
    return struct.unpack_from('<Q', data, first + 16)[0]


def cases(good):
    h = header(good)
    tail = h['tail_object_offset']
    yield 'unclean', {'system.journal~': unclean(good)}
    for share in (4, 2, 1.1):
        yield f'truncated to 1/{share} of its data', {'x.journal': good[:int(tail / share)]}
    yield 'truncated before its last object', {'x.journal': good[:tail]}
    yield 'field hash table overwritten', {
        'x.journal': overwrite(good, h['field_hash_table_offset'], h['field_hash_table_size'])}
    yield 'data hash table overwritten', {
        'x.journal': overwrite(good, h['data_hash_table_offset'], h['data_hash_table_size'])}
    yield 'entry array overwritten', {'x.journal': overwrite(good, second_entry_array(good) + 24, 16)}
    yield 'healthy and damaged side by side', {
        'a.journal': good, 'b.journal': overwrite(good, h['field_hash_table_offset'], h['field_hash_table_size']),
        'c.journal~': unclean(good)}
    yield 'zero length', {'x.journal': b''}
    yield 'not a journal', {'x.journal': b'named like a journal\n' * 100, 'y.journal': good}
    yield 'no read permission', {'x.journal': good, 'locked.journal': good}
    yield 'dangling link', {'y.journal': good}


def main():
    work = tempfile.mkdtemp(prefix='brask_damaged_')
    try:
        written = healthy(os.path.join(work, 'good.journal'))
        good = open(os.path.join(work, 'good.journal'), 'rb').read()
        failures = []
        for name, files in cases(good):
            folder = os.path.join(work, name.replace(' ', '_').replace('/', '-'))
            os.makedirs(folder)
            for file_name, data in files.items():
                write(os.path.join(folder, file_name), data)
            if name == 'no read permission':
                os.chmod(os.path.join(folder, 'locked.journal'), 0)
            if name == 'dangling link':
                os.symlink(os.path.join(work, 'gone.journal'), os.path.join(folder, 'x.journal'))
            drive = os.path.join(folder + '.drive')
            os.makedirs(drive)
            expected = listed_by_journalctl(folder)
            got, error = report(folder, drive)
            if got is None:
                failures.append(f'{name}: an error box: {error.strip()}')
                continue
            lost = expected - got
            made_up = collections.Counter({k: v for k, v in got.items() if k not in written})
            if lost or made_up:
                failures.append(f'{name}: lost {sorted(lost.elements())[:5]} ({sum(lost.values())}), '
                                f'not written {sorted(made_up)[:5]} ({len(made_up)})')
            print(f'{name}: {sum(got.values())} records, journalctl lists {sum(expected.values())}')
        for failure in failures:
            print('FAILED', failure)
        return 1 if failures else 0
    finally:
        shutil.rmtree(work, ignore_errors=True)


if __name__ == '__main__':
    sys.exit(main())
