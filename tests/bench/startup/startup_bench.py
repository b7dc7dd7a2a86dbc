#!/usr/bin/env python3
"""Start-up cost of quorvel.exe under Wine, measured against the least a Win32 program needs to
show one window of the bar's size (minimal_window.exe).

In one Wine session it measures, for both programs:
  * the time from process creation to the window being visible ("mapped"), and to the window
    having reached its full width ("open": the bar grows open, the minimal window does not),
    taken by the probe inside Wine, median of several runs after one warm-up run;
  * the proportional set size (PSS) of the running Windows process at idle;
and for quorvel.exe the processor time it uses over 30 s of idling (utime + stime).

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

MAPPED_RATIO_TARGET = 1.2
PSS_EXTRA_TARGET_KB = 3 * 1024
IDLE_CPU_TARGET_PERCENT = 0.5

MINIMAL_CLASS = "Quorvel.MinimalWindow"


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


def main():
    exe = winebox.quorvel_exe()
    minimal = winebox.minimal_window_exe()
    tool = winebox.settings_tool()
    for needed in (exe, minimal, winebox.probe_exe(), tool):
        if not needed.exists():
            print(f"startup-bench: {needed} has not been built", file=sys.stderr)
            return 1

    root = winebox.REPO / "build" / "bench-startup"
    workdir = root / "work"
    workdir.mkdir(parents=True, exist_ok=True)
    prefix = winebox.WinePrefix(root / "prefix")
    prefix.create()

    width_px = FULL_WIDTH_TWIPS // TWIPS_PER_PIXEL
    results = {"quorvel": [], "minimal": []}
    with winebox.Session(prefix, 1024, 768, artifacts=winebox.REPO / "artifacts" / "bench") as s:
        user = s.user_name()
        document = bar_case.a_launcher_set(17)
        subprocess.run(
            [str(tool), "import", "--dir", str(workdir), "--user", user, "--set", "1"],
            input=json.dumps({"dock": bar_case.a_dock(), "set": document},
                             ensure_ascii=False).encode("utf-8"),
            check=True,
        )

        # One warm-up run each, then alternate so that both see the same state of the caches.
        for run in range(RUNS + 1):
            timings = launch_timed(s, exe, [], bar_case.BAR_CLASS, width_px, workdir)
            end_program(s, exe.name, bar_case.BAR_CLASS)
            minimal_timings = launch_timed(s, minimal, [str(width_px)], MINIMAL_CLASS,
                                           width_px, workdir)
            end_program(s, minimal.name, MINIMAL_CLASS)
            if run > 0:
                results["quorvel"].append(timings)
                results["minimal"].append(minimal_timings)

        # Both idle side by side for the memory and processor figures.
        launch_timed(s, exe, [], bar_case.BAR_CLASS, width_px, workdir)
        launch_timed(s, minimal, [str(width_px)], MINIMAL_CLASS, width_px, workdir)
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

    def median(name, index):
        return statistics.median(t[index] for t in results[name])

    bar_mapped, bar_open = median("quorvel", 0), median("quorvel", 1)
    min_mapped, min_open = median("minimal", 0), median("minimal", 1)
    ratio = bar_mapped / min_mapped if min_mapped > 0 else float("inf")
    extra_pss = bar_pss - minimal_pss

    print(f"start-up under Wine, median of {RUNS} runs after a warm-up, window "
          f"{width_px} px wide:")
    print(f"  quorvel.exe         start -> mapped {bar_mapped:7.1f} ms, "
          f"-> fully open {bar_open:7.1f} ms")
    print(f"  minimal_window.exe  start -> mapped {min_mapped:7.1f} ms, "
          f"-> fully open {min_open:7.1f} ms")
    print(f"  mapped ratio {ratio:.2f} (target <= {MAPPED_RATIO_TARGET}): "
          f"{verdict(ratio <= MAPPED_RATIO_TARGET)}")
    print("memory at idle (PSS):")
    print(f"  quorvel.exe {bar_pss} kB, minimal_window.exe {minimal_pss} kB, "
          f"difference {extra_pss} kB (target <= {PSS_EXTRA_TARGET_KB} kB): "
          f"{verdict(extra_pss <= PSS_EXTRA_TARGET_KB)}")
    print(f"processor time at idle over {elapsed:.0f} s:")
    print(f"  quorvel.exe {bar_cpu:.3f} % of one core (target < {IDLE_CPU_TARGET_PERCENT} %): "
          f"{verdict(bar_cpu < IDLE_CPU_TARGET_PERCENT)}; minimal_window.exe {minimal_cpu:.3f} %")
    return 0


if __name__ == "__main__":
    sys.exit(main())
