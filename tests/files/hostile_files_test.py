#!/usr/bin/env python3
"""kamorte-calc against broken files and a hostile environment: every case ends in a result
or a message and a non-zero status, never in a crash, and no file the command names is left
half-written.

    hostile_files_test.py --calc KAMORTE_CALC

Permission cases run as nobody (the tests run as root, which reads anything), with the
program and its files copied where nobody may go.
"""
import argparse
import json
import os
import random
import shutil
import subprocess
import sys
import tempfile
from pathlib import Path

EXAMPLE_D = ["--height", "30", "--building", "10", "--no1", "12", "--diameter", "1",
             "--direction", "up", "--temperature", "80", "--dry-flow", "300",
             "--moisture", "10", "--outlet-boundary", "50", "--building-boundary", "20"]
ROOT = Path(__file__).resolve().parents[2]
AS_NOBODY = ["setpriv", "--reuid=nobody", "--regid=nogroup", "--clear-groups"]
failures = []


def check(condition, what):
    if not condition:
        failures.append(what)
        print("FAIL:", what, file=sys.stderr)


def run(calc, args, cwd, env=None, user=None, stdout=subprocess.PIPE):
    command = (AS_NOBODY if user == "nobody" else []) + [str(calc)] + args
    return subprocess.run(command, cwd=cwd, env=env, stdout=stdout, stderr=subprocess.PIPE,
                          timeout=120)


def crashed(result):
    return result.returncode < 0 or result.returncode > 3


def smell_prm_cases(calc, work):
    """smell.prm of every kind: the results are the defaults' or a file's, and kamorte-calc
    says which; the line on standard error appears exactly when there is a file."""
    rng = random.Random(14)
    defaults = run(calc, EXAMPLE_D + ["--json"], work)
    check(defaults.returncode == 0, "example D computes without smell.prm")
    base = json.loads(defaults.stdout)
    rows = [
        # name, how to make it, user, expected file state, results the defaults'
        ("missing", None, None, "absent", True),
        ("empty", lambda p: p.write_bytes(b""), None, "read", True),
        ("10 MB of digits", lambda p: p.write_bytes(b"9" * 10_000_000), None, "read", False),
        ("binary", lambda p: p.write_bytes(bytes(rng.randrange(256) for _ in range(70000))),
         None, "read", None),
        ("a folder", lambda p: p.mkdir(), None, "unreadable", True),
        ("unreadable", lambda p: (p.write_bytes(b"   2.0   2.0   1.0   0.3\n"), p.chmod(0)),
         "nobody", "unreadable", True),
    ]
    for name, make, user, state, same in rows:
        folder = Path(tempfile.mkdtemp(dir=work))
        folder.chmod(0o755)
        if make:
            make(folder / "smell.prm")
        result = run(calc, EXAMPLE_D + ["--json"], folder, user=user)
        check(not crashed(result), f"smell.prm {name}: status {result.returncode}")
        if result.returncode != 0:
            # A garbage file may leave the flow guard or the memory refusal: said, not shown.
            check(result.stdout.strip() == b"" or b"Illegal" in result.stdout,
                  f"smell.prm {name}: a refused computation shows no result")
            continue
        out = json.loads(result.stdout)
        prm = out["smellPrm"]
        check(prm["file"] == state, f"smell.prm {name}: file {prm['file']}, expected {state}")
        check(prm["read"] == (state == "read"), f"smell.prm {name}: read flag")
        check(prm["path"].endswith("smell.prm"), f"smell.prm {name}: path {prm['path']}")
        said = result.stderr.decode()
        check((said != "") == (state != "absent"), f"smell.prm {name}: stderr {said!r}")
        check(said.count("\n") <= 1, f"smell.prm {name}: one line at most")
        out.pop("smellPrm")
        base_results = dict(base)
        base_results.pop("smellPrm")
        if same is not None:
            check((out == base_results) == same, f"smell.prm {name}: results as the defaults")
        if same:
            check(prm["valuesChanged"] == 0, f"smell.prm {name}: no constant changed")
        shutil.rmtree(folder, ignore_errors=True)


