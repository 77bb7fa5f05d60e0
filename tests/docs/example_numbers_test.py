#!/usr/bin/env python3
"""Every number that the worked examples quote for an outlet is one that kamorte-calc gives
for that outlet, or follows from it, its inputs and the measured values of examples.json.

    example_numbers_test.py --calc KAMORTE_CALC

The page is filled as `make docs` fills it (without the maps and the PDF); each passage
marked data-example="ID" is then read number by number. kamorte-calc is run here again, so
a number that the page gets from anywhere else, typed or derived wrongly, fails the test.
"""
import argparse
import html.parser
import json
import math
import re
import subprocess
import sys
import tempfile
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
sys.path.insert(0, str(ROOT / "docs"))
import build_docs  # noqa: E402

# Numbers of the method that belong to no outlet: units (m3, He2), the case bounds, the
# downdraft ratios, the case C outlet, the size classes and their coefficients.
METHOD_NUMBERS = {"0", "1", "2", "3", "10", "15", "6.7", "1.5", "2.5", "0.9", "0.6", "0.28", "0.64",
                  "0.69", "0.2", "0.1"}

SIZE_K = {"small": 0.69, "medium": 0.2, "large": 0.1}

NUMBER = re.compile(r"[0-9][0-9,]*(?:\.[0-9]+)?")


def forms(value):
    """The ways the page may write a number: as the program shows an integer, to one or two
    decimals, or whole with thousands separators (compared without the separators)."""
    value = float(value)
    out = {str(int(value + 0.5)), f"{value:.0f}", f"{value:.1f}", f"{value:.2f}", f"{value:g}"}
    return out


def run_calc(calc, inputs):
    argv = [str(calc)]
    for key, value in inputs.items():
        argv += [f"--{key}", str(value)]
    done = subprocess.run(argv + ["--json"], capture_output=True, check=True)
    return json.loads(done.stdout.decode("utf-8"))


def outlet_numbers(example, result):
    """The numbers that may be quoted for one outlet."""
    allowed = set()
    for key, value in result.items():
        if isinstance(value, (int, float)) and not isinstance(value, bool):
            allowed |= forms(value)
        elif isinstance(value, str):
            allowed |= {n.replace(",", "") for n in NUMBER.findall(value)}
    for value in example["inputs"].values():
        if NUMBER.fullmatch(value):
            allowed |= forms(value) | {value}
    if "describedDiameter" in example:
        allowed |= forms(example["describedDiameter"])
    if example["case"] in "AB":
        height = float(example["inputs"]["height"])
        k = SIZE_K[example["inputs"]["size"]]
        if example["case"] == "A":
            he = 1.5 * height
        else:
            building = float(example["inputs"]["building"])
            he = 10.0 if building < 10 else min(building, 1.5 * height)
        allowed |= forms(k) | forms(he) | forms(10 * math.log10(k * he * he))
        allowed |= forms(result["no2Index"]) | forms(result["dilution"]) | forms(result["no1Index"])
        measured = example.get("measuredIndex")
        if measured is not None:
            allowed |= forms(measured) | forms(measured - int(result["no2Index"] + 0.5))
        return allowed
    rate, dry = result["allowableEmissionRate"], result["dryFlow"]
    allowed |= forms(rate / dry) | forms(10 * math.log10(rate / dry)) | forms(result["landingRow"] + 1)
    mantissa = float(result["rateMantissaText"].split("×")[0])
    power = int(result["rateExponentText"])
    allowed |= forms((mantissa - 0.05) * 10 ** power) | forms((mantissa + 0.05) * 10 ** power)
    measured = example.get("measuredConcentration")
    if measured is not None:
        allowed |= forms(measured) | forms(measured * dry) | forms(10 * math.log10(measured))
    near = example.get("measuredRateNearLimit")
    if near is not None:
        allowed |= forms(near)
    return allowed


class Passages(html.parser.HTMLParser):
    """Collects the text of each data-example passage, tags read as blanks so that 10<sup>6</sup>
    stays two numbers."""

    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.stack = []
        self.texts = []

    def handle_starttag(self, tag, attrs):
        ident = dict(attrs).get("data-example")
        self.stack.append((tag, ident))
        if ident is not None:
            self.texts.append([ident, ""])
        self.add(" ")

    def add(self, text):
        # Headings carry the chapter numbers, not the outlet's.
        if any(name in ("h1", "h2", "h3") for name, _ in self.stack):
            return
        owner = next((ident for _, ident in reversed(self.stack) if ident is not None), None)
        if owner is None:
            return
        for entry in reversed(self.texts):
            if entry[0] == owner:
                entry[1] += text
                break

    def handle_endtag(self, tag):
        while self.stack:
            name, _ = self.stack.pop()
            if name == tag:
                break
        self.add(" ")

    def handle_data(self, data):
        self.add(data)


def stray_numbers(text, allowed):
    return [n for n in NUMBER.findall(text) if n.replace(",", "") not in allowed]


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--calc", type=Path, required=True)
    calc = parser.parse_args().calc

    examples, values, _ = build_docs.example_values(calc, Path(tempfile.mkdtemp()), maps=False)
    page = build_docs.fill_examples(values)
    by_id = {e["id"]: e for e in examples}
    results = {ident: run_calc(calc, e["inputs"]) for ident, e in by_id.items()}
    allowed = {ident: outlet_numbers(by_id[ident], results[ident]) | METHOD_NUMBERS for ident in by_id}
    # Example 5 is read against example 4, the same boiler stack without its cap.
    allowed["D2"] |= allowed["D"]

    failures = []

    # The check itself: the program's own number passes, one next to it does not.
    a, d2 = results["A"], results["D2"]
    probes = [
        ("A", f"臭気指数 {int(a['no2Index'] + 0.5)}", True),
        ("A", f"臭気指数 {int(a['no2Index'] + 0.5) + 1}", False),
        ("D2", f"{d2['allowableEmissionRate']:,.0f} m3N/min", True),
        ("D2", f"{d2['allowableEmissionRate'] + 1:,.0f} m3N/min", False),
        ("D2", f"{d2['rateMantissaText']}<sup>{d2['rateExponentText']}</sup>", True),
        ("D2", f"{float(d2['rateMantissaText'].split('×')[0]) - 0.1:.1f}×10", False),
        ("D2", f"有効発生源高さ {d2['effectiveHeight'] + 0.5:.2f} m", False),
    ]
    for ident, snippet, passes in probes:
        reader = Passages()
        reader.feed(f'<p data-example="{ident}">{snippet}</p>')
        found = stray_numbers(reader.texts[0][1], allowed[ident])
        if (not found) != passes:
            failures.append(f"the check {'rejects' if found else 'accepts'} {snippet!r} for {ident}")

    reader = Passages()
    reader.feed(page)
    seen = set()
    for ident, text in reader.texts:
        if ident not in allowed:
            failures.append(f"a passage names example {ident}, which examples.json does not have")
            continue
        seen.add(ident)
        for number in stray_numbers(text, allowed[ident]):
            failures.append(f"example {ident}: {number} is not a number of kamorte-calc for this outlet")
    for ident in by_id:
        if ident not in seen:
            failures.append(f"example {ident} has no passage marked data-example=\"{ident}\"")

    for failure in failures:
        print(failure)
    print(f"{len(reader.texts)} passages of {len(by_id)} examples read, {len(failures)} faults")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
