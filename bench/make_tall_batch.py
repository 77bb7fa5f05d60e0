#!/usr/bin/env python3
"""Writes a batch of tall outlets for the timings: a fixed seed, so the file is the same every
time. Heights 15-114 m, buildings up to the height, all three flows over a wide spread,
boundaries 0-200 m.
    bench/make_tall_batch.py [count] [seed] > bench/batch_1000_tall_outlets.csv"""
import random
import sys

count = int(sys.argv[1]) if len(sys.argv) > 1 else 1000
rng = random.Random(int(sys.argv[2]) if len(sys.argv) > 2 else 29)
print("height,building,no1,size,diameter,direction,temperature,dry-flow,wet-flow,velocity,"
      "moisture,outlet-boundary,building-boundary")
for _ in range(count):
    height = rng.randrange(150, 1150) / 10
    building = rng.randrange(0, int(height * 10) + 1) / 10
    no1 = rng.randrange(10, 22)
    flow = rng.randrange(3)
    moisture = rng.randrange(0, 40)
    boundaries = rng.randrange(0, 201), rng.randrange(0, 201)
    row = {"height": f"{height:.1f}", "building": f"{building:.1f}", "no1": str(no1),
           "moisture": str(moisture), "outlet-boundary": str(boundaries[0]),
           "building-boundary": str(boundaries[1])}
    if 2 * height >= 3 * building:  # case D: the outlet's size, direction and gas
        row["diameter"] = f"{rng.randrange(20, 500) / 100:.2f}"
        if rng.randrange(6) == 0:
            row["direction"] = "down"
        else:
            row["direction"] = "up"
            row["temperature"] = str(rng.randrange(0, 400))
    elif flow == 2:  # case C has no velocity
        flow = 0
    # Flows spread over three decades: 3 to 3000 m3N/min, velocities 0.5 to 40 m/s.
    if flow == 2:
        row["velocity"] = f"{rng.uniform(0.5, 40):.1f}"
    else:
        row["dry-flow" if flow == 0 else "wet-flow"] = f"{10 ** rng.uniform(0.5, 3.5):.0f}"
    if "direction" not in row and flow != 1:
        del row["moisture"]  # case C reads the moisture only with a wet flow
    print(",".join(row.get(c, "") for c in
                   ["height", "building", "no1", "size", "diameter", "direction", "temperature",
                    "dry-flow", "wet-flow", "velocity", "moisture", "outlet-boundary",
                    "building-boundary"]))
