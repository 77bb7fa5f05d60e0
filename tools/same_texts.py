#!/usr/bin/env python3
"""Checks that two builds hold the same code page 932 texts: every string literal of the
portable sources (text/, model/, map/, calc/) that has a non-ASCII character must appear in
the fuzzed build's objects as its code page 932 bytes wherever the shipped build's objects
hold them, and in neither as UTF-8.
A build whose literals came out as UTF-8 (another compiler or flag) fails the check.

    tools/same_texts.py build/native build/fuzz"""
import pathlib
import re
import subprocess
import sys

LIBRARIES = ("text", "model", "map", "calc")
LITERAL = re.compile(r'"((?:[^"\\\n]|\\.)*)"')
ESCAPES = {"n": "\n", "t": "\t", "\\": "\\", '"': '"', "'": "'", "r": "\r"}


def source_texts(root):
    texts = set()
    for lib in LIBRARIES:
        for path in sorted(pathlib.Path(root, lib).glob("*.[ch]*")):
            code = re.sub(r"//[^\n]*", "", path.read_text(encoding="utf-8"))
            code = re.sub(r"'(?:[^'\\\n]|\\.)'", "", code)  # '"' would pair the quotes wrongly
            for body in LITERAL.findall(code):
                if body.isascii() or re.search(r"\\[^ntr\\\"']", body):
                    continue
                texts.add(re.sub(r"\\(.)", lambda m: ESCAPES[m.group(1)], body))
    return texts


def cp932(texts):
    """Each text as the compiler encodes it: glibc's iconv, which (like Windows) gives the
    IBM extension codes where Python's codec picks the NEC-selected ones."""
    joined = "\0".join(texts).encode("utf-8")
    out = subprocess.run(["iconv", "-f", "UTF-8", "-t", "CP932"], input=joined,
                         stdout=subprocess.PIPE, check=True).stdout
    return dict(zip(texts, out.split(b"\0")))


def build_data(build):
    return b"".join(obj.read_bytes() for lib in LIBRARIES
                    for obj in sorted(pathlib.Path(build, lib).rglob("*.o")))


def main():
    root = pathlib.Path(__file__).resolve().parent.parent
    texts = sorted(source_texts(root))
    encoded = cp932(texts)
    shipped, fuzzed = (build_data(b) for b in sys.argv[1:3])
    found = {}
    ok = bool(texts)
    for build, data in zip(sys.argv[1:3], (shipped, fuzzed)):
        found[build] = {t for t in texts if encoded[t] in data}
        utf8 = [t for t in texts if len(t) > 2 and t.encode("utf-8") in data]
        print(f"{build}: {len(found[build])} of {len(texts)} Japanese literals as code page 932, "
              f"{len(utf8)} as UTF-8")
        for t in utf8[:5]:
            print(f"  as UTF-8: {t!r}")
        ok = ok and not utf8
    # The optimiser may build a short text from immediate operands, so a literal can be
    # missing from one build without being different; none may be missing from the fuzzed
    # build that the shipped one holds.
    lacking = sorted(found[sys.argv[1]] - found[sys.argv[2]])
    for t in lacking[:5]:
        print(f"  only in {sys.argv[1]}: {t!r}")
    ok = ok and not lacking
    print("the same texts" if ok else "DIFFERENT texts")
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
