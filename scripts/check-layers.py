#!/usr/bin/env python3
"""Checks that the source tree keeps the shape docs/architecture.md draws.

- A subsystem uses only itself and the subsystems below it:
  document < files < distribution < desktop < app.
- The portable core (the top of a subsystem folder, and its posix/ part)
  includes no Win32 header and nothing from a win32/ folder.
- Win32 system headers appear only under a win32/ folder or in player/.
- The shared toolkit (win32/) builds on the core only, never on a
  subsystem's windows.
- No product source file is longer than 600 lines.
- The player's runtime (the lists in cmake/Runtime.cmake) holds nothing of
  the editor: each runtime file includes only runtime headers, and every
  file named there exists.

Prints every breach and exits with 1 when there is one.
"""
import pathlib
import re
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent
SUBSYSTEMS = ["document", "files", "distribution", "desktop", "app"]
PRODUCT = SUBSYSTEMS + ["win32", "cli", "player"]
WIN32_HEADERS = re.compile(
    r"#\s*include\s*<(windows|windowsx|commctrl|commdlg|shellapi|shlobj|shobjidl|objbase|"
    r"ole2|shlwapi|knownfolders|propkey|winuser|wingdi)\.h>", re.I)
PROJECT_INCLUDE = re.compile(r'#\s*include\s*"([^"]+)"')
MAX_LINES = 600
RUNTIME_LISTS = ROOT / "cmake" / "Runtime.cmake"


def rank(folder):
    return SUBSYSTEMS.index(folder) if folder in SUBSYSTEMS else None


def is_win32_part(parts):
    return parts[0] in ("win32", "player") or "win32" in parts[1:-1]


def check(path, problems):
    rel = path.relative_to(ROOT)
    parts = rel.parts
    text = path.read_text(encoding="utf-8", errors="replace")
    lines = text.count("\n")
    if lines > MAX_LINES:
        problems.append(f"{rel}: {lines} lines (at most {MAX_LINES})")
    win32_part = is_win32_part(parts)
    if WIN32_HEADERS.search(text) and not win32_part:
        problems.append(f"{rel}: includes a Win32 header outside a win32/ folder")
    own = rank(parts[0])
    for included in PROJECT_INCLUDE.findall(text):
        target = pathlib.PurePosixPath(included).parts
        if len(target) < 2:
            continue
        target_is_win32 = target[0] == "win32" or "win32" in target[1:-1]
        if target_is_win32 and not win32_part:
            problems.append(f"{rel}: core code includes Win32 code {included}")
        if parts[0] == "win32" and target[0] != "win32" and target_is_win32:
            problems.append(f"{rel}: the toolkit includes a subsystem's window code {included}")
        their = rank(target[0])
        if own is not None and their is not None and their > own:
            problems.append(f"{rel}: {parts[0]}/ uses the layer above it: {included}")


def cmake_list(text, name):
    match = re.search(r"set\(" + name + r"\s+([^)]*)\)", text)
    return match.group(1).split() if match else []


def check_runtime(problems):
    text = RUNTIME_LISTS.read_text(encoding="utf-8")
    sources = cmake_list(text, "VELMORA_RUNTIME_SOURCES")
    headers = set(cmake_list(text, "VELMORA_RUNTIME_HEADERS"))
    if not sources:
        problems.append(f"{RUNTIME_LISTS.relative_to(ROOT)}: no VELMORA_RUNTIME_SOURCES list")
    for name in sources + sorted(headers):
        path = ROOT / name
        if not path.is_file():
            problems.append(f"cmake/Runtime.cmake: {name} does not exist")
            continue
        text = path.read_text(encoding="utf-8", errors="replace")
        for included in PROJECT_INCLUDE.findall(text):
            if "/" in included and included not in headers:
                problems.append(f"{name}: the player's runtime includes {included}, which is not runtime code")


def main():
    problems = []
    for folder in PRODUCT:
        for path in sorted((ROOT / folder).rglob("*")):
            if path.suffix in (".h", ".cpp"):
                check(path, problems)
    check_runtime(problems)
    for problem in problems:
        print(problem)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
