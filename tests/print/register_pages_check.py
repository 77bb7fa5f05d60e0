"""Holds the PDF of a register's print against kamorte-calc's batch result of the same file:
one page a computed row, in order, each with the row's names, its case heading, its
standard after its label and the register line; and the closing message the driver read.
    /usr/bin/python3 register_pages_check.py PDF FACE BATCH.csv DRIVEN"""
import csv
import os
import re
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '../../tools'))
from wine_pdf_text import page_texts  # noqa: E402

AUTHOR, OFFICE = '環境保全課　鈴木', 'カモルテ市環境部'  # typed into 印刷情報 by the driver
HEADINGS = {
    'A': 'Ａ．排出口の高さが６．７ｍ未満の場合',
    'B': 'Ｂ．排出口の高さが６．７ｍ以上１５ｍ未満の場合',
    'C': 'Ｃ．排出口高さが１５ｍ以上かつ周辺最大建物高さの１．５倍未満の場合',
    'D': 'Ｄ．排出口高さが１５ｍ以上かつ周辺最大建物高さの１．５倍以上の場合',
}

pdf, face, batch, driven = sys.argv[1:5]
rows = list(csv.DictReader(open(batch, encoding='utf-8-sig', newline='')))
computed = [(n + 2, row) for n, row in enumerate(rows) if row['ケース']]
refused = [(n + 2, row) for n, row in enumerate(rows) if row['入力の誤り']]
pages = page_texts(pdf, face)
faults = []
if len(pages) != len(computed):
    faults.append(f'{len(pages)} pages for {len(computed)} computed rows')
for number, ((sheet_row, row), texts) in enumerate(zip(computed, pages), 1):
    # Ghostscript joins the texts of one baseline (a label and its value) into one.
    page = '\n'.join(texts)
    if row['ケース'] in 'AB':
        standard = '２号基準：臭気指数\n?' + re.escape(row['２号基準（表示）'])
    else:
        mantissa, exponent = row['２号基準（表示）'].split('^')
        standard = '２号基準：臭気排出強度（ＫＶＴ）\n' + re.escape(mantissa) + '\n' + exponent
    line = f'一覧の {sheet_row} 行目' + (f'　排出口番号 {row["排出口番号"]}' if row.get('排出口番号') else '')
    wanted = {
        'case heading': re.escape(HEADINGS[row['ケース']]),
        'standard': standard,
        'facility': '\n施設名\n?' + re.escape(row.get('施設名') or '（一覧の施設）') + '\n',
        'office': '\n事業所名\n?' + re.escape(row.get('事業所名') or OFFICE) + '\n',
        'author': '\n作成者\n?' + re.escape(row.get('作成者') or AUTHOR) + '\n',
        'register line': re.escape(f'{line}　{number} / {len(computed)}'),
    }
    for what, pattern in wanted.items():
        if not re.search(pattern, page):
            faults.append(f'page {number} (row {sheet_row}) lacks its {what}: {pattern}')
    print(f'page {number}: row {sheet_row}, case {row["ケース"]}, {row["２号基準（表示）"]}')

message = re.search(r'^message: (.*)', open(driven, encoding='utf-8').read(), re.S | re.M).group(1)
expected = f'{len(computed)} ページを印刷しました。'
if refused:
    expected += (f'\n{len(refused)} 行は入力に誤りがあるため印刷していません'
                 f'（最初の誤り: {refused[0][0]} 行目 {refused[0][1]["入力の誤り"]}）')
if message.strip() != expected:
    faults.append(f'the closing message reads {message.strip()!r}, not {expected!r}')
for fault in faults:
    print('FAILED:', fault)
sys.exit(1 if faults else 0)
