#!/usr/bin/env python3
"""make soak: quorvel.exe under Wine through SOAK_CYCLES (default 10,000) cycles of hover,
click flash, menu, settings window and set switch, with its windows, GDI objects and private
memory before and after. Ends non-zero when a promise did not hold."""

import os
import pathlib
import shutil
import sys

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parents[1] / "e2e"))

import bar_case  # noqa: E402
import soak_run  # noqa: E402
import winebox  # noqa: E402


def main():
    cycles = int(os.environ.get("SOAK_CYCLES", "10000"))
    work = bar_case.E2E_BUILD / "work" / "soak"
    shutil.rmtree(work, ignore_errors=True)
    work.mkdir(parents=True)
    # A prefix and a display of its own: the soak runs for hours, and the end-to-end tests
    # restart their prefixes' Wine servers as they go.
    prefix = winebox.WinePrefix(bar_case.E2E_BUILD / "prefix-soak", 96)
    prefix.create(fresh=not os.environ.get("QUORVEL_E2E_KEEP_PREFIX"))
    display = winebox.DISPLAY_NUMBERS[-1]
    artifacts = winebox.REPO / "artifacts" / "soak"
    with winebox.Session(prefix, 1024, 768, first_display=display,
                         artifacts=artifacts) as session:
        soak = soak_run.Soak(session, work, session.user_name())
        summary = soak.run(cycles, report=lambda line: print(line, flush=True))
        session.screenshot("soak-end")
    print(f"{summary['cycles']} cycles in {summary['seconds']:.0f} s "
          f"({summary['seconds'] / max(1, summary['cycles']):.2f} s each)")
    held = True
    for promise, ok, detail in soak_run.verdict(summary):
        print(f"  {'ok  ' if ok else 'FAIL'} {promise}: {detail}")
        held = held and ok
    return 0 if held else 1


if __name__ == "__main__":
    sys.exit(main())