def output_cases(calc, work):
    """Outputs that cannot be written: a message, a non-zero status and nothing under the
    name; an old file keeps its contents."""
    folder = Path(tempfile.mkdtemp(dir=work))
    folder.chmod(0o755)
    locked = folder / "locked"
    locked.mkdir()
    (locked / "old.bmp").write_bytes(b"old map")
    (locked / "old.bmp").chmod(0o666)  # the folder, not the file, is what nobody may write
    locked.chmod(0o555)
    (folder / "a folder.bmp").mkdir()
    rows = [
        # name, options, user, the path that must not hold a new file
        ("--map into a missing folder", ["--map", "missing/map.bmp"], None, "missing/map.bmp"),
        ("--grid into a missing folder", ["--grid", "missing/grid"], None, "missing/grid"),
        ("--map onto a folder", ["--map", "a folder.bmp"], None, None),
        ("--grid onto a folder", ["--grid", "a folder.bmp"], None, None),
        ("--map over a file in a folder nobody may write", ["--map", "locked/old.bmp"],
         "nobody", None),
    ]
    for name, options, user, absent in rows:
        result = run(calc, EXAMPLE_D + options, folder, user=user)
        check(result.returncode not in (0,) and not crashed(result),
              f"{name}: status {result.returncode}")
        check(b"cannot write" in result.stderr, f"{name}: message {result.stderr!r}")
        if absent:
            check(not (folder / absent).exists(), f"{name}: nothing under the name")
    check((locked / "old.bmp").read_bytes() == b"old map", "the old map stays whole")
    check(sorted(p.name for p in locked.iterdir()) == ["old.bmp"], "no temporary file is left")
    check(sorted(p.name for p in (folder / "a folder.bmp").iterdir()) == [],
          "the folder under the name stays empty")

    with open("/dev/full", "wb") as full:
        result = run(calc, EXAMPLE_D, folder, stdout=full)
    check(result.returncode != 0 and not crashed(result), f"/dev/full: status {result.returncode}")
    check(b"standard output" in result.stderr, f"/dev/full: message {result.stderr!r}")

    for name, path in [("missing", folder / "no such.csv"), ("a folder", locked)]:
        result = run(calc, ["--batch", str(path)], folder)
        check(result.returncode == 2, f"batch file {name}: status {result.returncode}")
        check(result.stderr.startswith(b"kamorte-calc: "), f"batch file {name}: a message")
    locked.chmod(0o755)
    shutil.rmtree(folder, ignore_errors=True)


