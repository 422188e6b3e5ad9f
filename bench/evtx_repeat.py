#!/usr/bin/python3
"""A large saved event log made of a real one: its chunks, in the order of writing,
repeated COUNT times, each copy's record numbers and times moved on past the last copy's
(the written time of each record header, and the FILETIME values of each record's
template instance, TimeCreated among them), with the checksums made anew.

    evtx_repeat.py SOURCE.evtx COUNT OUTPUT.evtx
"""
import struct
import sys
import zlib

HEADER, CHUNK = 4096, 65536


def chunks(data):
    """The chunks whose signature is whole, oldest first by their first record number."""
    found = []
    for at in range(HEADER, len(data) - CHUNK + 1, CHUNK):
        chunk = data[at:at + CHUNK]
        if chunk[:8] == b"ElfChnk\0":
            found.append(bytearray(chunk))
    return sorted(found, key=lambda chunk: struct.unpack_from("<Q", chunk, 24)[0])


def records(chunk):
    """The offsets of the records before the chunk's free space."""
    at, free = 512, struct.unpack_from("<I", chunk, 48)[0]
    while at + 24 <= free and chunk[at:at + 4] == b"\x2a\x2a\0\0":
        size = struct.unpack_from("<I", chunk, at + 4)[0]
        if size < 28 or at + size > free:
            break
        yield at
        at += size


def filetime_values(chunk, at):
    """The offsets of the FILETIME values of the template instance a record's binary XML
    starts with (after the fragment header), where it has one."""
    body = at + 24
    if chunk[body:body + 4] != b"\x0f\x01\x01\x00" or chunk[body + 4] & 0x0F != 0x0C:
        return
    definition = struct.unpack_from("<I", chunk, body + 10)[0]
    values = body + 14
    if definition == values:  # the definition stands here, before the values
        values += 24 + struct.unpack_from("<I", chunk, values + 20)[0]
    count = struct.unpack_from("<I", chunk, values)[0]
    descriptors, offset = values + 4, values + 4 + 4 * count
    for i in range(count):
        size, kind = struct.unpack_from("<HB", chunk, descriptors + 4 * i)
        if kind == 0x11 and size == 8:
            yield offset
        offset += size


def moved(chunk, numbers, ticks):
    chunk = bytearray(chunk)
    for field in (8, 16, 24, 32):
        struct.pack_into("<Q", chunk, field, struct.unpack_from("<Q", chunk, field)[0] + numbers)
    for at in records(chunk):
        number, written = struct.unpack_from("<QQ", chunk, at + 8)
        struct.pack_into("<QQ", chunk, at + 8, number + numbers, written + ticks)
        for value in filetime_values(chunk, at):
            struct.pack_into("<Q", chunk, value, struct.unpack_from("<Q", chunk, value)[0] + ticks)
    free = struct.unpack_from("<I", chunk, 48)[0]
    struct.pack_into("<I", chunk, 52, zlib.crc32(chunk[512:free]))
    struct.pack_into("<I", chunk, 124, zlib.crc32(chunk[128:512], zlib.crc32(chunk[:120])))
    return chunk


def main(source, count, output):
    data = open(source, "rb").read()
    original = chunks(data)
    stamps = [struct.unpack_from("<Q", c, at + 16)[0] for c in original for at in records(c)]
    numbers = max(struct.unpack_from("<Q", c, 32)[0] for c in original)
    numbers -= min(struct.unpack_from("<Q", c, 24)[0] for c in original) - 1
    ticks = max(stamps) - min(stamps) + 10_000_000
    copies = [moved(c, k * numbers, k * ticks) for k in range(count) for c in original]
    header = bytearray(data[:HEADER])
    struct.pack_into("<QQQ", header, 8, 0, len(copies) - 1,
                     struct.unpack_from("<Q", copies[-1], 32)[0] + 1)
    struct.pack_into("<H", header, 42, len(copies))
    struct.pack_into("<I", header, 120, 0)
    struct.pack_into("<I", header, 124, zlib.crc32(header[:120]))
    with open(output, "wb") as out:
        out.write(header)
        for chunk in copies:
            out.write(chunk)


if __name__ == "__main__":
    main(sys.argv[1], int(sys.argv[2]), sys.argv[3])
