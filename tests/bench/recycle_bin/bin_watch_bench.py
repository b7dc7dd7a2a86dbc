#!/usr/bin/env python3
"""What watching the Recycle Bin costs, under Wine, with 0, 200 and 1,000 items in the bin.

For each bin size, in a Wine session of its own with a trash of its own:
  * quorvel.exe idles for 30 s with the bin as it is: the processor time of quorvel and of the
    Wine server (utime + stime) over that time, as a share of one core;
  * the same for a plain 100 ms poll of SHQueryRecycleBinW (shellprobe poll), the yardstick;
  * another program empties the bin: the time from its return until the bar's item shows the
    empty picture; then it deletes a file to the bin: the time until the full picture shows.
The item is watched through screenshots, which take some tens of milliseconds each: the times
are upper bounds. This is a measurement to run by hand (`make bench-recycle-bin`), not a test;
`--smoke` runs one short round with an empty bin.
"""

import argparse
import json
import pathlib
import subprocess
import sys
import time

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parents[2] / "e2e"))

import bar_case  # noqa: E402
import winebox  # noqa: E402

BIN_TWIPS = bar_case.RECYCLE_BIN_TWIPS


def cpu_ticks(pid):
    """utime + stime of a process, or None once it has ended."""
    try:
        stat = pathlib.Path(f"/proc/{pid}/stat").read_text()
    except OSError:
        return None
    fields = stat[stat.rindex(")") + 2:].split()
    return int(fields[11]) + int(fields[12])


def wineserver_pids(prefix):
    pids = []
    wanted = f"WINEPREFIX={prefix.path}".encode()
    for entry in pathlib.Path("/proc").iterdir():
        if not entry.name.isdigit():
            continue
        try:
            if not (entry / "comm").read_text().strip().startswith("wineserver"):
                continue
            if wanted not in (entry / "environ").read_bytes().split(b"\0"):
                continue
        except OSError:
            continue
        pids.append(int(entry.name))
    return pids


def cpu_share(pids, seconds):
    """Share of one core that the processes used over the next `seconds`."""
    hz = 100  # USER_HZ on Linux
    before = {pid: cpu_ticks(pid) for pid in pids}
    time.sleep(seconds)
    after = {pid: cpu_ticks(pid) for pid in pids}
    # A process that was gone at either end (a wineserver of an earlier session) counts nothing.
    used = sum(after[pid] - ticks for pid, ticks in before.items()
               if ticks is not None and after[pid] is not None)
    return used / hz / seconds


def fill_trash(trash, count):
    """Puts `count` items straight into the XDG trash, as Wine's shell keeps them."""
    (trash / "files").mkdir(parents=True, exist_ok=True)
    (trash / "info").mkdir(parents=True, exist_ok=True)
    for i in range(count):
        name = f"item{i:05d}.txt"
        (trash / "files" / name).write_text("x")
        (trash / "info" / f"{name}.trashinfo").write_text(
            f"[Trash Info]\nPath=/tmp/quorvel-bench/{name}\nDeletionDate=2026-01-01T00:00:00\n")


def bin_colours(session, bar):
    shot = session.screenshot("bin")
    tpp = session.prefix.twips_per_pixel
    left, top, width, height = BIN_TWIPS
    x, y = bar[0] + round(left / tpp) + 3, bar[1] + round(top / tpp) + 3
    colours = winebox.colours_in(shot, x, y, round(width / tpp) - 6, round(height / tpp) - 6)
    shot.unlink()
    return colours


def time_until(predicate, timeout=30):
    started = time.monotonic()
    if winebox.wait_until(predicate, timeout, 0.01):
        return time.monotonic() - started
    return None


