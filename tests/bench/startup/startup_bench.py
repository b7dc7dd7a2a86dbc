#!/usr/bin/env python3
"""Start-up cost of quorvel.exe under Wine, measured against the least a Win32 program needs to
show one window of the bar's size (minimal_window.exe).

In one Wine session it measures:
  * the time from process creation to the window being visible ("mapped"), and to the window
    having reached its full width ("open": the bar grows open, the minimal window does not),
    taken by the probe inside Wine, median of several runs after one warm-up run, for the bar
    with 17 links that each show a picture, for the bar with no link, and for the minimal
    window;
  * the proportional set size (PSS) of the running Windows process at idle, for the bar with
    17 links and the minimal window side by side;
  * for quorvel.exe the processor time it uses over 30 s of idling (utime + stime);
  * the bar's PSS again after its menu, its settings window and its About window have each
    been opened and closed once: what stays behind.

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

RUNS = int(os.environ.get("STARTUP_BENCH_RUNS", "5"))
IDLE_SECONDS = float(os.environ.get("STARTUP_BENCH_IDLE_SECONDS", "30"))
SETTLE_SECONDS = 3
FULL_WIDTH_TWIPS = 12495
TWIPS_PER_PIXEL = 15

MAPPED_RATIO_TARGET = 1.10
PSS_EXTRA_TARGET_KB = 2.5 * 1024
IDLE_CPU_TARGET_PERCENT = 0.5

MINIMAL_CLASS = "Quorvel.MinimalWindow"
SETTINGS_CLASS = "Quorvel.frmSet"
ABOUT_CLASS = "Quorvel.frmVerInfo"
# The settings window's entry: ランチャーの設定, then its first entry.
SETTINGS_KEYS = ["Down", "Down", "Down", "Down", "Right", "Return"]


def launch_timed(session, exe, args, class_name, width_px, cwd):
    command = " ".join([bar_case.windows_path(exe), *args])
    code, out = session.probe("launch-timed", command, class_name, str(width_px), "30000",
                              cwd=cwd, timeout=60)
    fields = dict(item.split("=", 1) for item in out.split() if "=" in item)
    if code != 0 or "mapped_ms" not in fields:
        raise RuntimeError(f"{exe.name} did not open: {out}")
    return float(fields["mapped_ms"]), float(fields["open_ms"])


def running(session, exe_name):
    return [pid for pid in winebox.unix_pids_of(session.prefix, exe_name)
            if b"probe.exe" not in pathlib.Path(f"/proc/{pid}/cmdline").read_bytes().lower()]


def end_program(session, exe_name, class_name):
    """Closes the program's window and waits for its process to go; the next run needs the
    single-instance lock free again."""
    session.probe("close", class_name)
    if winebox.wait_until(lambda: not running(session, exe_name), 10):
        return
    raise RuntimeError(f"{exe_name} did not end after its window was closed")


def pss_kb(pid):
    for line in pathlib.Path(f"/proc/{pid}/smaps_rollup").read_text().splitlines():
        if line.startswith("Pss:"):
            return int(line.split()[1])
    raise RuntimeError(f"no Pss in /proc/{pid}/smaps_rollup")


def cpu_ticks(pid):
    stat = pathlib.Path(f"/proc/{pid}/stat").read_text()
    # The command name may contain spaces; the fields after it are fixed.
    fields = stat[stat.rindex(")") + 2:].split()
    return int(fields[11]) + int(fields[12])


def verdict(ok):
    return "meets target" if ok else "MISSES target"


def import_set(tool, workdir, user, links):
    """Settings with `links` links, each showing a picture of its own colour."""
    workdir.mkdir(parents=True, exist_ok=True)
    document = bar_case.a_launcher_set(links)
    for n in range(1, links + 1):
        picture = workdir / f"link{n}.bmp"
        subprocess.run(["convert", "-size", "32x32", f"xc:rgb({n * 14},{200 - n * 9},120)",
                        f"BMP3:{picture}"], check=True)
        document[f"L{n}I"] = bar_case.windows_path(picture)
    subprocess.run(
        [str(tool), "import", "--dir", str(workdir), "--user", user, "--set", "1"],
        input=json.dumps({"dock": bar_case.a_dock(), "set": document},
                         ensure_ascii=False).encode("utf-8"),
        check=True,
    )


def open_and_close(session, bar, at_twips, keys, class_name):
    """Opens one of the bar's windows from the menu pressed at a point of the bar, then closes
    it again."""
    x = bar[0] + at_twips[0] // TWIPS_PER_PIXEL
    y = bar[1] + at_twips[1] // TWIPS_PER_PIXEL
    session.xdotool("mousemove", "--sync", x, y)
    session.xdotool("click", 3)
    if not winebox.wait_until(lambda: (r := session.window_rect(bar_case.MENU_CLASS)) and r[4],
                              30, 0.1):
        raise RuntimeError("the bar's menu did not open")
    for key in keys:
        session.xdotool("key", key)
        time.sleep(0.15)
    if class_name is None:
        return
    if not session.wait_for_window(class_name, 30):
        raise RuntimeError(f"{class_name} did not open")
    time.sleep(SETTLE_SECONDS)
    session.probe("close", class_name)
    if not winebox.wait_until(lambda: session.window_count(class_name) == 0, 30):
        raise RuntimeError(f"{class_name} did not close")


def main():
    exe = winebox.quorvel_exe()
    minimal = winebox.minimal_window_exe()
    tool = winebox.settings_tool()
    for needed in (exe, minimal, winebox.probe_exe(), tool):
        if not needed.exists():
            print(f"startup-bench: {needed} has not been built", file=sys.stderr)
            return 1

    root = winebox.REPO / "build" / "bench-startup"
    full, empty = root / "work", root / "work-empty"
    prefix = winebox.WinePrefix(root / "prefix")
    prefix.create()

    width_px = FULL_WIDTH_TWIPS // TWIPS_PER_PIXEL
    empty_width_px = 2280 // TWIPS_PER_PIXEL
    results = {"quorvel": [], "empty": [], "minimal": []}
    with winebox.Session(prefix, 1024, 768, artifacts=winebox.REPO / "artifacts" / "bench") as s:
        user = s.user_name()
        import_set(tool, full, user, 17)
        import_set(tool, empty, user, 0)

        # One warm-up run each, then alternate so that all see the same state of the caches.
        for run in range(RUNS + 1):
            timings = launch_timed(s, exe, [], bar_case.BAR_CLASS, width_px, full)
            end_program(s, exe.name, bar_case.BAR_CLASS)
            empty_timings = launch_timed(s, exe, [], bar_case.BAR_CLASS, empty_width_px, empty)
            end_program(s, exe.name, bar_case.BAR_CLASS)
            minimal_timings = launch_timed(s, minimal, [str(width_px)], MINIMAL_CLASS,
                                           width_px, full)
            end_program(s, minimal.name, MINIMAL_CLASS)
            if run > 0:
                results["quorvel"].append(timings)
                results["empty"].append(empty_timings)
                results["minimal"].append(minimal_timings)

        # Both idle side by side for the memory and processor figures.
        launch_timed(s, exe, [], bar_case.BAR_CLASS, width_px, full)
        launch_timed(s, minimal, [str(width_px)], MINIMAL_CLASS, width_px, full)
        time.sleep(SETTLE_SECONDS)
        bar_pid = running(s, exe.name)[0]
        minimal_pid = running(s, minimal.name)[0]
        bar_pss = pss_kb(bar_pid)
        minimal_pss = pss_kb(minimal_pid)
        ticks_per_second = os.sysconf("SC_CLK_TCK")
        before = (cpu_ticks(bar_pid), cpu_ticks(minimal_pid))
        started = time.monotonic()
        time.sleep(IDLE_SECONDS)
        elapsed = time.monotonic() - started
        after = (cpu_ticks(bar_pid), cpu_ticks(minimal_pid))
        bar_cpu, minimal_cpu = (
            100.0 * (a - b) / ticks_per_second / elapsed for a, b in zip(after, before))
        s.screenshot("idle")

        # What each of the bar's other windows leaves behind once closed; the minimal window
        # would be in the way of the pointer.
        end_program(s, minimal.name, MINIMAL_CLASS)
        bar = s.wait_for_settled(bar_case.BAR_CLASS, 30)
        after_use = []
        on_link, on_background = (2280 + 240, 360), (2410, 660)
        for label, at, keys, class_name in (
                ("menu", on_link, ["Escape"], None),
                ("settings window", on_link, SETTINGS_KEYS, SETTINGS_CLASS),
                # バージョン情報 is the background menu's last entry: Up wraps to it.
                ("About window", on_background, ["Up", "Return"], ABOUT_CLASS)):
            open_and_close(s, bar, at, keys, class_name)
            time.sleep(SETTLE_SECONDS)
            after_use.append((label, pss_kb(bar_pid)))

    def median(name, index):
        return statistics.median(t[index] for t in results[name])

    bar_mapped, bar_open = median("quorvel", 0), median("quorvel", 1)
    empty_mapped, empty_open = median("empty", 0), median("empty", 1)
    min_mapped, min_open = median("minimal", 0), median("minimal", 1)
    ratio = bar_mapped / min_mapped if min_mapped > 0 else float("inf")
    extra_pss = bar_pss - minimal_pss

    print(f"start-up under Wine, median of {RUNS} runs after a warm-up:")
    print(f"  quorvel.exe, 17 links  start -> mapped {bar_mapped:7.1f} ms, "
          f"-> fully open {bar_open:7.1f} ms ({width_px} px)")
    print(f"  quorvel.exe, no link   start -> mapped {empty_mapped:7.1f} ms, "
          f"-> fully open {empty_open:7.1f} ms ({empty_width_px} px)")
    print(f"  minimal_window.exe     start -> mapped {min_mapped:7.1f} ms, "
          f"-> fully open {min_open:7.1f} ms ({width_px} px)")
    print(f"  mapped ratio {ratio:.2f} (target <= {MAPPED_RATIO_TARGET}): "
          f"{verdict(ratio <= MAPPED_RATIO_TARGET)}; 17 links cost "
          f"{bar_mapped - empty_mapped:+.1f} ms against none")
    print("memory at idle (PSS):")
    print(f"  quorvel.exe {bar_pss} kB, minimal_window.exe {minimal_pss} kB, "
          f"difference {extra_pss} kB (target <= {PSS_EXTRA_TARGET_KB:.0f} kB): "
          f"{verdict(extra_pss <= PSS_EXTRA_TARGET_KB)}")
    print(f"processor time at idle over {elapsed:.0f} s:")
    print(f"  quorvel.exe {bar_cpu:.3f} % of one core (target < {IDLE_CPU_TARGET_PERCENT} %): "
          f"{verdict(bar_cpu < IDLE_CPU_TARGET_PERCENT)}; minimal_window.exe {minimal_cpu:.3f} %")
    print("memory left behind (PSS of the bar after each was opened and closed once):")
    previous = bar_pss
    for label, pss in after_use:
        print(f"  after the {label:15} {pss} kB ({pss - previous:+d} kB, "
              f"{pss - bar_pss:+d} kB since idle)")
        previous = pss
    return 0


if __name__ == "__main__":
    sys.exit(main())
