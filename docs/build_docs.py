#!/usr/bin/env python3
"""Renders the two documents that the program opens from its File menu.

    docs/build_docs.py --calc KAMORTE_CALC --shots DIR --work DIR --out DIR

- 操作マニュアル.pdf from docs/src/manual.html. Each picture of the program is written there
  as <figure class="shot" data-shot="NAME">…</figure>; it is shown when DIR/NAME.png exists
  (taken by the walk under Wine) and left out otherwise, so pictures of new screens come in
  by themselves. The names left out are printed and written to WORK/missing-screenshots.txt.
- 活用例.pdf from docs/src/examples.html and the outlets of docs/src/examples.json. Every
  number comes from `kamorte-calc --json`, run here for each outlet; the maps of cases C and D
  come from `kamorte-calc --map`. {{ID.key}} in the template is replaced by a value of
  example ID; an unknown key stops the build.

Only the standard library is used; the PDF is made by the weasyprint command.
"""
import argparse
import csv
import html
import io
import json
import math
import os
import re
import shlex
import shutil
import struct
import subprocess
import sys
from pathlib import Path

SRC = Path(__file__).resolve().parent / "src"
ROOT = Path(__file__).resolve().parent.parent

MANUAL = "操作マニュアル.pdf"
EXAMPLES = "活用例.pdf"

# Screen pixels to millimetres on the page: about 120 pixels to the inch.
MM_PER_PIXEL = 0.21

# How an option of kamorte-calc is named and written in the documents.
INPUTS = {
    "height": ("排出口の実高さ", "m"),
    "building": ("周辺最大建物高さ", "m"),
    "no1": ("１号基準（臭気指数）", ""),
    "size": ("排出口の大きさ", ""),
    "diameter": ("排出口の口径", "m"),
    "area": ("排出口の断面積", "m<sup>2</sup>"),
    "direction": ("排出口の向き", ""),
    "temperature": ("排出ガス温度", "℃"),
    "dry-flow": ("排出ガス流量（乾き）", "m<sup>3</sup>N/min"),
    "wet-flow": ("排出ガス流量（湿り）", "m<sup>3</sup>N/min"),
    "velocity": ("排出ガス吐出速度", "m/s"),
    "moisture": ("排出ガス水分量", "%"),
    "outlet-boundary": ("排出口と敷地境界との最短距離", "m"),
    "building-boundary": ("周辺最大建物と敷地境界との最短距離", "m"),
}
SIZE_WORDS = {
    "small": "小径（口径 0.6m 未満、断面積 0.28m<sup>2</sup> 未満）",
    "medium": "中径（口径 0.6m 以上 0.9m 未満、断面積 0.28m<sup>2</sup> 以上 0.64m<sup>2</sup> 未満）",
    "large": "大径（口径 0.9m 以上、断面積 0.64m<sup>2</sup> 以上）",
}
DIRECTION_WORDS = {"up": "上向き", "down": "下向き、横向き、陣笠、Ｈ型"}
DOWNWASH_WORDS = {0: "無（ダウンドラフトなし）", 1: "弱（弱いダウンドラフト）", 2: "強（強いダウンドラフト）"}


FULL_WIDTH = str.maketrans("0123456789", "０１２３４５６７８９")


def fail(message):
    sys.exit(f"build_docs: {message}")


def shown(value):
    """An integer as the program shows it: the integer part of value + 0.5."""
    return int(value + 0.5)


def grouped(value):
    return f"{value:,.0f}"


def concentration_text(value):
    """An odor concentration: small ones keep a decimal, so that their odor index can be read."""
    return f"{value:,.1f}" if value < 100 else grouped(value)


def png_size(path):
    with open(path, "rb") as f:
        head = f.read(24)
    if head[:8] != b"\x89PNG\r\n\x1a\n":
        fail(f"{path} is not a PNG file")
    return struct.unpack(">II", head[16:24])


def clean_png(source, target=None):
    """Writes the PNG without its time and text chunks, so that the same picture gives the
    same file and the same document."""
    data = Path(source).read_bytes()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        fail(f"{source} is not a PNG file")
    kept, at = [data[:8]], 8
    while at < len(data):
        length = struct.unpack(">I", data[at:at + 4])[0]
        chunk = data[at:at + 12 + length]
        if chunk[4:8] not in (b"tIME", b"tEXt", b"zTXt", b"iTXt"):
            kept.append(chunk)
        at += 12 + length
    Path(target or source).write_bytes(b"".join(kept))


