#!/usr/bin/env python3
"""Writes a capture of the indicator's line: status frames of 70 bytes
(STX, 68 characters starting with "RD", ETX) following repeated production
batches: ambient, a rise above 130 to a peak, a fall below 130.

    make_capture.py FRAMES OUT [--seed N] [--faults]

--faults mixes in garbage bytes, short packets and bad numeric fields.
"""
import argparse
import random


def frame(t, avg, peak, disp, span, codes="11" "1O"):
    body = "RD01" + codes + "%3d" % t + "000" + "%3d" % avg + "000000" + "%3d" % peak + "%3d" % disp + "%3d" % span
    body = body.ljust(68, "0")
    return b"\x02" + body.encode("ascii") + b"\x03"


def profile(rng):
    """Temperatures of one batch cycle: ambient, rise, peak, fall."""
    ambient = [rng.randint(95, 125) for _ in range(rng.randint(3, 12))]
    top = rng.randint(140, 190)
    rise = list(range(120, top, rng.randint(3, 9))) + [top]
    fall = list(range(top - 2, 110, -rng.randint(4, 10)))
    return ambient + rise + fall


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("frames", type=int)
    ap.add_argument("out")
    ap.add_argument("--seed", type=int, default=1)
    ap.add_argument("--faults", action="store_true")
    a = ap.parse_args()
    rng = random.Random(a.seed)
    out = bytearray()
    n = 0
    cycle = []
    while n < a.frames:
        if not cycle:
            cycle = profile(rng)
        t = cycle.pop(0)
        out += frame(t, max(0, t - 3), t + 2, t, 95)
        n += 1
        if a.faults and rng.random() < 0.05:
            kind = rng.randrange(4)
            if kind == 0:
                out += bytes(rng.randrange(256) for _ in range(rng.randint(1, 20)))
            elif kind == 1:
                out += b"\x02RD0111O1\x03"
            elif kind == 2:
                out += frame(t, t, t, t, 95).replace(b"%3d" % t, b"1a5", 1)
            else:
                out += b"x" * 1500
    with open(a.out, "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main()
