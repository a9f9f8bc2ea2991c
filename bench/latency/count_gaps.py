#!/usr/bin/env python3
"""Counts dropouts in a recording of a steady non-zero signal (raw s16le mono).

A dropout is a run of at least MIN_RUN consecutive zero samples between the first and the
last non-zero sample: the sound server only writes exact zeros where no audio arrived.
Usage: count_gaps.py FILE.raw [RATE] -> prints "gaps=N longest_ms=X span_s=Y"
"""
import array
import sys

path = sys.argv[1]
rate = int(sys.argv[2]) if len(sys.argv) > 2 else 44100
MIN_RUN = rate // 1000  # 1 ms

samples = array.array("h")
with open(path, "rb") as f:
    samples.frombytes(f.read())
first = next((i for i, s in enumerate(samples) if s != 0), None)
if first is None:
    print("gaps=0 longest_ms=0 span_s=0 (no sound recorded)")
    sys.exit(1)
last = len(samples) - 1 - next(i for i, s in enumerate(reversed(samples)) if s != 0)
gaps = []
run = 0
for i in range(first, last + 1):
    if samples[i] == 0:
        run += 1
    else:
        if run >= MIN_RUN:
            gaps.append(((i - run - first) / rate, run * 1000 / rate))
        run = 0
longest = max((length for _, length in gaps), default=0)
where = " ".join(f"{at:.2f}s:{length:.0f}ms" for at, length in gaps[:5])
print(f"gaps={len(gaps)} longest_ms={longest:.1f} span_s={(last - first) / rate:.2f} {where}".rstrip())
