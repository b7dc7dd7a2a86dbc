#!/usr/bin/env python3
"""Kills `quorvel-settings import` with SIGKILL at random moments, over and over, and checks
after every kill that each settings file holds exactly its bytes from before the run or exactly
its bytes from a finished import, that both still parse (export) and pass `check`.

Usage: kill_during_import.py PATH/TO/quorvel-settings [RUNS] [SEED]
Prints one summary line: how many kills landed before anything changed, between the two
files, after both, or after the import had finished on its own.
"""
import json
import os
import random
import shutil
import signal
import subprocess
import sys
import tempfile
import time

USER = "太郎"
SET = 3


def version(tag, links):
    """A whole set and the dock fields; `tag` makes every field of one version differ."""
    kinds = ["ｱﾌﾟﾘｹｰｼｮﾝ", "ﾌｧｲﾙ", "ﾌｫﾙﾀﾞ", "ﾎｰﾑﾍﾟｰｼﾞ"]
    launcher = {"FTop": "する", "Clr": "しない", "BkStrch": "する", "LN1": tag + "の一"}
    for n in range(1, links + 1):
        launcher[f"L{n}T"] = kinds[n % 4]
        launcher[f"L{n}N"] = f"{tag}リンク{n}"
        launcher[f"L{n}I"] = f"C:\\icons\\{tag}\\{n}.ico"
        launcher[f"L{n}P"] = f"C:\\Users\\taro\\{tag}\\" + "フォルダ\\" * 20 + f"{n}.txt"
    dock = {"TaskB": "非表示" if tag == "甲" else "表示", "DockPos": "下" if tag == "甲" else "上",
            "FntName": "ＭＳ Ｐゴシック", "FStyle": "標準", "FrColor": str(len(tag) * 255)}
    return json.dumps({"dock": dock, "set": launcher}, ensure_ascii=False).encode("utf-8")


class Folder:
    def __init__(self, tool, root):
        self.tool = tool
        self.root = root
        self.data = os.path.join(root, "UsrData")
        self.paths = [os.path.join(self.data, USER + "dp.dat"),
                      os.path.join(self.data, USER + "sl.dat")]

    def import_(self, payload):
        return subprocess.Popen([self.tool, "import", "--dir", self.root, "--user", USER,
                                 "--set", str(SET)],
                                stdin=subprocess.PIPE, stdout=subprocess.DEVNULL,
                                stderr=subprocess.DEVNULL)

    def run_import(self, payload):
        p = self.import_(payload)
        p.communicate(payload)
        if p.returncode != 0:
            raise SystemExit(f"import failed with {p.returncode}")

    def files(self):
        out = []
        for path in self.paths:
            try:
                with open(path, "rb") as f:
                    out.append(f.read())
            except FileNotFoundError:
                out.append(None)
        return tuple(out)

    def strays(self):
        names = set(os.listdir(self.data))
        return sorted(names - {os.path.basename(p) for p in self.paths})

    def readable(self):
        export = subprocess.run([self.tool, "export", "--dir", self.root, "--user", USER],
                                capture_output=True)
        if export.returncode != 0:
            return f"export failed: {export.stderr.decode(errors='replace')}"
        try:
            data = json.loads(export.stdout)
        except ValueError as e:
            return f"export is not JSON: {e}"
        if str(SET) not in data.get("sets", {}):
            return "the set is gone"
        check = subprocess.run([self.tool, "check", "--dir", self.root, "--user", USER],
                               capture_output=True)
        if check.returncode != 0:
            return f"check found problems: {check.stdout.decode(errors='replace')}"
        return None


def main():
    tool = sys.argv[1]
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 200
    seed = int(sys.argv[3]) if len(sys.argv) > 3 else 20240611
    rng = random.Random(seed)
    versions = [version("甲", 17), version("乙", 9)]
    root = tempfile.mkdtemp(prefix="qvl-kill-")
    try:
        folder = Folder(tool, root)
        # What each version leaves on the disk, and how long an import takes.
        reference = []
        started = time.monotonic()
        for payload in versions:
            folder.run_import(payload)
            reference.append(folder.files())
        took = (time.monotonic() - started) / len(versions)
        # Every file can only ever be one of the versions' bytes.
        state = folder.files()
        outcomes = {"before": 0, "between": 0, "after": 0, "finished": 0}
        strays_seen = 0
        failures = []
        for run in range(runs):
            target = run % 2
            payload = versions[target]
            wanted = reference[target]
            p = folder.import_(payload)
            # The whole run, from the process starting to its last fsync, is fair game.
            delay = rng.uniform(0, took * 0.9)
            try:
                p.stdin.write(payload)
                p.stdin.close()
            except BrokenPipeError:
                pass
            time.sleep(delay)
            finished = p.poll() is not None
            p.send_signal(signal.SIGKILL)
            p.wait()
            now = folder.files()
            for i, name in enumerate(("dp.dat", "sl.dat")):
                if now[i] != state[i] and now[i] != wanted[i]:
                    failures.append(f"run {run}: {name} is {len(now[i] or b'')} bytes, neither "
                                    f"the old nor the new one")
            problem = folder.readable()
            if problem:
                failures.append(f"run {run}: {problem}")
            changed = sum(1 for i in range(2) if now[i] != state[i] and state[i] != wanted[i])
            differing = sum(1 for i in range(2) if state[i] != wanted[i])
            if finished:
                outcomes["finished"] += 1
            elif changed == 0:
                outcomes["before"] += 1
            elif changed < differing:
                outcomes["between"] += 1
            else:
                outcomes["after"] += 1
            # A killed import may leave its temporary file; it is never read. Clear it away so
            # the next run starts from the two files alone.
            strays = folder.strays()
            strays_seen += len(strays)
            for name in strays:
                os.remove(os.path.join(folder.data, name))
            state = now
        print(f"{runs} imports killed at random (an import takes {took * 1000:.1f} ms): "
              f"{outcomes['before']} before a file changed, {outcomes['between']} between the "
              f"two files, {outcomes['after']} after both, {outcomes['finished']} had finished; "
              f"{strays_seen} temporary files left by killed runs")
        for f in failures:
            print("FAIL:", f)
        return 1 if failures else 0
    finally:
        shutil.rmtree(root, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
