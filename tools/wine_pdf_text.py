"""The texts of each page of a PDF that Wine printed through CUPS-PDF, one a line, each page
after a line "page N"; tests import page_texts. pdftotext reads nothing there: the fonts
are symbolic TrueType subsets without a Unicode map. Their glyphs keep the numbers of the
face they came from, so a code goes through the subset's cmap to a glyph number and through
the face's cmap back to a character.
    /usr/bin/python3 tools/wine_pdf_text.py FILE.pdf FACE.ttf"""
import io
import re
import sys
import zlib

from fontTools.ttLib import TTFont


def body(pdf, number):
    return re.search(rb'(?<![0-9])%d 0 obj(.*?)endobj' % number, pdf, re.S).group(1)


def lzw(data):
    out, table, prev = bytearray(), None, None
    bits = count = pos = 0
    width = 9
    while True:
        while count < width:
            if pos == len(data):
                return bytes(out)
            bits, count, pos = (bits << 8) | data[pos], count + 8, pos + 1
        code = (bits >> (count - width)) & ((1 << width) - 1)
        count -= width
        if code == 256:
            table, prev, width = [bytes([i]) for i in range(256)] + [b'', b''], None, 9
            continue
        if code == 257:
            return bytes(out)
        entry = table[code] if code < len(table) else prev + prev[:1]
        if prev is not None:
            table.append(prev + entry[:1])
        out += entry
        prev = entry
        if len(table) + 1 >= 1 << width and width < 12:
            width += 1


def stream(pdf, number):
    whole = body(pdf, number)
    data = re.search(rb'stream\r?\n(.*)endstream', whole, re.S).group(1)
    if b'/FlateDecode' in whole:
        return zlib.decompressobj().decompress(data)
    return lzw(data) if b'/LZWDecode' in whole else data


def ref(text, key):
    return int(re.search(rb'/' + key + rb'\s+(\d+) 0 R', text).group(1))


def font_of(pdf, number, face_chars):
    descriptor = body(pdf, ref(body(pdf, number), b'FontDescriptor'))
    subset = TTFont(io.BytesIO(stream(pdf, ref(descriptor, b'FontFile2'))))
    cmap = subset['cmap'].getcmap(3, 0).cmap
    return lambda code: face_chars.get(subset.getGlyphID(cmap.get(0xF000 + code, '.notdef')), '?')


def literal(text):
    out, i = bytearray(), 0
    escapes = {b'n': 10, b'r': 13, b't': 9, b'b': 8, b'f': 12}
    while i < len(text):
        if text[i:i + 1] == b'\\':
            octal = re.match(rb'[0-7]{1,3}', text[i + 1:i + 4])
            if octal:
                out.append(int(octal.group(0), 8) & 255)
                i += 1 + len(octal.group(0))
                continue
            out.append(escapes.get(text[i + 1:i + 2], text[i + 1]))
            i += 2
        else:
            out.append(text[i])
            i += 1
    return bytes(out)


STRING = rb'\((?:\\.|[^\\()])*\)'
TEXT = rb'/(R\d+) [\d.]+ Tf|\[((?:' + STRING + rb'|[^\]])*)\]\s*TJ|(' + STRING + rb')\s*(?:Tj|\')'


def page_texts(pdf_path, face_path):
    """The texts of each page in the order they were drawn: a list of lists."""
    pdf = open(pdf_path, 'rb').read()
    face = TTFont(face_path)
    face_chars = {}
    for char, name in face.getBestCmap().items():
        face_chars.setdefault(face.getGlyphID(name), chr(char))
    pages = []
    kids = re.search(rb'/Kids\s*\[([^\]]*)\]', pdf).group(1)
    for page in re.findall(rb'(\d+) 0 R', kids):
        page_body = body(pdf, int(page))
        fonts_ref = re.search(rb'/Font\s+(\d+) 0 R', page_body)
        fonts_text = body(pdf, int(fonts_ref.group(1))) if fonts_ref else page_body
        fonts = {name: font_of(pdf, int(number), face_chars)
                 for name, number in re.findall(rb'/(R\d+)\s+(\d+) 0 R', fonts_text)}
        decode, texts = None, []
        for token in re.finditer(TEXT, stream(pdf, ref(page_body, b'Contents'))):
            if token.group(1):
                decode = fonts[token.group(1)]
                continue
            parts = re.findall(STRING, token.group(2) or token.group(3))
            texts.append(''.join(decode(code) for part in parts for code in literal(part[1:-1])))
        pages.append(texts)
    return pages


if __name__ == '__main__':
    for n, texts in enumerate(page_texts(sys.argv[1], sys.argv[2]), 1):
        print('page', n)
        print('\n'.join(texts))
