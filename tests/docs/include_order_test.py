#!/usr/bin/env python3
"""The include-order check over small trees with faults planted in them: it names each
include that runs up the README's layout table and each source folder the table leaves out,
and passes a tree that keeps the order.

    include_order_test.py
"""
import sys
import tempfile
import unittest
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "tools"))
import include_order  # noqa: E402

README = """# A program

## Layout

| Folder | What is in it |
|---|---|
| `app/main.cpp` | composes the program |
| `screens/` | screens |
| `map/win/`, `print/win/` | two Windows back ends, one row |
| `app/` | shell |
| `model/` | computation |
| `text/` | text |

Beside the program:

| Folder | What is in it |
|---|---|
| `tests/` | tests |

## Next section

| `calc/` | a table outside the Layout section does not count |
"""

# A tree that keeps the order: each file includes its own row and the rows below.
GOOD = {
    "app/main.cpp": '#include "screens/start.h"\n#include "app/shell.h"\n',
    "app/shell.cpp": '#include "app/shell.h"\n#include "model/rules.h"\n',
    "app/shell.h": "#pragma once\n",
    "screens/start.h": '#include "map/win/display.h"\n#include <windows.h>\n',
    "map/win/display.h": '#include "print/win/renderer.h"\n',
    "print/win/renderer.h": '#include "map/win/display.h"\n',
    "model/rules.cpp": '#include "kernel.inc"\n#include "text/scan.h"\n',
    "model/kernel.inc": "\n",
    "model/rules.h": "#pragma once\n",
    "text/scan.h": "#pragma once\n",
    "tests/rules_test.cpp": '#include "app/main.cpp"\n#include "screens/start.h"\n',
    "docs/notes.md": '#include "screens/start.h"\n',
}

CASES = [
    ("the tree keeps the order", {}, []),
    ("model includes a screen",
     {"model/rules.cpp": '#include "text/scan.h"\n\n#include "screens/start.h"\n'},
     ["model/rules.cpp:3: includes screens/start.h"]),
    ("the shell includes a screen: only main.cpp composes",
     {"app/shell.cpp": '#include "screens/start.h"\n'},
     ["app/shell.cpp:1: includes screens/start.h"]),
    ("a header in text includes the shell",
     {"text/scan.h": '#pragma once\n#include "app/shell.h"\n'},
     ["text/scan.h:2: includes app/shell.h"]),
    ("a folder the table leaves out",
     {"calc/batch.cpp": '#include "model/rules.h"\n'},
     ["calc/batch.cpp: its folder is not in the README's layout table"]),
    ("two faults in one tree",
     {"model/rules.h": '#include "app/main.cpp"\n', "text/scan.h": '#include "model/rules.h"\n'},
     ["model/rules.h:1: includes app/main.cpp", "text/scan.h:1: includes model/rules.h"]),
]


def plant(root, files):
    (root / "README.md").write_text(README, encoding="utf-8")
    for name, text in files.items():
        (root / name).parent.mkdir(parents=True, exist_ok=True)
        (root / name).write_text(text, encoding="utf-8")


class IncludeOrder(unittest.TestCase):
    def test_cases(self):
        for name, changes, expected in CASES:
            with self.subTest(name), tempfile.TemporaryDirectory() as tmp:
                plant(Path(tmp), {**GOOD, **changes})
                found = include_order.faults(tmp)
                self.assertEqual(len(found), len(expected), found)
                for fault, start in zip(found, expected):
                    self.assertTrue(fault.startswith(start), (fault, start))

    def test_the_command_exits_1_on_a_fault(self):
        with tempfile.TemporaryDirectory() as tmp:
            plant(Path(tmp), {**GOOD, "text/scan.h": '#include "model/rules.h"\n'})
            self.assertEqual(include_order.main(["include_order.py", tmp]), 1)
        with tempfile.TemporaryDirectory() as tmp:
            plant(Path(tmp), GOOD)
            self.assertEqual(include_order.main(["include_order.py", tmp]), 0)

    def test_a_readme_without_the_two_tables(self):
        for readme in ["# A program\n", README[:README.index("Beside")]]:
            with self.subTest(readme[-20:]), tempfile.TemporaryDirectory() as tmp:
                plant(Path(tmp), GOOD)
                (Path(tmp) / "README.md").write_text(readme, encoding="utf-8")
                with self.assertRaises(include_order.LayoutError):
                    include_order.faults(tmp)


if __name__ == "__main__":
    unittest.main()