def convert_to_png(source, target):
    subprocess.run(["convert", str(source), str(target)], check=True)
    clean_png(target)


# ---------------------------------------------------------------- the user manual

SHOT = re.compile(r'<figure class="shot( framed)?" data-shot="([a-z0-9_]+)"(?: data-scale="([0-9.]+)")?>(.*?)</figure>',
                  re.S)


def place_shots(text, shots, work):
    """Puts each picture that exists into its figure; drops the others."""
    used, missing = [], []
    (work / "shots").mkdir(exist_ok=True)

    def figure(match):
        framed, name, scale, inner = match.group(1), match.group(2), match.group(3), match.group(4)
        source = shots / f"{name}.png"
        if not source.is_file():
            missing.append(name)
            return ""
        clean_png(source, work / "shots" / source.name)
        width, _ = png_size(source)
        mm = width * MM_PER_PIXEL * float(scale or 1)
        used.append(name)
        css = ' class="framed"' if framed else ""
        return (f'<figure class="shot"><img{css} src="shots/{name}.png" style="width: {mm:.1f}mm" '
                f'alt="">{inner}</figure>')

    text = SHOT.sub(figure, text)
    return text, used, missing


# The outlets that the manual's pictures show, so that its texts quote the same numbers.
MANUAL_OUTLETS = {
    "low": {"height": "5", "no1": "12", "size": "small"},
    "tall": {"height": "30", "building": "10", "no1": "12", "diameter": "1", "direction": "up",
             "temperature": "80", "dry-flow": "300", "moisture": "10",
             "outlet-boundary": "50", "building-boundary": "20"},
}


def manual_values(calc):
    values = {}
    low = json.loads(run_calc(calc, MANUAL_OUTLETS["low"], ["--json"]))
    values["low"] = {"no1": shown(low["no1Index"]), "no2": shown(low["no2Index"]),
                     "dilution": shown(low["dilution"])}
    tall = json.loads(run_calc(calc, MANUAL_OUTLETS["tall"], ["--json"]))
    values["tall"] = {"index": shown(tall["allowableOutletIndex"]), "no1": shown(tall["no1Standard"]),
                      "dilution": shown(tall["dilutionDegree"]),
                      "ratetext": f"{tall['rateMantissaText']}<sup>{tall['rateExponentText']}</sup>",
                      "rate": grouped(tall["allowableEmissionRate"])}
    # The manual's rules are shown on two outlets of the worked examples: the one whose outlet
    # index and emission rate disagree, and the one whose shown rate hides a failing measurement.
    examples = {e["id"]: e for e in json.loads((SRC / "examples.json").read_text(encoding="utf-8"))}
    for ident in ("N", "D2"):
        v = tall_values(examples[ident], json.loads(run_calc(calc, examples[ident]["inputs"], ["--json"])),
                        None, maps=False)
        v.update({"in_" + k.replace("-", "_"): val for k, val in examples[ident]["inputs"].items()})
        values[ident.lower()] = v
    return values


def join_lines(text):
    """Joins source lines that break inside Japanese text, where HTML would show a blank."""
    return re.sub(r"(?<=[^\x00-\x7f>])\n[ \t]*(?=[^\x00-\x7f<])|(?<=>)\n[ \t]*(?=[^\x00-\x7f])"
                  r"|(?<=[^\x00-\x7f])\n[ \t]*(?=<(?:b|i|span|a|sup|sub|kbd)[ >])", "", text)


def fill_placeholders(text, values, source):
    def value(match):
        ident, key = match.group(1), match.group(2)
        if ident not in values or key not in values[ident]:
            fail(f"{source}: no value for {{{{{ident}.{key}}}}}")
        return str(values[ident][key])

    text = re.sub(r"\{\{\s*([A-Za-z0-9]+)\.([a-z0-9_]+)\s*\}\}", value, text)
    if "{{" in text:
        fail(f"{source}: a placeholder is left")
    return text


