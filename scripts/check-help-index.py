#!/usr/bin/env python3
"""Every command of every menu has a section in the help that its index
reaches: for each menu item of resources/Velmora.rc, the help index
(Velmora.hhk) has an entry named as the item reads (without its mnemonic,
accelerator and "...") that leads to a page and an anchor that exist. Every
other index entry must lead somewhere real too.

usage: check-help-index.py RC_FILE HELP_FOLDER
"""
import re
import sys
from pathlib import Path


def menu_captions(rc_text):
    """The captions of the menu items, as the help names them."""
    captions = []
    for caption, command in re.findall(r'MENUITEM\s+"([^"]*)"\s*,\s*(\w+)', rc_text):
        if not caption or not command.startswith("IDM_"):
            continue  # separators
        caption = caption.split("\\t")[0]
        caption = re.sub(r"\(&.\)$", "", caption.replace("...", ""))
        captions.append(caption.replace("&", ""))
    return captions


def index_entries(hhk_text):
    return dict(re.findall(r'<param name="Name" value="([^"]*)">\s*<param name="Local" value="([^"]*)">', hhk_text))


def anchors_of(page):
    return set(re.findall(r'\sid="([^"]+)"', page.read_text(encoding="utf-8")))


def main():
    if len(sys.argv) != 3:
        print(__doc__)
        return 2
    rc = Path(sys.argv[1]).read_text(encoding="utf-8")
    help_folder = Path(sys.argv[2])
    index = index_entries((help_folder / "Velmora.hhk").read_text(encoding="utf-8"))
    failures = []
    for caption in menu_captions(rc):
        local = index.get(caption)
        if local is None:
            failures.append(f"menu item {caption!r} has no index entry")
        elif "#" not in local:
            failures.append(f"menu item {caption!r} leads to {local}, a whole page, not its section")
    for name, local in index.items():
        page, _, anchor = local.partition("#")
        path = help_folder / page
        if not path.is_file():
            failures.append(f"index entry {name!r} leads to a missing page {page}")
        elif anchor and anchor not in anchors_of(path):
            failures.append(f"index entry {name!r} leads to {local}, but {page} has no id {anchor!r}")
    for failure in failures:
        print("FAILED:", failure)
    print(f"{len(menu_captions(rc))} menu commands, {len(index)} index entries checked")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
