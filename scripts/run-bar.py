#!/usr/bin/env python3
"""Starts quorvel.exe under Wine, as a user would see it, and saves a screenshot.

With DISPLAY set, Wine's desktop opens on that display and the bar runs until it is quit from
its right-click menu (or until Ctrl+C). Without a display, a virtual X server stands in: the bar is started, given time
to open, photographed, and ended again. The prefix (build/wineprefix) and the working folder
(build/run, whose UsrData keeps the bar's settings) persist between runs.
"""

import os
import pathlib
import sys

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parents[1] / "tests" / "e2e"))

import winebox  # noqa: E402

BAR_CLASS = "Quorvel.Dock"


def main():
    exe = winebox.quorvel_exe()
    if not exe.exists():
        print(f"run: {exe} has not been built", file=sys.stderr)
        return 1
    prefix = winebox.WinePrefix(winebox.REPO / "build" / "wineprefix")
    prefix.create()
    workdir = winebox.REPO / "build" / "run"
    workdir.mkdir(parents=True, exist_ok=True)
    shots = winebox.REPO / "artifacts" / "run"
    display = os.environ.get("DISPLAY") or None
    # On the user's own display the bar is the user's: its Recycle Bin item shows the user's
    # real trash. Without one, a trash of the run's own keeps the user's out of it.
    session = winebox.Session(prefix, 1024, 768, display=display, artifacts=shots,
                              private_trash=not display)
    session.start()
    try:
        bar = session.launch(exe, cwd=workdir)
        rect = session.wait_for_settled(BAR_CLASS, timeout=30)
        if rect is None:
            print("run: the bar did not appear within 30 s", file=sys.stderr)
        shot = session.screenshot("bar")
        final = shots / "screenshot.png"
        shot.replace(final)
        print(f"run: bar window at {rect[:4] if rect else None} (x, y, width, height)")
        print(f"run: screenshot saved to {final.relative_to(winebox.REPO)}")
        print(f"run: settings are kept in {(workdir / 'UsrData').relative_to(winebox.REPO)}")
        if display:
            print(f"run: the bar runs on {display}; end it with アプリケーションの終了 in its "
                  "right-click menu, or press Ctrl+C")
            try:
                bar.wait()
            except KeyboardInterrupt:
                pass
        return 0 if rect else 1
    finally:
        session.stop()


if __name__ == "__main__":
    sys.exit(main())
