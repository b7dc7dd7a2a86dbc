#!/usr/bin/env python3
"""Runs one Windows program under Wine on a virtual X display with Wine's desktop, and exits
with its exit code. Programs that open real windows (the Win32 layer's own tests) need the
display; output goes straight to this script's stdout and stderr.

Usage: scripts/wine-run.py PREFIX-DIR PROGRAM.exe [ARGUMENTS...]
"""

import pathlib
import subprocess
import sys

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parents[1] / "tests" / "e2e"))

import winebox  # noqa: E402


def main():
    if len(sys.argv) < 3:
        print(__doc__, file=sys.stderr)
        return 2
    prefix = winebox.WinePrefix(sys.argv[1])
    prefix.create()
    with winebox.Session(prefix) as session:
        return subprocess.run(["wine", *sys.argv[2:]], env=session.env()).returncode


if __name__ == "__main__":
    sys.exit(main())
