#!/usr/bin/env python3
"""Cost of opening the settings window under Wine, measured against the least a Win32 program
needs to open a dialog of the same size with as many real controls from a popup menu entry
(minimal_dialog.exe).

In one Wine session, for both programs:
  * the time from pressing Enter on the menu entry "設定ウインドウを開く" to the window being
    on the screen with everything drawn (paint_watch.exe), median of several runs after a
    warm-up run;
  * the memory the open window costs: the proportional set size (PSS) of the process with the
    window open, less the PSS before it was first opened.

The figures are printed beside their targets. This is a measurement, not a test: it exits
non-zero only when something could not be measured.
"""

import json
import os
import pathlib
import statistics
import subprocess
import sys
import time

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parents[2] / "e2e"))

import bar_case  # noqa: E402
import winebox  # noqa: E402

RUNS = int(os.environ.get("SETTINGS_BENCH_RUNS", "5"))
SETTLE_SECONDS = 2
TIME_RATIO_TARGET = 1.5
PSS_EXTRA_TARGET_KB = 2 * 1024

BENCH_BUILD = winebox.BUILD_WINDOWS / "tests" / "bench" / "settings_window"
TRIGGER_CLASS = "Quorvel.MinimalTrigger"
DIALOG_CLASS = "Quorvel.MinimalDialog"
SETTINGS_CLASS = "Quorvel.frmSet"

# The bar's popup menu pressed on link slot 1 shows アクセサリ, 検索, ランチャーの切替,
# ランチャーの設定, ...; the settings window's entry is the first of ランチャーの設定.
BAR_MENU_KEYS = ["Down", "Down", "Down", "Down", "Right"]
MINIMAL_MENU_KEYS = ["Down"]


def pss_kb(pid):
    for line in pathlib.Path(f"/proc/{pid}/smaps_rollup").read_text().splitlines():
        if line.startswith("Pss:"):
            return int(line.split()[1])
    raise RuntimeError(f"no Pss in /proc/{pid}/smaps_rollup")


def pid_of(session, exe_name):
    pids = [pid for pid in winebox.unix_pids_of(session.prefix, exe_name)
            if b"paint_watch" not in pathlib.Path(f"/proc/{pid}/cmdline").read_bytes()]
    if not pids:
        raise RuntimeError(f"{exe_name} is not running")
    return pids[0]


def open_timed(session, point, keys, class_name):
    """Right-clicks at point, walks the menu to the entry, and returns the milliseconds from
    Enter to the window being fully drawn."""
    session.move_to(*point)
    session.xdotool("click", "3")
    time.sleep(0.6)
    for key in keys:
        session.xdotool("key", key)
        time.sleep(0.15)
    watch = subprocess.Popen(
        ["wine", str(BENCH_BUILD / "paint_watch.exe"), class_name, "20000"], env=session.env(),
        stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    try:
        if watch.stdout.readline().strip() != b"ready":
            raise RuntimeError("paint_watch did not start")
        pressed = time.time() * 1000
        session.xdotool("key", "Return")
        line = watch.stdout.readline().decode().strip()
    finally:
        watch.wait(30)
    if not line.startswith("painted_unix_ms="):
        raise RuntimeError(f"{class_name} never appeared fully drawn: {line!r}")
    return float(line.split("=", 1)[1]) - pressed


def close(session, class_name):
    session.probe("close", class_name)
    if not winebox.wait_until(lambda: session.window_rect(class_name) is None, 10):
        raise RuntimeError(f"{class_name} did not close")


def verdict(ok):
    return "meets target" if ok else "MISSES target"


def main():
    exe = winebox.quorvel_exe()
    minimal = BENCH_BUILD / "minimal_dialog.exe"
    tool = winebox.settings_tool()
    for needed in (exe, minimal, BENCH_BUILD / "paint_watch.exe", winebox.probe_exe(), tool):
        if not needed.exists():
            print(f"settings-window-bench: {needed} has not been built", file=sys.stderr)
            return 1

    root = winebox.REPO / "build" / "bench-settings-window"
    workdir = root / "work"
    workdir.mkdir(parents=True, exist_ok=True)
    prefix = winebox.WinePrefix(root / "prefix")
    prefix.create()
    artifacts = winebox.REPO / "artifacts" / "bench-settings-window"

    times = {"quorvel": [], "minimal": []}
    with winebox.Session(prefix, 1024, 768, artifacts=artifacts) as s:
        user = s.user_name()
        subprocess.run(
            [str(tool), "import", "--dir", str(workdir), "--user", user, "--set", "1"],
            input=json.dumps({"dock": bar_case.a_dock(), "set": bar_case.a_launcher_set(5)},
                             ensure_ascii=False).encode("utf-8"),
            check=True,
        )
        s.launch(exe, cwd=workdir)
        bar = s.wait_for_settled(bar_case.BAR_CLASS)
        s.launch(minimal, cwd=workdir)
        trigger = s.wait_for_window(TRIGGER_CLASS)
        if not bar or not trigger:
            raise RuntimeError("the bar or the yardstick's window never appeared")
        time.sleep(SETTLE_SECONDS)
        tpp = prefix.twips_per_pixel
        slot1 = (bar[0] + round((2280 + 240) / tpp), bar[1] + round(360 / tpp))
        trigger_point = (trigger[0] + trigger[2] // 2, trigger[1] + trigger[3] // 2)
        bar_pid, minimal_pid = pid_of(s, exe.name), pid_of(s, minimal.name)
        before = (pss_kb(bar_pid), pss_kb(minimal_pid))

        for run in range(RUNS + 1):
            bar_ms = open_timed(s, slot1, BAR_MENU_KEYS, SETTINGS_CLASS)
            if run == 0:
                time.sleep(SETTLE_SECONDS)
                bar_open_pss = pss_kb(bar_pid)
                s.screenshot("settings-window")
            close(s, SETTINGS_CLASS)
            minimal_ms = open_timed(s, trigger_point, MINIMAL_MENU_KEYS, DIALOG_CLASS)
            if run == 0:
                time.sleep(SETTLE_SECONDS)
                minimal_open_pss = pss_kb(minimal_pid)
                s.screenshot("minimal-dialog")
            close(s, DIALOG_CLASS)
            if run > 0:
                times["quorvel"].append(bar_ms)
                times["minimal"].append(minimal_ms)

    bar_median = statistics.median(times["quorvel"])
    minimal_median = statistics.median(times["minimal"])
    ratio = bar_median / minimal_median if minimal_median > 0 else float("inf")
    bar_extra = bar_open_pss - before[0]
    minimal_extra = minimal_open_pss - before[1]
    print(f"opening from the menu under Wine, median of {RUNS} runs after a warm-up:")
    print(f"  settings window     Enter -> fully drawn {bar_median:7.1f} ms "
          f"(runs {', '.join(f'{t:.0f}' for t in times['quorvel'])})")
    print(f"  minimal_dialog.exe  Enter -> fully drawn {minimal_median:7.1f} ms "
          f"(runs {', '.join(f'{t:.0f}' for t in times['minimal'])})")
    print(f"  ratio {ratio:.2f} (target <= {TIME_RATIO_TARGET}): "
          f"{verdict(ratio <= TIME_RATIO_TARGET)}")
    print("memory of the open window (PSS with it open, less before it was first opened):")
    print(f"  settings window {bar_extra} kB, minimal dialog {minimal_extra} kB, difference "
          f"{bar_extra - minimal_extra} kB (target <= {PSS_EXTRA_TARGET_KB} kB): "
          f"{verdict(bar_extra - minimal_extra <= PSS_EXTRA_TARGET_KB)}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