def special_target_cases(calc, work):
    """Outputs onto what is not a plain file of the user's: /dev/null stays a device, a link
    stays a link and its file gets the result, a pipe's reader gets it, a read-only file and
    a file in a read-only folder are refused and keep their contents. Run as nobody, for
    whom read-only means something."""
    folder = Path(tempfile.mkdtemp(dir=work))
    folder.chmod(0o777)
    sample = folder / "outlets.csv"
    shutil.copy(ROOT / "docs" / "samples" / "outlets.csv", sample)
    sample.chmod(0o644)
    # The sample's last row has a fault on purpose: a batch of it ends with status 1.
    commands = [("--map", EXAMPLE_D + ["--map"], 0),
                ("--batch --output", ["--batch", str(sample), "--output"], 1)]
    for command, options, computed in commands:
        for target in ["/dev/null", "link", "pipe", "read-only", "read-only folder"]:
            name = f"{command} onto {target}"
            here, there = folder / "here", folder / "there"
            for place in (here, there):
                shutil.rmtree(place, ignore_errors=True)
                place.mkdir()
                place.chmod(0o777)
            path, kept, reader = here / "result", None, None
            if target == "/dev/null":
                path = Path("/dev/null")
            elif target == "link":
                kept = there / "kept"
                kept.write_bytes(b"old result")
                kept.chmod(0o666)
                path.symlink_to(kept)
            elif target == "pipe":
                os.mkfifo(path)
                path.chmod(0o666)
                # Into a file: a reader held up by its own full pipe would hold up the writer.
                received = tempfile.TemporaryFile()
                reader = subprocess.Popen(AS_NOBODY + ["cat", str(path)], stdout=received)
            else:
                path.write_bytes(b"old result")
                path.chmod(0o444 if target == "read-only" else 0o666)
                if target == "read-only folder":
                    here.chmod(0o555)
            result = run(calc, options + [str(path)], folder, user="nobody")
            refused = target.startswith("read-only")
            check(result.returncode == (2 if refused else computed),
                  f"{name}: status {result.returncode} {result.stderr!r}")
            if target == "read-only":
                check(f"kamorte-calc: {path}: the file is read-only; nothing was written"
                      .encode() in result.stderr, f"{name}: message {result.stderr!r}")
                check(path.stat().st_mode & 0o777 == 0o444, f"{name}: its mode stays")
            if target == "read-only folder":
                check(b"cannot write" in result.stderr, f"{name}: message {result.stderr!r}")
            if refused:
                check(path.read_bytes() == b"old result", f"{name}: the old result stays whole")
                check([p.name for p in here.iterdir()] == ["result"], f"{name}: nothing else")
            if target == "/dev/null":
                check(path.is_char_device(), f"{name}: /dev/null is still a device")
            if target == "link":
                check(path.is_symlink(), f"{name}: the link stays a link")
                check(kept.read_bytes() != b"old result" and len(kept.read_bytes()) > 100,
                      f"{name}: the linked file holds the result")
                check(sorted(p.name for p in there.iterdir()) == ["kept"],
                      f"{name}: no temporary file beside the linked file")
            if reader:
                try:
                    reader.wait(timeout=10)
                except subprocess.TimeoutExpired:  # no writer ever opened the pipe
                    reader.kill()
                    reader.wait()
                received.seek(0)
                size = len(received.read())
                check(size > 100, f"{name}: the reader got {size} bytes")
                check(path.is_fifo(), f"{name}: the pipe stays a pipe")
            here.chmod(0o777)
    shutil.rmtree(folder, ignore_errors=True)


def temp_cases(calc, work):
    """TEMP plays no part in kamorte-calc: any value gives the same results and map."""
    folder = Path(tempfile.mkdtemp(dir=work))
    folder.chmod(0o755)
    expected = None
    for name, temp in [("usable", str(folder)), ("unset", None), ("empty", ""),
                       ("300 characters", "t" * 300), ("a missing folder", str(folder / "gone"))]:
        env = dict(os.environ)
        env.pop("TEMP", None)
        env.pop("TMPDIR", None)
        if temp is not None:
            env["TEMP"] = env["TMPDIR"] = temp
        result = run(calc, EXAMPLE_D + ["--map", "map.bmp"], folder, env=env)
        check(result.returncode == 0, f"TEMP {name}: status {result.returncode}")
        shown = (result.stdout, (folder / "map.bmp").read_bytes())
        expected = expected or shown
        check(shown == expected, f"TEMP {name}: the same results and map")
        check(sorted(p.name for p in folder.iterdir()) == ["map.bmp"], f"TEMP {name}: one file")
    shutil.rmtree(folder, ignore_errors=True)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--calc", required=True)
    args = parser.parse_args()
    # Where nobody can reach the program and its folders.
    work = Path(tempfile.mkdtemp(prefix="kamorte_files_"))
    work.chmod(0o755)
    calc = work / "kamorte-calc"
    shutil.copy(args.calc, calc)
    calc.chmod(0o755)
    try:
        smell_prm_cases(calc, work)
        output_cases(calc, work)
        special_target_cases(calc, work)
        temp_cases(calc, work)
    finally:
        shutil.rmtree(work, ignore_errors=True)
    print(f"{len(failures)} failure(s)")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