def program_pictures(text, work):
    """Converts the program's own pictures that a page names as res/bitmapNNN.png."""
    for name in sorted(set(re.findall(r'src="res/(bitmap[0-9]+)\.png"', text))):
        source = ROOT / "resources" / "images" / f"{name}.bmp"
        if not source.is_file():
            fail(f"no picture {source}")
        (work / "res").mkdir(exist_ok=True)
        convert_to_png(source, work / "res" / f"{name}.png")


# The tools chapter shows real runs of kamorte-calc in the project folder, so that what the
# manual prints is what the command prints:
#   <pre class="run" data-args="ARGS"></pre>           the command and its output
#   (WORK/ in ARGS is the build's work folder; data-shown="ARGS" is what the page shows as typed)
#   <table class="csv" data-file="PATH" data-columns="A|B"></table>   a code page 932 sheet
#   <table class="csv" data-args="ARGS" data-columns="A|B"></table>   a batch run's result
#   (data-status="N" on a run or a table: the exit status the run must end with)
#   <figure class="plot" data-args="ARGS">caption</figure>           a chart, ARGS ending in --plot
RUN = re.compile(r'<pre class="run" data-args="([^"]*)"(?: data-status="([0-9])")?'
                 r'(?: data-shown="([^"]*)")?></pre>')
CSV_TABLE = re.compile(r'<table class="csv" data-(file|args)="([^"]*)" data-columns="([^"]*)"'
                       r'(?: data-status="([0-9])")?></table>')
PLOT = re.compile(r'<figure class="plot" data-args="([^"]*)">(.*?)</figure>', re.S)


def run_in_project(calc, args, status=0, work=None):
    argv = [str(calc)] + [a.replace("WORK/", f"{work}/") if work else a
                          for a in shlex.split(html.unescape(args))]
    done = subprocess.run(argv, capture_output=True, cwd=ROOT)
    if done.returncode != status:
        fail(f"{' '.join(argv)} ended with {done.returncode}, not {status}: "
             f"{done.stderr.decode('utf-8', 'replace')}")
    return done.stdout, done.stderr.decode("utf-8")


def csv_table(rows, columns):
    """COLUMN or COLUMN:N, a number then shown with N decimals as the screens round it."""
    header = rows[0]
    names = [c.split(":")[0] for c in columns]
    missing = [c for c in names if c not in header]
    if missing:
        fail(f"no column {' '.join(missing)} in {' '.join(header)}")
    picks = [(header.index(c.split(":")[0]), c.split(":")[1] if ":" in c else None) for c in columns]

    def cell(row, index, decimals):
        value = row[index] if index < len(row) else ""
        if decimals is not None and value:
            value = f"{math.floor(float(value) * 10 ** int(decimals) + 0.5) / 10 ** int(decimals):.{decimals}f}"
        return f"<td>{html.escape(value)}</td>"

    head = "".join(f"<th>{html.escape(c)}</th>" for c in names)
    body = "".join("<tr>" + "".join(cell(r, i, d) for i, d in picks) + "</tr>" for r in rows[1:])
    return f'<table class="sheet"><thead><tr>{head}</tr></thead><tbody>{body}</tbody></table>'


def tool_runs(text, calc, work):
    def run(match):
        args, status, typed = match.groups()
        out, err = run_in_project(calc, args, int(status or 0), work)
        shown = f"> kamorte-calc {html.unescape(typed or args)}\n" + out.decode("utf-8") + err
        return f'<pre class="run">{html.escape(shown.rstrip())}</pre>'

    def table(match):
        kind, source, columns, status = match.groups()
        if kind == "file":
            data = (ROOT / source).read_bytes().decode("cp932")
        else:
            data = run_in_project(calc, source, int(status or 0))[0].decode("utf-8-sig")
        return csv_table(list(csv.reader(io.StringIO(data, newline=""))), columns.split("|"))

    plots = []

    def plot(match):
        target = work / "plots" / f"chart{len(plots) + 1}.svg"
        target.parent.mkdir(exist_ok=True)
        run_in_project(calc, match.group(1).replace("CHART.svg", str(target)))
        plots.append(target)
        return (f'<figure class="plot"><img src="plots/{target.name}" style="width: 150mm" alt="">'
                f'{match.group(2)}</figure>')

    text = RUN.sub(run, text)
    text = CSV_TABLE.sub(table, text)
    return PLOT.sub(plot, text)


