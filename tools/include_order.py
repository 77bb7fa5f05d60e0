#!/usr/bin/env python3
"""Checks that includes run downwards through the README's layout table.

    include_order.py [ROOT]

The first table under "## Layout" in ROOT/README.md names the program's folders (or single
files) in order, one or more `paths` a row: a source file may include from its own row and
the rows below it, never from a row above. The second table names the folders beside the
program (tests, benchmarks, scripts), which may include anything. A source file that
neither table covers is an error too, so the tables cannot fall behind the tree. Prints one
line a fault and exits 1 when there is any.
"""
import os
import re
import sys
from pathlib import Path

SOURCES = {".c", ".cc", ".cpp", ".h", ".hpp", ".inc", ".rc"}
INCLUDE = re.compile(r'^[ \t]*#[ \t]*include[ \t]*"([^"]+)"', re.MULTILINE)
SKIPPED = (".git", "build")


class LayoutError(Exception):
    pass


def layout_tables(readme):
    """The rows of the tables under "## Layout": a list of tables, each a list of rows, each
    a list of the paths in the row's first cell."""
    start = readme.find("\n## Layout")
    if start < 0:
        raise LayoutError('README.md has no "## Layout" section')
    end = readme.find("\n## ", start + 1)
    section = readme[start:end if end >= 0 else len(readme)]
    tables, rows = [], []
    for line in section.splitlines() + [""]:
        if line.startswith("|"):
            first = line.split("|")[1]
            paths = [p.strip("/") for p in re.findall(r"`([^`]+)`", first)]
            if paths:
                rows.append(paths)
        elif rows:
            tables.append(rows)
            rows = []
    if len(tables) < 2:
        raise LayoutError("the Layout section wants two tables: the layers in order, then "
                          "the folders beside the program")
    return tables[0], tables[1]


def owner(path, places):
    """The index of the place (a dict of path to index) that holds path: the longest path
    that is path itself or a folder above it; None when none does."""
    best = None
    for place, index in places.items():
        if path == place or path.startswith(place + "/"):
            if best is None or len(place) > len(best):
                best = place
    return None if best is None else places[best]


def source_files(root):
    for folder, subfolders, names in os.walk(root):
        if Path(folder) == root:  # the build trees and git's own files hold no sources
            subfolders[:] = [d for d in subfolders if not d.startswith(SKIPPED)]
        subfolders.sort()
        for name in sorted(names):
            path = Path(folder) / name
            if path.suffix in SOURCES:
                yield path.relative_to(root).as_posix(), path


def faults(root):
    root = Path(root)
    layers, beside = layout_tables((root / "README.md").read_text(encoding="utf-8"))
    places = {p: i for i, row in enumerate(layers) for p in row}
    outside = {p: -1 for row in beside for p in row}
    found = []
    for rel, path in source_files(root):
        layer = owner(rel, places)
        if layer is None:
            if owner(rel, outside) is None:
                found.append(f"{rel}: its folder is not in the README's layout table")
            continue
        text = path.read_text(encoding="utf-8", errors="replace")
        for line_number, name in included(text):
            target = name if "/" in name else (Path(rel).parent / name).as_posix()
            target_layer = owner(target, places)
            if target_layer is not None and target_layer < layer:
                found.append(f"{rel}:{line_number}: includes {name}, which stands above it "
                             f"in the README's layout table")
    return found


def included(text):
    for match in INCLUDE.finditer(text):
        yield text.count("\n", 0, match.start()) + 1, match.group(1)


def main(argv):
    root = Path(argv[1]) if len(argv) > 1 else Path(__file__).resolve().parents[1]
    try:
        found = faults(root)
    except LayoutError as error:
        print(f"include_order: {error}", file=sys.stderr)
        return 1
    for line in found:
        print(line, file=sys.stderr)
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
