#!/usr/bin/env python3
"""Builds the help file Velmora.chm from the pages in this folder.

The sources are UTF-8, so that they read and diff as any other text here.
The HTML Help viewer reads the contents tree, the index and the page titles
in the code page of the project's language (Japanese, 0x411: code page 932),
so every text file is converted to CP932 on the way, each page's charset
declaration with it; a character that CP932 cannot hold stops the build.
chmcmd compiles the converted copy, and chmls then checks that every page
the contents tree names is in the file (a page missing from [FILES] and
from every link would otherwise vanish without a word), and
scripts/check-help-window.py that the help window's definition gives the
contents pane room (F1 would otherwise show a bare page).

  build-help.py --source DIR --work DIR --output FILE --chmcmd PATH --chmls PATH

Exits with 1 and removes the output when anything fails.
"""
import argparse
import importlib.util
import pathlib
import re
import shutil
import subprocess
import sys

PROJECT = "Velmora.hhp"
TEXT_SUFFIXES = {".html", ".hhc", ".hhk", ".hhp", ".css"}
LOCAL = re.compile(r'<param\s+name="Local"\s+value="([^"]+)"', re.I)


def convert(source: pathlib.Path, target: pathlib.Path) -> None:
    text = source.read_text(encoding="utf-8")
    text = re.sub(r"charset=UTF-8", "charset=Shift_JIS", text, flags=re.I)
    try:
        data = text.encode("cp932")
    except UnicodeEncodeError as error:
        line = text.count("\n", 0, error.start) + 1
        raise SystemExit(f"{source}:{line}: {text[error.start]!r} has no CP932 form")
    # The pages keep CR LF, as Windows tools expect of them.
    target.write_bytes(data.replace(b"\r\n", b"\n").replace(b"\n", b"\r\n"))


def stage(source: pathlib.Path, work: pathlib.Path) -> None:
    if work.exists():
        shutil.rmtree(work)
    for path in sorted(source.rglob("*")):
        if path.is_dir() or path.name == pathlib.Path(__file__).name or path.suffix in (".sh", ".md"):
            continue
        target = work / path.relative_to(source)
        target.parent.mkdir(parents=True, exist_ok=True)
        if path.suffix in TEXT_SUFFIXES:
            convert(path, target)
        else:
            shutil.copyfile(path, target)


def contents_pages(work: pathlib.Path) -> list:
    text = (work / "Velmora.hhc").read_bytes().decode("cp932")
    return LOCAL.findall(text)


def check(chm: pathlib.Path, pages: list, chmls: str, source: pathlib.Path) -> list:
    listing = subprocess.run([chmls, "-n", "list", str(chm)], capture_output=True, text=True,
                             encoding="latin-1", check=True).stdout
    names = {line.strip().lstrip("/").lower() for line in listing.splitlines()}
    problems = [f"{page}: in the contents tree but not in {chm.name}" for page in pages
                if page.lower() not in names]
    orphans = sorted(p.name for p in source.glob("*.html") if p.name not in pages)
    problems += [f"{name}: a page that the contents tree does not name" for name in orphans]
    return problems


def window_problems(chm: pathlib.Path, chmls: str) -> list:
    checker = pathlib.Path(__file__).resolve().parents[2] / "scripts" / "check-help-window.py"
    spec = importlib.util.spec_from_file_location("check_help_window", checker)
    module = importlib.util.module_from_spec(spec)
    spec.loader.exec_module(module)
    return module.check_chm(chm, chmls)


def main() -> int:
    parser = argparse.ArgumentParser()
    for option in ("--source", "--work", "--output", "--chmcmd", "--chmls"):
        parser.add_argument(option, required=True)
    args = parser.parse_args()
    source = pathlib.Path(args.source)
    work = pathlib.Path(args.work)
    output = pathlib.Path(args.output)
    output.unlink(missing_ok=True)

    stage(source, work)
    compiled = subprocess.run([args.chmcmd, "--verbosity", "1", PROJECT], cwd=work, capture_output=True,
                              text=True, encoding="latin-1")
    chm = work / "Velmora.chm"
    if compiled.returncode != 0 or not chm.exists():
        sys.stderr.write(compiled.stdout + compiled.stderr)
        print(f"build-help: chmcmd could not make {chm.name}", file=sys.stderr)
        return 1
    problems = check(chm, contents_pages(work), args.chmls, source) + window_problems(chm, args.chmls)
    if problems:
        for problem in problems:
            print(f"build-help: {problem}", file=sys.stderr)
        return 1
    output.parent.mkdir(parents=True, exist_ok=True)
    shutil.copyfile(chm, output)
    return 0


if __name__ == "__main__":
    sys.exit(main())
