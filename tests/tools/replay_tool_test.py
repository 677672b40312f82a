#!/usr/bin/env python3
"""The replay tool from outside: its fixed interface, JSON shape, clock
and error handling."""
import json
import os
import subprocess
import sys
import tempfile
import unittest

REPLAY = os.environ["CALVOR_REPLAY"]


def frame(t, gate="O"):
    body = "RD01" + "111" + gate + "%3d" % t + "000" + "%3d" % t + "000000" + "%3d" % t + "%3d" % t + " 95"
    return b"\x02" + body.ljust(68, "0").encode() + b"\x03"


def run(args, data=b""):
    return subprocess.run([REPLAY] + args, input=data, capture_output=True, timeout=60)


class ReplayTool(unittest.TestCase):
    def replay_json(self, data, *args):
        p = run(["--json", "--start", "2026-12-11T23:58:30", "--step", "30"] + list(args), data)
        self.assertEqual(p.returncode, 0, p.stderr)
        return json.loads(p.stdout)

    def test_batches_over_midnight(self):
        temps = [120, 140, 150, 149, 100, 135, 160, 100]
        data = b"".join(frame(t) for t in temps)
        for chunk in ("1", "7", "256", "100000"):
            out = self.replay_json(data, "--chunk", chunk)
            self.assertEqual(out["packets"], 8)
            # 150 at 23:59:30, 160 at 00:01:30 the next day: newest time text first is 23:59.
            self.assertEqual(out["log"], [{"time": "23:59", "temp": 150}, {"time": "00:01", "temp": 160}])
            self.assertEqual(out["readouts"]["Avg"], 155)
            self.assertEqual(out["readouts"]["PV"], 100)
            self.assertEqual(out["readouts"]["Gate_Chk"], 0)
            self.assertEqual(out["readouts"]["OndoAdd"], 0)
            self.assertEqual(out["batch"], {"Armed": True, "InBatch": False, "Peak": 0})

    def test_ignored_packets_count_for_the_clock(self):
        # Two short packets before the frames push the peak from 23:58:30 to 23:59:30.
        data = b"junk\x03\x03" + frame(150) + frame(100)
        out = self.replay_json(data)
        self.assertEqual(out["packets"], 4)
        self.assertEqual(out["log"], [{"time": "23:59", "temp": 150}])

    def test_empty_input_and_state_boxes_start_empty(self):
        out = self.replay_json(b"")
        self.assertEqual(out["packets"], 0)
        self.assertEqual(out["readouts"]["Calvor_chk"], -1)
        self.assertEqual(out["readouts"]["PV"], 0)
        self.assertEqual(out["log"], [])

    def test_text_output_and_file_argument(self):
        with tempfile.NamedTemporaryFile(delete=False) as f:
            f.write(frame(95) + frame(140) + frame(95))
        try:
            p = run(["--start", "2026-01-02T03:04:05", "--step", "60", f.name])
            self.assertEqual(p.returncode, 0, p.stderr)
            self.assertIn("03:05", p.stdout.decode())
        finally:
            os.unlink(f.name)

    def test_bad_invocations_exit_2(self):
        for args in (["--chunk", "0"], ["--chunk", "x"], ["--step", "-1"], ["--start", "2026-02-30T00:00:00"],
                     ["--start", "yesterday"], ["--bogus"], ["/nonexistent/capture.bin"], ["--step"],
                     ["a", "b"]):
            p = run(args)
            self.assertEqual(p.returncode, 2, args)
            self.assertTrue(p.stderr.strip(), args)
            self.assertEqual(p.stdout, b"", args)

    def test_random_bytes_never_crash(self):
        rnd = bytes((i * 7919 + (i >> 3) * 31) % 256 for i in range(200000))
        p = run(["--json", "--chunk", "13"], rnd + b"".join(frame(t) for t in (150, 100)))
        self.assertEqual(p.returncode, 0, p.stderr)
        json.loads(p.stdout)


if __name__ == "__main__":
    unittest.main(verbosity=1)
