#!/usr/bin/env python3
"""Runs the icon tool and checks it wrote every size of a macOS iconset, each
a PNG of the size its name says."""
import pathlib
import struct
import subprocess
import sys

tool, folder = sys.argv[1], pathlib.Path(sys.argv[2])
subprocess.run([tool, str(folder)], check=True)
failures = []
for points in (16, 32, 128, 256, 512):
    for scale in (1, 2):
        name = f"icon_{points}x{points}{'@2x' if scale == 2 else ''}.png"
        data = (folder / name).read_bytes() if (folder / name).exists() else b""
        if data[:8] != b"\x89PNG\r\n\x1a\n":
            failures.append(f"{name} is missing or no PNG")
            continue
        width, height = struct.unpack(">II", data[16:24])
        if (width, height) != (points * scale, points * scale):
            failures.append(f"{name} is {width}x{height}")
for failure in failures:
    print(f"iconset: {failure}")
sys.exit(1 if failures else 0)