def build_manual(args, work):
    text = join_lines((SRC / "manual.html").read_text(encoding="utf-8"))
    text = fill_placeholders(text, manual_values(args.calc), "manual.html")
    text = tool_runs(text, args.calc, work)
    program_pictures(text, work)
    text, used, missing = place_shots(text, args.shots, work)
    if "data-shot" in text:
        fail("manual.html has a picture that is not written as <figure class=\"shot\" data-shot=…>")
    (work / "manual.html").write_text(text, encoding="utf-8")
    render(work / "manual.html", args.out / MANUAL)
    return used, missing


# ---------------------------------------------------------------- the worked examples

def run_calc(calc, inputs, extra=()):
    argv = [str(calc)]
    for key, value in inputs.items():
        if key not in INPUTS:
            fail(f"unknown input {key}")
        argv += [f"--{key}", str(value)]
    argv += list(extra)
    done = subprocess.run(argv, capture_output=True)
    if done.returncode != 0:
        fail(f"{' '.join(argv)} ended with {done.returncode}: {done.stderr.decode('utf-8', 'replace')}")
    return done.stdout.decode("utf-8")


def input_rows(inputs):
    rows = []
    for key, value in inputs.items():
        label, unit = INPUTS[key]
        if key == "size":
            shown_value = SIZE_WORDS[value]
        elif key == "direction":
            shown_value = DIRECTION_WORDS[value]
        else:
            shown_value = f"{html.escape(str(value))} {unit}".strip()
        rows.append(f"<tr><th>{label}</th><td>{shown_value}</td></tr>")
    return "<table class=\"inputs\"><tbody>" + "".join(rows) + "</tbody></table>"


def low_values(example, result):
    no1, no2, dilution = result["no1Index"], result["no2Index"], result["dilution"]
    v = {
        "no1": shown(no1),
        "no2": shown(no2),
        "dilution": shown(dilution),
        "no2raw": f"{no2:.2f}",
        "dilutionraw": f"{dilution:.2f}",
    }
    if v["no2"] != v["no1"] + v["dilution"]:
        fail(f"example {example['id']}: {v['no2']} is not {v['no1']} + {v['dilution']}")
    v["resultline"] = (f"２号基準：臭気指数 {v['no2']}（ ＝ １号基準({v['no1']}) ＋ 希釈度({v['dilution']}) ）")
    v["results"] = (
        "<table class=\"results\"><tbody>"
        f"<tr><th>２号基準（排出口の許容臭気指数）</th><td class=\"result big\">臭気指数 {v['no2']}</td></tr>"
        f"<tr><th>希釈度</th><td class=\"result\">{v['dilution']}</td></tr>"
        f"<tr><th>１号基準</th><td>臭気指数 {v['no1']}</td></tr>"
        "</tbody></table>")
    # The explanation the document gives, checked against the program's number: the No. 2
    # standard is the No. 1 standard plus 10 log10 (K He^2).
    inputs = example["inputs"]
    height = float(inputs["height"])
    k = {"small": 0.69, "medium": 0.2, "large": 0.1}[inputs["size"]]
    if example["case"] == "A":
        he = 1.5 * height
    else:
        building = float(inputs["building"])
        he = 10.0 if building < 10 else (1.5 * height if building >= 1.5 * height else building)
    term = 10 * math.log10(k * he * he)
    if no2 > no1 and abs(no1 + term - no2) > 1e-9:
        fail(f"example {example['id']}: the explanation gives {no1 + term}, the program {no2}")
    v.update({"k": k, "he": f"{he:g}", "term": f"{term:.2f}"})
    # The outlet as the text describes it must be of the size class entered.
    described = example.get("describedDiameter")
    if described is not None:
        low, high = {"small": (0, 0.6), "medium": (0.6, 0.9), "large": (0.9, math.inf)}[inputs["size"]]
        if not low <= described < high:
            fail(f"example {example['id']}: a diameter of {described} m is not {inputs['size']}")
        v["describeddiameter"] = f"{described:g}"
    measured = example.get("measuredIndex")
    if measured is not None:
        v["measured"] = measured
        v["judge"] = judge_index(measured, v["no2"])
    return v


