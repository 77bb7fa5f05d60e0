#!/usr/bin/python3
"""A batch result written as a workbook, read back with openpyxl and held against the CSV
result of the same register (UTF-8): every cell the same, texts as typed and never formulas,
numbers as numbers, the headings frozen, columns as wide as their headings, the rows of
outlets that do not comply filled and no other.

usage: workbook_check.py WORKBOOK CSV SHEET_NAME KEPT_COLUMNS
"""
import csv
import sys
import unicodedata

import openpyxl

# Columns that hold texts whatever they look like.
TEXT_HEADINGS = {"２号基準（表示）", "ケース", "判定", "注記", "入力の誤り", "種別"}


def as_typed(cell):
    """The CSV's cell as typed: its formula guard taken off, a line break as a cell holds it."""
    if len(cell) > 1 and cell[0] == "'" and cell[1] in "=+-@\t\r":
        cell = cell[1:]
    return cell.replace("\r\n", "\n").replace("\r", "\n")


def same_number(value, text):
    """The workbook holds 16 figures (libxlsxwriter's "%.16g"), the CSV 17."""
    return isinstance(value, (int, float)) and abs(value - float(text)) <= 1e-15 * abs(value)


def is_number(text):
    try:
        float(text)
        return True
    except ValueError:
        return False


def width(text):
    return sum(2 if unicodedata.east_asian_width(c) in "WF" else 1 for c in text)


def main(workbook_path, csv_path, sheet_name, kept):
    faults = []
    book = openpyxl.load_workbook(workbook_path)
    sheet = book.worksheets[0]
    with open(csv_path, encoding="utf-8-sig", newline="") as f:
        rows = list(csv.reader(f))
    if len(book.worksheets) != 1 or sheet.title != sheet_name:
        faults.append(f"sheets {book.sheetnames}, expected one named {sheet_name}")
    if sheet.freeze_panes != "A2":
        faults.append(f"frozen at {sheet.freeze_panes}, expected A2")
    if sheet.max_row != len(rows):
        faults.append(f"{sheet.max_row} rows, the CSV has {len(rows)}")
    headings = rows[0]
    judged = headings.index("判定") if "判定" in headings else None
    for r, row in enumerate(rows, start=1):
        filled_row = judged is not None and len(row) > judged and row[judged] == "不適合"
        for c in range(len(headings)):
            expected = row[c] if c < len(row) else ""
            cell = sheet.cell(row=r, column=c + 1)
            where = f"{cell.coordinate} ({headings[c]})"
            if cell.data_type == "f":
                faults.append(f"{where} is a formula: {cell.value!r}")
            text_column = c < kept or headings[c] in TEXT_HEADINGS or r == 1
            if expected == "":
                ok = cell.value is None
            elif expected.endswith("%") and not text_column and is_number(expected[:-1]):
                ok = cell.value == float(expected[:-1]) / 100 and cell.number_format == "0%"
            elif is_number(expected) and not text_column:
                ok = cell.data_type == "n" and same_number(cell.value, expected)
            else:
                ok = cell.data_type == "s" and cell.value == as_typed(expected)
            if not ok:
                faults.append(f"{where}: {cell.value!r} ({cell.data_type}), CSV {expected!r}")
            filled = cell.fill.fill_type is not None and r > 1
            if cell.value is not None and filled != filled_row:
                faults.append(f"{where}: filled {filled}, 不適合 {filled_row}")
        if r == 1:
            for c, heading in enumerate(headings):
                letter = sheet.cell(row=1, column=c + 1).column_letter
                if sheet.column_dimensions[letter].width < width(heading):
                    faults.append(f"column {letter} narrower than 「{heading}」")
    for fault in faults:
        print(fault)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2], sys.argv[3], int(sys.argv[4])))
