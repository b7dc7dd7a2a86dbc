"""The soak: the bar under Wine through many cycles of its daily life (names shown, a click
flash, the menu, the settings window, a set switch that restarts the bar; or, in between, the
bar folded away and brought back), with what it holds measured before and after: its windows,
its GDI objects and its private memory.

Used by `make soak` (tests/soak/soak.py, 10,000 cycles) and by the end-to-end tests (500)."""

import json
import pathlib
import subprocess
import tempfile
import time

import winebox

BAR_CLASS = "Quorvel.Dock"
# Full cycles first: everything made once and kept (fonts, brushes, the dialog library, the
# pictures' decoders) is made before the first count.
WARM_UP_CYCLES = 10
CHUNK = 250

# What the soak promises: objects back where they started, memory growth under 1 MB.
OBJECT_TOLERANCE = 5
MEMORY_GROWTH_LIMIT = 1024 * 1024


def soakdriver_exe():
    return winebox.env_path("QUORVEL_SOAKDRIVER",
                            winebox.BUILD_WINDOWS / "tests" / "soak" / "soakdriver.exe")


def launcher_set(number, tag):
    """Links whose targets do not exist: a click flashes them and opens nothing."""
    fields = {"RNo": str(number), "FWdth": "4080", "FTop": "する", "Clr": "しない",
              "BkStrch": "する"}
    for n in range(1, 4):
        fields.update({f"L{n}T": "ﾌｧｲﾙ", f"L{n}N": f"{tag}{n}",
                       f"L{n}P": f"Z:\\nonexistent\\{tag}{n}.txt"})
    return fields


def private_bytes(pid):
    """Resident memory private to the process (smaps_rollup), in bytes."""
    total = 0
    for line in pathlib.Path(f"/proc/{pid}/smaps_rollup").read_text().splitlines():
        if line.startswith(("Private_Clean:", "Private_Dirty:")):
            total += int(line.split()[1]) * 1024
    return total


class Soak:
    def __init__(self, session, workdir, user, exe=None, fold_every=1, full_every=1):
        self.session = session
        self.workdir = pathlib.Path(workdir)
        self.user = user
        self.exe = exe or winebox.quorvel_exe()
        self.process = None
        self.last_timing = ""
        # Every how many cycles the settings window opens and the set switches, and the bar is
        # folded away and brought back (1: every one).
        self.fold_every = fold_every
        self.full_every = full_every

    def prepare(self):
        tool = winebox.settings_tool()
        dock = {"TaskB": "表示", "DockPos": "上", "FntName": "ＭＳ Ｐゴシック", "FStyle": "標準",
                "FrColor": "-2147483630"}
        for number, tag in ((1, "一"), (2, "二")):
            document = json.dumps({"dock": dock, "set": launcher_set(number, tag)},
                                  ensure_ascii=False)
            subprocess.run([str(tool), "import", "--dir", str(self.workdir), "--user", self.user,
                            "--set", str(number)], input=document.encode("utf-8"), check=True,
                           capture_output=True)

    def start(self):
        self.process = self.session.launch(self.exe, cwd=self.workdir)
        if self.session.wait_for_settled(BAR_CLASS, 60) is None:
            raise RuntimeError("the bar never came up")

    def drive(self, cycles, full=False):
        """Runs cycles (all of them full ones with `full`); returns how many failed."""
        fold_every, full_every = (1, 1) if full else (self.fold_every, self.full_every)
        with tempfile.TemporaryFile() as out:
            subprocess.run(["wine", str(soakdriver_exe()), str(cycles), str(fold_every),
                            str(full_every)],
                           env=self.session.env(),
                           stdout=out, stderr=subprocess.DEVNULL, timeout=cycles * 30 + 60)
            out.seek(0)
            answer = out.read().decode("utf-8", "replace").strip()
        fields = dict(part.split("=", 1) for part in answer.split() if "=" in part)
        if "failed" not in fields:
            raise RuntimeError(f"the driver said: {answer}")
        # What each part of the cycles took ("ms: pointer=... close=..."), for the report.
        self.last_timing = answer.partition(" ms: ")[2]
        return int(fields["failed"])

    def measure(self):
        with tempfile.TemporaryFile() as out:
            subprocess.run(["wine", str(soakdriver_exe()), "measure"], env=self.session.env(),
                           stdout=out, stderr=subprocess.DEVNULL, timeout=60)
            out.seek(0)
            answer = out.read().decode("utf-8", "replace").strip()
        fields = dict(part.split("=", 1) for part in answer.split() if "=" in part)
        pids = winebox.unix_pids_of(self.session.prefix, self.exe.name)
        if not pids or "windows" not in fields:
            raise RuntimeError(f"the bar is gone ({answer})")
        return {"windows": int(fields["windows"]), "gdi": int(fields["gdi"]),
                "private": private_bytes(pids[0])}

    def run(self, cycles, report=print):
        """Warms up, measures, runs `cycles` in chunks, measures again; returns a summary."""
        self.prepare()
        self.start()
        failed = self.drive(WARM_UP_CYCLES, full=True)
        before = self.measure()
        report(f"after {WARM_UP_CYCLES} warm-up cycles: {before}")
        done = 0
        started = time.monotonic()
        while done < cycles:
            chunk = min(CHUNK, cycles - done)
            failed += self.drive(chunk)
            done += chunk
            now = self.measure()
            report(f"{done} cycles, {time.monotonic() - started:.0f} s: {now} "
                   f"(ms: {self.last_timing})")
        after = now if cycles else before
        seconds = time.monotonic() - started
        return {"cycles": cycles, "failed": failed, "before": before, "after": after,
                "seconds": seconds}


def verdict(summary):
    """The promises the soak checks, each with whether it held."""
    before, after = summary["before"], summary["after"]
    growth = after["private"] - before["private"]
    return [
        ("every cycle completed", summary["failed"] == 0, f"{summary['failed']} failed"),
        ("windows back to their count", abs(after["windows"] - before["windows"])
         <= OBJECT_TOLERANCE, f"{before['windows']} -> {after['windows']}"),
        ("GDI objects back to their count", abs(after["gdi"] - before["gdi"]) <= OBJECT_TOLERANCE,
         f"{before['gdi']} -> {after['gdi']}"),
        ("private memory grew less than 1 MB", growth < MEMORY_GROWTH_LIMIT,
         f"{before['private'] // 1024} KB -> {after['private'] // 1024} KB "
         f"({growth / 1024:+.0f} KB)"),
    ]
