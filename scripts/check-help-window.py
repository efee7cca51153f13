#!/usr/bin/env python3
"""Checks that the help window shows its navigation pane (contents, index, search).

The HTML Help viewer takes the window's layout from the compiled window
definition, the internal file #WINDOWS of the .chm. A definition that marks
the window position or the navigation width as set, with the value 0, opens
a window whose contents pane has no room: the author sees a bare page. The
same happens when the definition is no tri-pane window or says the pane
starts closed.

  check-help-window.py --chm FILE --chmls PATH   the compiled file
  check-help-window.py --self-test               the parser on made-up definitions

Exits with 1 and says what is wrong when the pane would not show.
"""
import argparse
import pathlib
import struct
import subprocess
import sys
import tempfile

# Members of one window definition (the HH_WINTYPE layout), as offsets into it.
VALID_MEMBERS = 0x0C
PROPERTIES = 0x10
WINDOW_RECT = 0x20
NAV_WIDTH = 0x4C
NOT_EXPANDED = 0x74
SMALLEST_ENTRY = 0x78

# Bits of the valid-members word and of the properties word.
VALID_RECT = 0x10
VALID_NAV_WIDTH = 0x20
VALID_EXPANSION = 0x200
TRI_PANE = 0x20

# A navigation pane narrower than this shows no readable contents line.
MIN_NAV_WIDTH = 100


def entries(data: bytes) -> list:
    if len(data) < 8:
        return [None]
    count, size = struct.unpack_from("<II", data, 0)
    if count == 0 or size < SMALLEST_ENTRY or 8 + count * size > len(data):
        return [None]
    return [data[8 + i * size: 8 + (i + 1) * size] for i in range(count)]


def problems_of(data: bytes) -> list:
    """What keeps the navigation pane of each window definition in `data` from showing."""
    problems = []
    for number, entry in enumerate(entries(data), 1):
        if entry is None:
            return ["#WINDOWS holds no readable window definition"]
        word = lambda offset: struct.unpack_from("<I", entry, offset)[0]
        left, top, right, bottom = struct.unpack_from("<4i", entry, WINDOW_RECT)
        where = f"window {number}"
        if not word(PROPERTIES) & TRI_PANE:
            problems.append(f"{where}: not a tri-pane window, so it has no navigation pane")
        if word(VALID_MEMBERS) & VALID_NAV_WIDTH and word(NAV_WIDTH) < MIN_NAV_WIDTH:
            problems.append(f"{where}: navigation width {word(NAV_WIDTH)} (at least {MIN_NAV_WIDTH})")
        if word(VALID_MEMBERS) & VALID_RECT and (right - left < 2 * MIN_NAV_WIDTH or bottom - top < MIN_NAV_WIDTH):
            problems.append(f"{where}: window position [{left},{top},{right},{bottom}] leaves no room")
        if word(VALID_MEMBERS) & VALID_EXPANSION and word(NOT_EXPANDED) != 0:
            problems.append(f"{where}: the navigation pane starts closed")
    return problems


def read_windows(chm: pathlib.Path, chmls: str) -> bytes:
    with tempfile.TemporaryDirectory() as folder:
        target = pathlib.Path(folder) / "WINDOWS"
        subprocess.run([chmls, "extract", str(chm), "/#WINDOWS", str(target)], capture_output=True, check=True)
        if not target.exists():
            return b""
        return target.read_bytes()


def check_chm(chm: pathlib.Path, chmls: str) -> list:
    return [f"{chm.name}: {problem}" for problem in problems_of(read_windows(chm, chmls))]


def definition(valid: int, properties: int, rect: tuple, nav_width: int, not_expanded: int = 0) -> bytes:
    entry = bytearray(0xC4)
    struct.pack_into("<II", entry, VALID_MEMBERS, valid, properties)
    struct.pack_into("<4i", entry, WINDOW_RECT, *rect)
    struct.pack_into("<I", entry, NAV_WIDTH, nav_width)
    struct.pack_into("<I", entry, NOT_EXPANDED, not_expanded)
    return struct.pack("<II", 1, len(entry)) + bytes(entry)


def self_test() -> list:
    good = (60, 40, 1000, 720)
    valid = VALID_RECT | VALID_NAV_WIDTH
    cases = [
        ("a real layout", definition(valid, TRI_PANE, good, 240), 0),
        ("values the viewer chooses", definition(0, TRI_PANE, (0, 0, 0, 0), 0), 0),
        ("width set to 0", definition(valid, TRI_PANE, good, 0), 1),
        ("position set to 0", definition(valid, TRI_PANE, (0, 0, 0, 0), 240), 1),
        ("both set to 0", definition(valid, TRI_PANE, (0, 0, 0, 0), 0), 2),
        ("no tri-pane", definition(valid, 0, good, 240), 1),
        ("pane closed", definition(valid | VALID_EXPANSION, TRI_PANE, good, 240, 1), 1),
        ("no definition", b"", 1),
        ("a cut definition", definition(valid, TRI_PANE, good, 240)[:100], 1),
    ]
    return [f"self-test, {name}: {len(problems_of(data))} problems, expected {expected}"
            for name, data, expected in cases if len(problems_of(data)) != expected]


def main() -> int:
    parser = argparse.ArgumentParser()
    parser.add_argument("--chm")
    parser.add_argument("--chmls", default="chmls")
    parser.add_argument("--self-test", action="store_true")
    args = parser.parse_args()
    problems = self_test() if args.self_test else []
    if args.chm:
        problems += check_chm(pathlib.Path(args.chm), args.chmls)
    for problem in problems:
        print(f"check-help-window: {problem}", file=sys.stderr)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
