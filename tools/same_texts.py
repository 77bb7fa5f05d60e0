#!/usr/bin/env python3
"""Checks that two builds hold the same code page 932 texts: every string literal of the
portable sources (text/, model/, map/, calc/) that has a non-ASCII character must appear in
the read-only data of both builds' objects as its code page 932 bytes, and nowhere as UTF-8.
A build whose literals came out as UTF-8 (another compiler or flag) fails the check.

    tools/same_texts.py build/native build/fuzz"""
import pathlib
import re
import struct
import subprocess
import sys

LIBRARIES = ("text", "model", "map", "calc")
LITERAL = re.compile(r'"((?:[^"\\\n]|\\.)*)"')
ESCAPES = {"n": "\n", "t": "\t", "\\": "\\", '"': '"', "'": "'", "r": "\r"}


def read_only_data(path):
    """The bytes of an ELF64 object's initialised data sections."""
    data = path.read_bytes()
    shoff, = struct.unpack_from("<Q", data, 0x28)
    shentsize, shnum, shstrndx = struct.unpack_from("<HHH", data, 0x3A)
    headers = [struct.unpack_from("<IIQQQQIIQQ", data, shoff + i * shentsize)
               for i in range(shnum)]
    names = headers[shstrndx]
    out = b""
    for h in headers:
        start = names[4] + h[0]
        name = data[start:data.index(b"\0", start)]
        if name.startswith((b".rodata", b".data")) and h[1] != 8:  # not NOBITS
            out += data[h[4]:h[4] + h[5]] + b"\0"
    return out


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
    return b"".join(read_only_data(obj) for lib in LIBRARIES
                    for obj in sorted(pathlib.Path(build, lib).rglob("*.o")))


def main():
    root = pathlib.Path(__file__).resolve().parent.parent
    texts = sorted(source_texts(root))
    encoded = cp932(texts)
    builds = {b: build_data(b) for b in sys.argv[1:3]}
    ok = bool(texts)
    for build, data in builds.items():
        missing = [t for t in texts if encoded[t] not in data]
        # A lone character's UTF-8 bytes may occur by chance among other texts.
        utf8 = [t for t in texts if len(t) > 2 and t.encode("utf-8") in data]
        print(f"{build}: {len(texts) - len(missing)} of {len(texts)} Japanese literals as "
              f"code page 932, {len(utf8)} as UTF-8")
        for t in (missing + utf8)[:5]:
            print(f"  {t!r}")
        ok = ok and not missing and not utf8
    print("the same texts" if ok else "DIFFERENT texts")
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
