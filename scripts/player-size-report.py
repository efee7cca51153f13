#!/usr/bin/env python3
"""What each part of the player stub costs, from the linker's map file.

    player-size-report.py MAP [--top N]

The stub's build writes its map beside it (Velmora.map). Every input
section the linker kept is counted towards its object file (code, constant
data, data), and the largest functions and constants are listed, which
show where the next kilobyte is to be found. The C++ library's template
members are listed once more as a whole, since they are what a container
or string costs.
"""
import argparse
import collections
import re
import subprocess
import sys

# ' .text$name  0xADDRESS  0xSIZE  object' on one line, or the section's name
# alone on a line with the rest on the next when the name is long.
ONE_LINE = re.compile(r"^ (\.(?:text|rdata|data|rsrc)\S*)\s+0x([0-9a-f]+)\s+0x([0-9a-f]+)\s+(\S+)")
NAME_ONLY = re.compile(r"^ (\.(?:text|rdata|data|rsrc)\S*)$")
REST = re.compile(r"^\s+0x([0-9a-f]+)\s+0x([0-9a-f]+)\s+(\S+)")
LIBRARY_MEMBER = re.compile(r"\((.*)\)$")


def kept_sections(lines):
    """(object, section, size) of every input section placed at an address."""
    for i, line in enumerate(lines):
        match = ONE_LINE.match(line)
        if match:
            section, address, size, source = match.groups()
        else:
            match = NAME_ONLY.match(line)
            rest = REST.match(lines[i + 1]) if match and i + 1 < len(lines) else None
            if not rest:
                continue
            section = match.group(1)
            address, size, source = rest.groups()
        if int(address, 16) == 0 or int(size, 16) == 0:
            continue
        member = LIBRARY_MEMBER.search(source)
        name = member.group(1) if member else source.rsplit("/", 1)[-1]
        yield name, section, int(size, 16)


def demangled(names):
    try:
        result = subprocess.run(["c++filt"], input="\n".join(names), capture_output=True, text=True, check=True)
        return result.stdout.split("\n")
    except (OSError, subprocess.CalledProcessError):
        return list(names)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("map")
    parser.add_argument("--top", type=int, default=12, help="how many objects, and how many functions")
    args = parser.parse_args()
    with open(args.map, encoding="utf-8", errors="replace") as file:
        sections = list(kept_sections(file.read().split("\n")))

    by_object = collections.Counter()
    functions = collections.defaultdict(list)
    for name, section, size in sections:
        by_object[name] += size
        functions[name].append((size, section.split("$", 1)[-1]))
    library = [(size, section.split("$", 1)[1]) for _, section, size in sections
               if section.startswith(".text$_ZNSt") or section.startswith(".text$_ZSt") or section.startswith(".text$_ZNKSt")]

    print(f"kept: {sum(by_object.values())} bytes in {len(by_object)} objects")
    for name, size in by_object.most_common(args.top):
        print(f"{size:7d}  {name}")
    # The code is optimised across files at the link, so it arrives as one
    # object: its functions say where the bytes go.
    largest = sorted(((size, name) for name, parts in functions.items() for size, name in parts), reverse=True)
    print("largest functions and constants:")
    for (fsize, _), text in zip(largest[:args.top], demangled([n for _, n in largest[:args.top]])):
        print(f"{fsize:7d}  {text[:110]}")
    print(f"C++ library members: {sum(size for size, _ in library)} bytes in {len(library)} functions")
    return 0


if __name__ == "__main__":
    sys.exit(main())
