#!/usr/bin/env python3
"""Every message the program and kamorte-calc give for a bad input appears in the README's
table of messages, word for word: the Japanese texts ending in 下さい。 or ください。 and the
error lines of kamorte-calc that name a file or standard output.

    readme_messages_test.py
"""
import re
import sys
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
FOLDERS = ["model", "screens", "map", "print", "help", "app", "calc", "tools/kamorte_calc"]
# A C string literal, with the adjacent pieces a long text is split into joined.
LITERAL = re.compile(r'"((?:[^"\\\n]|\\.)*)"')


def texts(source):
    joined = re.sub(r'"\s*\n\s*"', "", source)
    for match in LITERAL.finditer(joined):
        text = match.group(1).replace("\\n", "").replace("%d", "800")
        if re.search(r"(下さい|ください|できません|できませんでした)。$", text):
            yield text
        text = re.sub(r"^kamorte-calc: (%s: )?", "", text)
        if re.match(r"(cannot (write|read)|the file has no header|the result could not be"
                    r"|the file is read-only"
                    r"|standard output: |not enough memory)", text):
            yield text.split("%")[0].strip()


def main():
    table = (ROOT / "README.md").read_text(encoding="utf-8")
    table = table[table.index("## 困ったときは"):table.index("## About")]
    missing = set()
    for folder in FOLDERS:
        for path in sorted((ROOT / folder).rglob("*.cpp")):
            for text in texts(path.read_text(encoding="utf-8")):
                if text not in table:
                    missing.add(f"{path.relative_to(ROOT)}: {text}")
    for line in sorted(missing):
        print("not in the README's table:", line, file=sys.stderr)
    return 1 if missing else 0


if __name__ == "__main__":
    sys.exit(main())
