#!/usr/bin/env python3
"""Every kamorte-calc run that the README shows prints what the README says it prints.

    readme_commands_test.py --calc KAMORTE_CALC [--update]

A ```console block holds commands after "$ " and, under each, its output (standard output,
then standard error). A picture after "<!-- chart: ARGS -->" is the chart --plot draws for ARGS. Commands run in the project folder; "kamorte-calc" names the binary
given. --update writes the outputs of today's binary into the README instead of comparing.
"""
import argparse
import re
import shlex
import subprocess
import sys
import tempfile
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
README = ROOT / "README.md"
BLOCK = re.compile(r"```console\n(.*?)```", re.S)
CHART = re.compile(r"<!-- chart: (.*?) -->\n!\[[^]]*\]\(([^)]+\.svg)\)")


def run(calc, command):
    argv = shlex.split(command)
    if argv[0] != "kamorte-calc":
        sys.exit(f"README: a console block runs {argv[0]}, not kamorte-calc")
    done = subprocess.run([str(calc)] + argv[1:], capture_output=True, cwd=ROOT)
    return (done.stdout + done.stderr).decode("utf-8").replace("\r\n", "\n")


def check_block(calc, body, update, failures):
    out = []
    for part in re.split(r"^(?=\$ )", body, flags=re.M):
        if not part.strip():
            continue
        command, _, shown = part.partition("\n")
        printed = run(calc, command[2:])
        if printed != shown and not update:
            failures.append(f"{command}\n--- README\n{shown}--- kamorte-calc\n{printed}")
        out.append(f"{command}\n{printed}")
    return "".join(out)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--calc", type=Path, required=True)
    parser.add_argument("--update", action="store_true")
    args = parser.parse_args()
    text = README.read_text(encoding="utf-8")
    failures = []
    blocks = 0

    def block(match):
        nonlocal blocks
        blocks += 1
        return "```console\n" + check_block(args.calc, match.group(1), args.update, failures) + "```"

    new = BLOCK.sub(block, text)
    for args_text, path in CHART.findall(text):
        with tempfile.TemporaryDirectory() as folder:
            drawn = Path(folder) / "chart.svg"
            run(args.calc, f"kamorte-calc {args_text} --plot {drawn}")
            if args.update:
                (ROOT / path).write_bytes(drawn.read_bytes())
            elif not (ROOT / path).is_file() or (ROOT / path).read_bytes() != drawn.read_bytes():
                failures.append(f"{path} is not the chart of: kamorte-calc {args_text}")
    if blocks == 0:
        sys.exit("README: no console block")
    if args.update:
        README.write_text(new, encoding="utf-8")
    for f in failures:
        print(f)
    print(f"{blocks} console blocks, {len(failures)} differ")
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
