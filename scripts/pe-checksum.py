#!/usr/bin/env python3
"""Sets the checksum field of a PE file's optional header, in place.

    pe-checksum.py FILE

The linker leaves the field 0. Windows checks it only for drivers, but
scanners and the loader's integrity tools compare it with what
CheckSumMappedFile computes, and a program whose stored checksum is right
looks like what it is: a finished build. The sum: the file as 16-bit
little-endian words (a last odd byte as a word of its own), the checksum
field itself counted as zero, each addition folded back to 16 bits, plus
the file's length.
"""
import struct
import sys

CHECKSUM_OFFSET_IN_OPTIONAL_HEADER = 64


def checksum_field(data):
    header = struct.unpack_from("<I", data, 0x3C)[0]
    if data[:2] != b"MZ" or data[header:header + 4] != b"PE\0\0":
        raise ValueError("not a PE file")
    return header + 24 + CHECKSUM_OFFSET_IN_OPTIONAL_HEADER


def pe_checksum(data, field):
    padded = data + (b"\0" if len(data) % 2 else b"")
    total = 0
    for (word,) in struct.iter_unpack("<H", padded):
        total += word
    # The field's own two words do not count.
    total -= sum(struct.unpack_from("<HH", data, field))
    while total >> 16:
        total = (total & 0xFFFF) + (total >> 16)
    return (total + len(data)) & 0xFFFFFFFF


def main():
    if len(sys.argv) != 2:
        print(__doc__, file=sys.stderr)
        return 2
    path = sys.argv[1]
    with open(path, "rb") as file:
        data = file.read()
    field = checksum_field(data)
    value = pe_checksum(data, field)
    with open(path, "r+b") as file:
        file.seek(field)
        file.write(struct.pack("<I", value))
    return 0


if __name__ == "__main__":
    sys.exit(main())