def judge_index(measured, standard):
    if measured <= standard:
        return (f"たとえば排出口で測定した臭気指数が {measured} であれば、２号基準の臭気指数 {standard} 以下ですから、"
                "この排出口は基準に適合しています。")
    return (f"たとえば排出口で測定した臭気指数が {measured} であれば、２号基準の臭気指数 {standard} を超えていますから、"
            f"この排出口は基準に適合していません。脱臭設備などで、排出口の臭気指数を {measured - standard} 以上"
            "下げる対策が必要です。")


def map_figure(example, result, work):
    """The dilution map of kamorte-calc with its colour bar and axis texts, as on the screen."""
    ident = example["id"]
    bmp = work / "maps" / f"map-{ident}.bmp"
    png = work / "maps" / f"map-{ident}.png"
    bmp.parent.mkdir(exist_ok=True)
    run_calc(example["calc"], example["inputs"], ["--map", str(bmp)])
    convert_to_png(bmp, png)
    bar = work / "maps" / "colour-bar.png"
    if not bar.exists():
        convert_to_png(ROOT / "resources/images/bitmap155.bmp", bar)
    red, white = shown(result["redLimit"]), shown(result["whiteLimit"])
    middle_sum = shown(result["redLimit"] + result["whiteLimit"])
    middle = str(middle_sum // 2) if middle_sum % 2 == 0 else ""
    return (
        '<figure><div class="map"><table><tbody><tr>'
        f'<td><div class="barlabels"><span class="top">{white}</span><span class="mid">{middle}</span>'
        f'<span class="bottom">{red}</span></div></td>'
        '<td><div class="bar"><img src="maps/colour-bar.png" alt=""></div></td>'
        f'<td><div class="axis">高さ {result["displayHeight"]}m</div>'
        f'<img class="field" src="maps/{png.name}" alt="">'
        f'<div class="axis" style="text-align: right">風下距離 {result["downwindRange"]}m</div></td>'
        '</tr></tbody></table></div>'
        f'<figcaption>{html.escape(example["title"])}の希釈度マップ（左の色の帯は希釈度、'
        f'<span class="mark-boundary">▲</span> 敷地境界、<span class="mark-landing">▼</span> 最大着地濃度地点）'
        '</figcaption></figure>')


def tall_values(example, result, work, maps=True):
    no1 = result["no1Standard"]
    index = result["allowableOutletIndex"]
    dilution = result["dilutionDegree"]
    rate = result["allowableEmissionRate"]
    dry = result["dryFlow"]
    v = {
        "no1": shown(no1),
        "index": shown(index),
        "dilution": shown(dilution),
        "indexraw": f"{index:.1f}",
        "mantissa": result["rateMantissaText"],
        "exponent": result["rateExponentText"],
        "rate": grouped(rate),
        "dryflow": result["dryFlowText"],
        # The printed report gives the effective height with two decimals.
        "effective": f"{result['effectiveHeight']:.2f}",
        "downwash": DOWNWASH_WORDS[result["downwashClass"]],
        "landing": result["landingRow"] + 1,
        "landingdilution": result["landingDilutionText"],
        "boundary": result["boundaryText"],
        "red": shown(result["redLimit"]),
        "white": shown(result["whiteLimit"]),
        "range": result["downwindRange"],
        "mapheight": result["displayHeight"],
    }
    if v["index"] != v["no1"] + v["dilution"]:
        fail(f"example {example['id']}: {v['index']} is not {v['no1']} + {v['dilution']}")
    if not result["outletIndexText"].startswith(f"{v['index']} "):
        fail(f"example {example['id']}: the screen text {result['outletIndexText']!r} "
             f"does not begin with {v['index']}")
    # The allowable odor concentration at the outlet at the entered dry flow, and its odor
    # index. It equals the shown outlet index only while the dilution degree was not raised
    # to 0: the raised index is then higher than the rate allows.
    concentration = rate / dry
    v["concentration"] = concentration_text(concentration)
    v["concentrationindex"] = f"{10 * math.log10(concentration):.1f}"
    agrees = abs(10 * math.log10(concentration) - index) <= 0.01
    if example.get("role") != "disagreement" and not agrees:
        fail(f"example {example['id']}: 10 log10 (rate / flow) is not the outlet index")
    if example.get("role") == "disagreement" and agrees:
        fail(f"example {example['id']}: the outlet index agrees with the rate; it shows nothing")
    v["ratetext"] = f"{v['mantissa']}<sup>{v['exponent']}</sup>"
    # The measured rates that the shown, rounded rate cannot decide.
    mantissa, power = float(v["mantissa"].split("×")[0]), int(v["exponent"])
    v["shownlow"] = grouped((mantissa - 0.05) * 10 ** power)
    v["shownhigh"] = grouped((mantissa + 0.05) * 10 ** power)
    v["indextext"] = (f"{v['index']}　（＝1号基準（{v['no1']}）＋希釈度（{v['dilution']}））")
    screen = [
        ("２号基準：臭気排出強度（ＫＶＴ）", f"<span class=\"result big\">{v['ratetext']}</span> m<sup>3</sup>N/min"),
        ("排出口における許容臭気指数", f"<span class=\"result big\">{v['indextext']}</span>"),
        ("標準状態における排出ガス流量（乾き）", f"<span class=\"result\">{v['dryflow']}</span> m<sup>3</sup>/min"),
        ("敷地境界　：風下距離", f"<span class=\"result\">{v['boundary']}</span> m" if v["boundary"] else "（表示なし）"),
        ("最大着地濃度地点　：風下距離", f"<span class=\"result\">{v['landing']}</span> m"),
        ("最大着地濃度地点　：希釈度", f"<span class=\"result\">{v['landingdilution']}</span>"),
    ]
    printed = [
        ("周辺建物による拡散影響（ダウンドラフト）", v["downwash"]),
        ("有効発生源高さ（ダウンドラフトを含む）", f"{v['effective']} m"),
    ]
    calc = [
        ("許容臭気排出強度（計算値）", f"{v['rate']} m<sup>3</sup>N/min"),
        ("排出口における許容臭気指数（丸める前）", v["indexraw"]),
    ]

    def table(caption, rows):
        return (f"<table class=\"results\"><caption>{caption}</caption><tbody>"
                + "".join(f"<tr><th>{a}</th><td>{b}</td></tr>" for a, b in rows)
                + "</tbody></table>")

    v["results"] = (table("画面に表示される値", screen)
                    + table("印刷した報告書にだけ載る値", printed)
                    + table("計算値（この冊子を作るときに kamorte-calc で求めた、丸める前の値）", calc))
    v["map"] = map_figure(example, result, work) if maps else ""
    measured = example.get("measuredConcentration")
    if measured is not None:
        emission = measured * dry
        v["measured"] = grouped(measured)
        v["measuredindex"] = f"{10 * math.log10(measured):.1f}"
        v["measuredrate"] = grouped(emission)
        if emission <= rate:
            verdict = (f"これは許容臭気排出強度の計算値 {v['rate']} m<sup>3</sup>N/min 以下ですから、"
                       "この排出口は基準に適合しています。")
        else:
            verdict = (f"これは許容臭気排出強度の計算値 {v['rate']} m<sup>3</sup>N/min を超えていますから、"
                       "この排出口は基準に適合していません。")
        v["judge"] = (
            f"たとえば排出口で測った臭気濃度が {v['measured']}、測った乾きの排出ガス流量が {v['dryflow']} "
            f"m<sup>3</sup>N/min のとき、臭気排出強度は {v['measured']} × {v['dryflow']} ＝ {v['measuredrate']} "
            "m<sup>3</sup>N/min です。" + verdict)
    near = example.get("measuredRateNearLimit")
    if near is not None:
        # A measured rate between the exact allowable rate and the shown, rounded one: it
        # looks compliant on screen and is not.
        upper = mantissa * 10 ** power
        if not rate < near <= upper:
            fail(f"example {example['id']}: {near} is not between {rate} and the shown {upper}")
        v["nearrate"] = grouped(near)
    return v


def example_values(calc, work, maps=True):
    """Runs kamorte-calc for every outlet of examples.json and returns the outlets, the values
    that fill examples.html, and the program's results by example."""
    examples = json.loads((SRC / "examples.json").read_text(encoding="utf-8"))
    values, results = {}, {}
    for example in examples:
        example["calc"] = calc
        result = json.loads(run_calc(calc, example["inputs"], ["--json"]))
        if result["case"] != example["case"]:
            fail(f"example {example['id']} is case {result['case']}, not {example['case']}")
        # What the example's text says about the result, such as its downdraft.
        for key, expected in example.get("expect", {}).items():
            if result[key] != expected:
                fail(f"example {example['id']}: {key} is {result[key]}, the text says {expected}")
        if example["case"] in "AB":
            v = low_values(example, result)
        else:
            v = tall_values(example, result, work, maps)
        v["inputs"] = input_rows(example["inputs"])
        v["title"] = html.escape(example["title"])
        v["case"] = example["case"]
        v["command"] = html.escape("kamorte-calc " + " ".join(
            f"--{k} {val}" for k, val in example["inputs"].items()))
        for key, value in example["inputs"].items():
            v["in_" + key.replace("-", "_")] = value
        values[example["id"]] = v
        results[example["id"]] = result

    rows = []
    chapters = [e for e in examples if "role" not in e]
    for number, example in enumerate(chapters, 1):
        v = values[example["id"]]
        if example["case"] in "AB":
            standard, rate = f"臭気指数 {v['no2']}", "（２号基準と同じ）"
        else:
            standard, rate = f"{v['ratetext']} m<sup>3</sup>N/min", f"臭気指数 {v['index']}（目安）"
        building = example["inputs"].get("building", "－")
        rows.append(f"<tr data-example=\"{example['id']}\"><td>例{str(number).translate(FULL_WIDTH)}　{v['title']}</td><td class=\"c\">{example['case']}</td>"
                    f"<td class=\"num\">{example['inputs']['height']} m</td><td class=\"num\">{building}"
                    f"{' m' if building != '－' else ''}</td><td class=\"num\">{v['no1']}</td>"
                    f"<td class=\"num\">{standard}</td><td class=\"num\">{v['dilution']}</td>"
                    f"<td class=\"num\">{rate}</td></tr>")
    values["all"] = {"summary": "".join(rows)}
    return examples, values, results


def fill_examples(values):
    text = join_lines((SRC / "examples.html").read_text(encoding="utf-8"))
    return fill_placeholders(text, values, "examples.html")


def build_examples(args, work):
    _, values, results = example_values(args.calc, work)
    (work / "results").mkdir(exist_ok=True)
    for ident, result in results.items():
        (work / "results" / f"{ident}.json").write_text(json.dumps(result, ensure_ascii=False),
                                                        encoding="utf-8")
    text = fill_examples(values)
    program_pictures(text, work)
    (work / "examples.html").write_text(text, encoding="utf-8")
    render(work / "examples.html", args.out / EXAMPLES)
    return values


# ---------------------------------------------------------------- common

def render(source, target):
    target.parent.mkdir(parents=True, exist_ok=True)
    # The font subsets carry a time stamp; a fixed one makes the same pages the same file.
    env = dict(os.environ, SOURCE_DATE_EPOCH="1704067200")
    done = subprocess.run(["weasyprint", "--quiet", str(source), str(target)], capture_output=True, env=env)
    if done.returncode != 0:
        fail(f"weasyprint {source.name}: {done.stderr.decode('utf-8', 'replace')}")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--calc", type=Path, required=True)
    parser.add_argument("--shots", type=Path, required=True)
    parser.add_argument("--work", type=Path, required=True)
    parser.add_argument("--out", type=Path, required=True)
    args = parser.parse_args()

    work = args.work
    if work.exists():
        shutil.rmtree(work)
    work.mkdir(parents=True)
    shutil.copyfile(SRC / "style.css", work / "style.css")

    used, missing = build_manual(args, work)
    values = build_examples(args, work)
    (work / "missing-screenshots.txt").write_text("".join(f"{m}\n" for m in missing), encoding="utf-8")
    print(f"{MANUAL}: {len(used)} screenshots: {' '.join(used)}")
    if missing:
        print(f"{MANUAL}: described without a screenshot: {' '.join(missing)}")
    print(f"{EXAMPLES}: examples {' '.join(values)}")


if __name__ == "__main__":
    main()
