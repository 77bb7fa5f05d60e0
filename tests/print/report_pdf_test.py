#!/usr/bin/env python3
"""kamorte-calc --report: the sample register gives one page a row that computes, and each
page's text (pdftotext) holds its facility, its case's heading and its standard after its
label, as the batch's result gives them; one outlet gives one page; the PDF goes through the
one output writer.

    report_pdf_test.py --calc KAMORTE_CALC
"""
import argparse
import csv
import io
import os
import re
import stat
import subprocess
import sys
import tempfile
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
SAMPLE = ROOT / "docs" / "samples" / "outlets.csv"
HEADINGS = {
    "A": "Ａ．排出口の高さが６．７ｍ未満の場合",
    "B": "Ｂ．排出口の高さが６．７ｍ以上１５ｍ未満の場合",
    "C": "Ｃ．排出口高さが１５ｍ以上かつ周辺最大建物高さの１．５倍未満の場合",
    "D": "Ｄ．排出口高さが１５ｍ以上かつ周辺最大建物高さの１．５倍以上の場合",
}
# A fixed clock: 2026-04-01 09:05:07 UTC.
CLOCK = {"SOURCE_DATE_EPOCH": "1775034307", "TZ": "UTC"}


def page_text(pdf, page):
    """The page's text with every blank taken out: pdftotext sets blanks by the glyphs' gaps."""
    text = subprocess.run(["pdftotext", "-f", str(page), "-l", str(page), "-layout", pdf, "-"],
                          capture_output=True, check=True).stdout.decode("utf-8")
    return re.sub(r"[ \u3000]", "", text)


def pages(pdf):
    info = subprocess.run(["pdfinfo", pdf], capture_output=True, check=True).stdout.decode()
    return int(re.search(r"^Pages:\s+(\d+)", info, re.M).group(1))


def colour_spread(pdf):
    """The largest difference between two channels of one pixel of the first page."""
    ppm = subprocess.run(["pdftoppm", "-r", "30", "-f", "1", "-l", "1", pdf],
                         capture_output=True, check=True).stdout
    header = re.match(rb"P6\s+(\d+)\s+(\d+)\s+255\s", ppm)
    pixels = ppm[header.end():]
    return max(max(pixels[i:i + 3]) - min(pixels[i:i + 3]) for i in range(0, len(pixels), 3))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--calc", required=True)
    calc = parser.parse_args().calc
    failures = []
    env = dict(os.environ, **CLOCK)
    with tempfile.TemporaryDirectory() as folder:
        os.chmod(folder, 0o755)
        report = os.path.join(folder, "r.pdf")
        done = subprocess.run([calc, "--batch", str(SAMPLE), "--report", report,
                               "--output-encoding", "utf-8"], capture_output=True, env=env)
        # The sample's last row is refused on purpose.
        if done.returncode != 1:
            failures.append(f"--batch --report: status {done.returncode}, {done.stderr.decode()}")
        rows = list(csv.DictReader(io.StringIO(done.stdout.decode("utf-8"))))
        computed = [row for row in rows if row["ケース"]]
        # The pages are counted in the unit tests; here each page holds the text of its row.
        for number in range(1, pages(report) + 1):
            row = computed[number - 1]
            text = page_text(report, number)
            case = row["ケース"]
            label = "２号基準：臭気指数" if case in "AB" else "２号基準：臭気排出強度（ＫＶＴ）"
            standard = label + row["２号基準（表示）"].split("^")[0]
            place = f"排出口番号{row['排出口番号']}{number}/{len(computed)}"
            for wanted in (row["施設名"], row["事業所名"].replace("\u3000", ""), HEADINGS[case],
                           standard, place, "2026年04月01日9時05分07秒"):
                if wanted not in text:
                    failures.append(f"page {number} (case {case}) lacks {wanted}")
        said = done.stderr.decode("utf-8")
        if "報告書 4 ページ、1 行は入力に誤りがあるため印刷していません（最初の誤り: 6 行目 " not in said:
            failures.append(f"the report's line on standard error: {said}")

        # One outlet with its names, twice by the same clock: one page, the same file.
        made = []
        for name in ("one.pdf", "again.pdf"):
            made.append(os.path.join(folder, name))
            done = subprocess.run([calc, "--example", "--measured-index", "40", "--report",
                                   made[-1], "--facility", "第２乾燥炉", "--author", "山田"],
                                  capture_output=True, env=env)
        one = made[0]
        text = page_text(one, 1) if done.returncode == 0 else ""
        if pages(one) != 1 or any(wanted not in text for wanted in (
                HEADINGS["D"], "判定適合（余裕4.8）", "作成者山田", "施設名第２乾燥炉")):
            failures.append(f"--example --report: status {done.returncode}, {text}")
        if Path(made[0]).read_bytes() != Path(made[1]).read_bytes():
            failures.append("the same outlet by the same clock made two different files")
        # --grey: the page of a printer without colour has no coloured pixel; in colour it has.
        grey = os.path.join(folder, "grey.pdf")
        subprocess.run([calc, "--example", "--grey", "--report", grey], capture_output=True)
        if not os.path.exists(grey) or colour_spread(grey) > 4 or colour_spread(one) < 100:
            failures.append("--grey --report: a coloured page, or the colour page without colour")

        # Onto a device the PDF is written straight; a read-only file is not replaced.
        done = subprocess.run([calc, "--example", "--report", "/dev/null"], capture_output=True)
        if done.returncode != 0 or not stat.S_ISCHR(os.stat("/dev/null").st_mode):
            failures.append(f"--report /dev/null: status {done.returncode}")
        Path(one).chmod(0o444)
        done = subprocess.run(["setpriv", "--reuid=nobody", "--regid=nogroup", "--clear-groups",
                               calc, "--example", "--report", one], capture_output=True)
        if done.returncode != 2 or b"the file is read-only; nothing was written" not in done.stderr:
            failures.append(f"--report onto a read-only file: status {done.returncode}")
    for failure in failures:
        print(failure)
    print(f"{len(failures)} faults")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
