#!/usr/bin/env python3
"""Checks what the player stub carries into every generated executable.

    check-player-stub.py --objdump OBJDUMP [--max-bytes N] STUB

- Its size stays within the budget (the i686 build, which ships).
- Its imports hold no thread functions and none of the C runtime's console,
  locale or signal functions: the stub starts no thread of its own (a run
  record is written by a work item of the system's thread pool) and prints
  nothing, and imports such as SuspendThread or GetThreadContext make
  scanners take an ordinary program for a suspicious one.

Prints every breach and exits with 1 when there is one.
"""
import argparse
import os
import re
import subprocess
import sys

FORBIDDEN = re.compile(
    r"^(SuspendThread|ResumeThread|GetThreadContext|SetThreadContext|CreateThread|CreateRemoteThread|"
    r"_beginthread|_beginthreadex|_endthreadex|TlsAlloc|TlsGetValue|TlsSetValue|TlsFree|"
    r"CreateSemaphoreW|CreateSemaphoreA|ReleaseSemaphore|WaitForSingleObject|"
    r".*printf.*|fwrite|fputc|fputwc|fputs|puts|_iob|__iob_func|__acrt_iob_func|"
    r"setlocale|_wsetlocale|localeconv|signal|raise|abort|_amsg_exit|__getmainargs|__wgetmainargs|"
    r"__set_app_type|_cexit|_onexit|__p__fmode|__p__commode)$")


def imports(objdump, stub):
    listing = subprocess.run([objdump, "-p", stub], check=True, capture_output=True, text=True).stdout
    names = []
    inside = False
    for line in listing.splitlines():
        if line.strip().startswith("DLL Name:"):
            inside = True
            continue
        fields = line.split()
        # Import rows: hint/ordinal, hint, name (objdump 2.40: "vma  hint  name").
        if inside and len(fields) >= 3 and re.fullmatch(r"[0-9a-fA-F]+", fields[0]) and fields[1].isdigit():
            names.append(fields[2])
    return names


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--objdump", required=True)
    parser.add_argument("--max-bytes", type=int)
    parser.add_argument("stub")
    args = parser.parse_args()
    problems = []
    size = os.path.getsize(args.stub)
    if args.max_bytes is not None and size > args.max_bytes:
        problems.append(f"{args.stub}: {size} bytes, over the budget of {args.max_bytes}")
    names = imports(args.objdump, args.stub)
    if not names:
        problems.append(f"{args.stub}: no imports found (is it a PE file?)")
    for name in names:
        if FORBIDDEN.match(name):
            problems.append(f"{args.stub}: imports {name}")
    for problem in problems:
        print(problem)
    print(f"{args.stub}: {size} bytes, {len(names)} imports")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