def one_round(prefix, workdir, items, idle_seconds, baseline):
    result = {"items": items}
    with winebox.Session(prefix, artifacts=workdir / "shots") as session:
        fill_trash(session.trash, items)
        user = session.user_name()
        document = json.dumps({"dock": bar_case.a_dock(), "set": bar_case.a_launcher_set(2)},
                              ensure_ascii=False)
        subprocess.run([str(winebox.settings_tool()), "import", "--dir", str(workdir), "--user",
                        user, "--set", "1"], input=document.encode(), check=True,
                       capture_output=True)
        victim = workdir / "victim.txt"
        victim.write_text("x")
        session.launch(winebox.quorvel_exe(), cwd=workdir)
        bar = session.wait_for_settled(bar_case.BAR_CLASS, 60)
        if bar is None:
            raise RuntimeError("the bar did not open")
        time.sleep(2)  # the first queries and the name popup's start are over
        count = session.bin_count()
        result["bin_count_seen"] = count
        bar_pids = winebox.unix_pids_of(prefix, "quorvel.exe")
        servers = wineserver_pids(prefix)
        result["bar_cpu"] = cpu_share(bar_pids, idle_seconds)
        # The server's share over the same kind of interval, measured apart (it serves the bar).
        result["server_cpu"] = cpu_share(servers, idle_seconds)

        # Empty, then delete one: the item must follow each.
        full = bin_colours(session, bar)
        if items > 0:
            session.shellprobe("empty")
            result["empty_to_picture"] = time_until(lambda: bin_colours(session, bar) != full)
            empty_reference = bin_colours(session, bar)
        else:
            empty_reference = full
        session.shellprobe("recycle", bar_case.windows_path(victim))
        result["delete_to_picture"] = time_until(
            lambda: bin_colours(session, bar) != empty_reference)
        if items == 0:
            session.shellprobe("empty")
            result["empty_to_picture"] = time_until(
                lambda: bin_colours(session, bar) == empty_reference)
        session.probe("close", bar_case.BAR_CLASS)
        winebox.wait_until(lambda: not winebox.unix_pids_of(prefix, "quorvel.exe"), 10)

        if baseline:
            # The yardstick on a bin of the same size.
            session.shellprobe("empty")
            fill_trash(session.trash, items)
            poller = subprocess.Popen(
                ["wine", str(winebox.shellprobe_exe()), "poll", str(idle_seconds * 2 + 10)],
                env=session.env(), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            time.sleep(3)
            poll_pids = [p for p in winebox.unix_pids_of(prefix, "shellprobe.exe")]
            result["poll_cpu"] = cpu_share(poll_pids, idle_seconds)
            result["poll_server_cpu"] = cpu_share(servers, idle_seconds)
            poller.kill()
    return result


def ms(seconds):
    return "-" if seconds is None else f"{seconds * 1000:.0f} ms"


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--smoke", action="store_true", help="one short round, empty bin")
    parser.add_argument("--seconds", type=float, default=30)
    args = parser.parse_args()
    for needed in (winebox.quorvel_exe(), winebox.shellprobe_exe(), winebox.settings_tool()):
        if not needed.exists():
            print(f"{needed} has not been built", file=sys.stderr)
            return 1
    sizes = [0] if args.smoke else [0, 200, 1000]
    seconds = 2 if args.smoke else args.seconds
    prefix = winebox.WinePrefix(winebox.REPO / "build" / "e2e" / "prefix-96dpi", 96)
    prefix.create()
    rows = []
    for items in sizes:
        workdir = winebox.REPO / "build" / "bench" / "recycle-bin" / f"items-{items}"
        workdir.mkdir(parents=True, exist_ok=True)
        rows.append(one_round(prefix, workdir, items, seconds, baseline=not args.smoke))
    print(f"Recycle Bin watcher under Wine, {seconds:.0f} s idle per figure "
          "(share of one core; bar = quorvel.exe, server = wineserver)")
    print(f"{'items':>6} {'bar':>7} {'server':>7} {'poll':>7} {'server':>7} "
          f"{'delete->full':>13} {'empty->empty':>13}")
    for r in rows:
        poll = f"{r['poll_cpu'] * 100:6.2f}%" if "poll_cpu" in r else "      -"
        poll_server = (f"{r['poll_server_cpu'] * 100:6.2f}%" if "poll_server_cpu" in r
                       else "      -")
        print(f"{r['items']:>6} {r['bar_cpu'] * 100:6.2f}% {r['server_cpu'] * 100:6.2f}% "
              f"{poll} {poll_server} {ms(r['delete_to_picture']):>13} "
              f"{ms(r['empty_to_picture']):>13}")
    failed = [r for r in rows if r["delete_to_picture"] is None or r["empty_to_picture"] is None]
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
