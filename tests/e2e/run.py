#!/usr/bin/env python3
"""Runs the end-to-end tests in two Wine sessions at once and reports as `unittest -v` does:
one line per test (with its time), the failures' tracebacks, then "Ran N tests" and "OK" or
"FAILED (...)".

Each session is a worker process of its own with its own Wine prefix (a fresh copy of the
set-up template) and its own half of the reserved displays (QUORVEL_DISPLAYS, default 20-29),
so the two never share a Wine server, an X server, a trash or a working folder. A worker takes
one test class at a time, the longest first as the last run measured them, so both finish at
about the same time. QUORVEL_E2E_WORKERS=1 runs everything in one session.

Usage: tests/e2e/run.py [test_module ...]
"""

import io
import json
import multiprocessing
import os
import pathlib
import queue
import sys
import time
import traceback
import unittest

HERE = pathlib.Path(__file__).resolve().parent
# Not imported here: a worker must set its displays and prefix before winebox reads them.
sys.path.insert(0, str(HERE))
DURATIONS = HERE.parents[1] / "build" / "e2e" / "class-durations.json"
# Before any run has measured them: the classes that take longest, so they do not start last.
LONG_CLASSES = ["test_soak.SoakTest", "test_menu_commands.ToolsTest",
                "test_taskbar_restore.CrashHarnessTest", "test_safe_loading.SafeLoadingTest"]


def display_halves(workers):
    """The reserved displays split into one range per worker."""
    import winebox

    numbers = list(winebox.DISPLAY_NUMBERS)
    workers = max(1, min(workers, len(numbers)))
    size = len(numbers) // workers
    return [f"{numbers[i * size]}-{numbers[(i + 1) * size - 1]}" for i in range(workers)]


def test_classes(modules):
    """The ids ("module.Class") of every class that holds tests, in discovery order."""
    loader = unittest.TestLoader()
    if modules:
        suite = loader.loadTestsFromNames(modules)
    else:
        suite = loader.discover(str(HERE), pattern="test_*.py", top_level_dir=str(HERE))
    ids = []

    def visit(item):
        if isinstance(item, unittest.TestSuite):
            for child in item:
                visit(child)
        elif isinstance(item, unittest.loader._FailedTest):
            raise SystemExit(f"cannot load {item.id()}: {item._exception}")
        else:
            name = f"{type(item).__module__}.{type(item).__qualname__}"
            if name not in ids:
                ids.append(name)

    visit(suite)
    return ids


def longest_first(ids):
    try:
        measured = json.loads(DURATIONS.read_text())
    except (OSError, ValueError):
        measured = {}
    hint = {name: 1e6 - i for i, name in enumerate(LONG_CLASSES)}
    return sorted(ids, key=lambda name: -measured.get(name, hint.get(name, 0)))


class TimedResult(unittest.TextTestResult):
    """Notes how long each test took."""

    def __init__(self, *args, **kwargs):
        super().__init__(*args, **kwargs)
        self.durations = {}

    def startTest(self, test):
        self._started = time.monotonic()
        super().startTest(test)

    def stopTest(self, test):
        super().stopTest(test)
        self.durations[test.id()] = time.monotonic() - self._started


def worker(number, displays, tasks, results):
    """One session: runs the classes it is handed until it is handed None."""
    os.environ["QUORVEL_DISPLAYS"] = displays
    os.environ["QUORVEL_E2E_PREFIX"] = f"prefix-{number}"
    while (name := tasks.get()) is not None:
        started = time.monotonic()
        output = io.StringIO()
        durations = {}
        try:
            suite = unittest.defaultTestLoader.loadTestsFromName(name)
            # The tests' own prints (measurements) stay with their class's report.
            sys.stdout = sys.stderr = output
            runner = unittest.TextTestRunner(stream=output, verbosity=2,
                                             resultclass=TimedResult)
            result = runner.run(suite)
            durations = result.durations
            counts = (result.testsRun, len(result.failures), len(result.errors),
                      len(result.skipped))
        except Exception:  # a class that cannot even run counts as one error
            output.write(traceback.format_exc())
            counts = (0, 0, 1, 0)
        finally:
            sys.stdout, sys.stderr = sys.__stdout__, sys.__stderr__
        # The class's own "Ran N tests" and "OK" would read like the run's end: the run's
        # closing lines come once, after every class.
        report = output.getvalue()
        closing = report.rfind("\n" + unittest.TextTestResult.separator2 + "\nRan ")
        results.put((number, name, time.monotonic() - started, counts, durations,
                     report[:closing] if closing >= 0 else report))


def main():
    modules = sys.argv[1:]
    workers = int(os.environ.get("QUORVEL_E2E_WORKERS", "2"))
    classes = longest_first(test_classes(modules))
    import winebox

    # The template is set up here, once, before the sessions copy it.
    winebox.WinePrefix(winebox.WinePrefix.TEMPLATE).set_up()

    context = multiprocessing.get_context("spawn")
    tasks, results = context.Queue(), context.Queue()
    for name in classes:
        tasks.put(name)
    processes = []
    for number, displays in enumerate(display_halves(workers), start=1):
        tasks.put(None)
        process = context.Process(target=worker, args=(number, displays, tasks, results))
        process.start()
        processes.append(process)

    started = time.monotonic()
    totals = [0, 0, 0, 0]
    durations = {}
    tests = {}
    for _ in classes:
        while True:
            try:
                number, name, seconds, counts, test_durations, output = results.get(timeout=10)
                break
            except queue.Empty:
                if not any(process.is_alive() for process in processes):
                    print("every session ended before its tests did", flush=True)
                    return 1
        durations[name] = round(seconds, 1)
        tests.update(test_durations)
        totals = [a + b for a, b in zip(totals, counts)]
        print(f"--- {name}: {seconds:.1f} s in session {number}", flush=True)
        print(output.rstrip("\n"), flush=True)
    for process in processes:
        process.join()
    elapsed = time.monotonic() - started

    DURATIONS.parent.mkdir(parents=True, exist_ok=True)
    DURATIONS.write_text(json.dumps(durations, indent=1, sort_keys=True) + "\n")
    print("\ntests by time:")
    for test, seconds in sorted(tests.items(), key=lambda item: -item[1]):
        print(f"  {seconds:6.1f} s  {test}")
    ran, failures, errors, skipped = totals
    print("-" * 70)
    print(f"Ran {ran} tests in {elapsed:.3f}s\n")
    details = [f"{label}={n}" for label, n in
               (("failures", failures), ("errors", errors), ("skipped", skipped)) if n]
    if failures or errors:
        print(f"FAILED ({', '.join(details)})")
        return 1
    print("OK" + (f" ({', '.join(details)})" if details else ""))
    return 0


if __name__ == "__main__":
    sys.exit(main())
