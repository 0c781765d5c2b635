#!/usr/bin/env python3
"""Writes a zip whose bytes depend only on the files' contents and names.

    write_zip.py ZIP EPOCH FILE...

The entries come in the order given, each under its base name, deflated, with
the time EPOCH (seconds since 1970, read as UTC) and the permissions rw-r--r--.
Nothing of the machine goes in: no owner, no file times, no extra time fields.

A name that is not ASCII is stored in GBK, the code page in which Windows' own
zip folders read names on Chinese Windows (older ones know no UTF-8 names), and
once more in UTF-8 in an Info-ZIP Unicode Path extra field, which other zip
programs (7-Zip, Info-ZIP's unzip) read in its place.
"""
import os
import struct
import sys
import time
import zlib

UNICODE_PATH_FIELD = 0x7075
VERSION = 20  # 2.0: deflate
MADE_BY_UNIX = 3 << 8
REGULAR_FILE_RW_R_R = 0o100644


def dos_time_and_date(epoch):
    t = time.gmtime(max(epoch, 315532800))  # the zip format starts at 1980
    return ((t.tm_hour << 11) | (t.tm_min << 5) | (t.tm_sec // 2),
            ((t.tm_year - 1980) << 9) | (t.tm_mon << 5) | t.tm_mday)


def stored_name(name):
    """The name as the headers hold it, and the extra field that goes with it."""
    try:
        return name.encode("ascii"), b""
    except UnicodeEncodeError:
        legacy = name.encode("gbk")
        utf8 = name.encode("utf-8")
        body = struct.pack("<BI", 1, zlib.crc32(legacy)) + utf8
        return legacy, struct.pack("<HH", UNICODE_PATH_FIELD, len(body)) + body


def deflate(data):
    packer = zlib.compressobj(9, zlib.DEFLATED, -15, 9)
    return packer.compress(data) + packer.flush()


def write_zip(path, epoch, files):
    dos_time, dos_date = dos_time_and_date(epoch)
    body = bytearray()
    directory = bytearray()
    for file in files:
        with open(file, "rb") as f:
            data = f.read()
        name, extra = stored_name(os.path.basename(file))
        packed = deflate(data)
        fields = struct.pack("<HHHHHIII", VERSION, 0, 8, dos_time, dos_date,
                             zlib.crc32(data), len(packed), len(data))
        offset = len(body)
        body += b"PK\x03\x04" + fields + struct.pack("<HH", len(name), len(extra)) + name + extra + packed
        directory += (b"PK\x01\x02" + struct.pack("<H", MADE_BY_UNIX | VERSION) + fields
                      + struct.pack("<HHHHHII", len(name), len(extra), 0, 0, 0,
                                    REGULAR_FILE_RW_R_R << 16, offset)
                      + name + extra)
    end = b"PK\x05\x06" + struct.pack("<HHHHIIH", 0, 0, len(files), len(files),
                                      len(directory), len(body), 0)
    with open(path, "wb") as f:
        f.write(body + directory + end)


if __name__ == "__main__":
    if len(sys.argv) < 4:
        sys.exit("usage: write_zip.py ZIP EPOCH FILE...")
    write_zip(sys.argv[1], int(sys.argv[2]), sys.argv[3:])
