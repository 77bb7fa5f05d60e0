#!/usr/bin/env python3
"""Writes a register of outlets for the report timing: a fixed seed, so the file is the same
every time; half of the outlets tall (cases C and D), half low (cases A and B), with the print
information's columns, an outlet number and, for every other outlet, a measured index.
    bench/make_register.py [count] [seed] > register.csv"""
import random
import sys

count = int(sys.argv[1]) if len(sys.argv) > 1 else 1000
rng = random.Random(int(sys.argv[2]) if len(sys.argv) > 2 else 26)
columns = ["作成者", "事業所名", "施設名", "排出口番号", "height", "building", "no1", "size",
           "diameter", "direction", "temperature", "dry-flow", "moisture", "outlet-boundary",
           "building-boundary", "measured-index"]
print(",".join(columns))
for n in range(count):
    row = {"作成者": "環境保全課　担当" + str(n % 7), "事業所名": f"工業団地　第{n // 40 + 1}工場",
           "施設名": f"乾燥炉 {n % 40 + 1}", "排出口番号": f"No.{n + 1}",
           "no1": str(rng.randrange(10, 22))}
    if n % 2 == 0:  # tall: case D or C by the building
        height = rng.randrange(150, 1150) / 10
        building = rng.randrange(0, int(height * 10) + 1) / 10
        row.update({"height": f"{height:.1f}", "building": f"{building:.1f}",
                    "dry-flow": f"{10 ** rng.uniform(0.5, 3.5):.0f}",
                    "outlet-boundary": str(rng.randrange(0, 201)),
                    "building-boundary": str(rng.randrange(0, 201))})
        if 2 * height >= 3 * building:
            row.update({"diameter": f"{rng.randrange(20, 500) / 100:.2f}", "direction": "up",
                        "temperature": str(rng.randrange(0, 400)),
                        "moisture": str(rng.randrange(0, 40))})
    else:  # low: case A or B
        height = rng.randrange(0, 149) / 10
        row.update({"height": f"{height:.1f}", "size": rng.choice(["small", "medium", "large"])})
        if height >= 6.7:
            row["building"] = f"{rng.randrange(0, 300) / 10:.1f}"
    if n % 4 < 2:
        row["measured-index"] = str(rng.randrange(10, 60))
    print(",".join(row.get(c, "") for c in columns))
