"""The taskbar the bar hides never outlives it: the session ending (or going on after all), a
shell that makes a new taskbar, a close request from another program, a crash on any path, and
the start that follows a run killed outright."""

import os
import signal
import subprocess
import tempfile
import time
import unittest

import bar_case
import winebox
from bar_case import BAR_CLASS

AE_DEBUG = r"HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug"
ACCESS_VIOLATION = 0xC0000005


def quiet_crashes(session):
    """A crash the program passes on ends it at once with the crash's code, as on Windows with
    no debugger registered. By default Wine starts its debugger on every crash, which shows a
    dialog that waits for a person, and which then ends the program with the code of the
    thread it looked at last: 0 when that thread did not crash, as the order of the debugger's
    events on a busy machine can have it. A debugger command that cannot start leaves the
    crash to the crashing thread's own last handler, which ends the process with its code."""
    subprocess.run(["wine", "reg", "add", AE_DEBUG, "/v", "Debugger", "/d", "", "/f"],
                   env=session.env(), capture_output=True, check=True)


class TaskbarRestoreTest(bar_case.BarCase):
    def start_with_hidden_taskbar(self, dock_pos="下"):
        self.import_settings(bar_case.a_dock(TaskB="非表示", DockPos=dock_pos),
                             bar_case.a_launcher_set(3))
        process = self.start_bar()
        self.wait_for_open_bar()
        self.assertFalse(self.session.taskbar_visible())
        return process

    def test_an_ending_session_restores_the_taskbar_and_one_that_goes_on_keeps_it_hidden(self):
        process = self.start_with_hidden_taskbar()
        code, out = self.session.systemprobe("end-session", BAR_CLASS, "goes-on")
        self.assertEqual((code, out), (0, "query=1"), "the bar must let the session end")
        self.assertFalse(self.session.taskbar_visible(), "the session went on: hidden again")
        self.assertTrue(self.session.window_rect(BAR_CLASS)[4])

        code, out = self.session.systemprobe("end-session", BAR_CLASS, "ends")
        self.assertEqual((code, out), (0, "query=1"))
        self.assertEqual(process.wait(20), 0)
        self.assertTrue(self.session.taskbar_visible())

    def test_a_new_taskbar_from_a_restarted_shell_gets_the_bars_setting(self):
        self.start_with_hidden_taskbar()
        self.assertEqual(self.session.systemprobe("new-taskbar"), (0, "broadcast"))
        self.assertTrue(winebox.wait_until(lambda: self.session.taskbar_visible() is False, 5),
                        "the bar left the new taskbar shown")

    def test_a_close_request_from_another_program_ends_the_bar_with_the_taskbar_back(self):
        process = self.start_with_hidden_taskbar()
        # Not forced: every window of the program is asked to close, as at a task kill.
        subprocess.run(["wine", "taskkill", "/im", self.exe.name], env=self.session.env(),
                       capture_output=True, timeout=30)
        self.assertEqual(process.wait(20), 0)
        self.assertTrue(self.session.taskbar_visible())

    def test_a_crash_on_a_thread_of_the_bar_brings_the_taskbar_back(self):
        quiet_crashes(self.session)
        process = self.start_with_hidden_taskbar()
        self.assertEqual(self.session.systemprobe("crash-thread", BAR_CLASS), (0, "started"))
        # Ended by the crash, with its code (Wine hands a program's exit code to Unix modulo
        # 256), not swallowed by the bar's last-resort handler.
        self.assertEqual(process.wait(30), ACCESS_VIOLATION & 0xFF,
                         "the crash must still end the program, with the crash's code")
        self.assertTrue(self.session.taskbar_visible())

    def test_a_hard_kill_leaves_the_taskbar_hidden_and_the_next_start_restores_it(self):
        # Stored: taskbar shown. The person hides it with the bar's button, without saving.
        self.import_settings(bar_case.a_dock(TaskB="表示"), bar_case.a_launcher_set(3))
        self.start_bar()
        rect = self.wait_for_open_bar()
        self.assertTrue(self.session.taskbar_visible())
        self.session.click_at(*self.centre_of(rect, bar_case.TASKBAR_DOWN_TWIPS))
        self.assertTrue(winebox.wait_until(lambda: self.session.taskbar_visible() is False, 5))
        self.session.screenshot("taskbar-hidden-by-the-bar")

        # Killed outright: no code of the bar runs, so nothing can show the taskbar.
        pids = winebox.unix_pids_of(self.prefix, self.exe.name)
        self.assertTrue(pids)
        for pid in pids:
            os.kill(pid, signal.SIGKILL)
        self.assertTrue(winebox.wait_until(
            lambda: self.session.window_count(BAR_CLASS) == 0, 20), "the bar outlived SIGKILL")
        self.assertFalse(self.session.taskbar_visible())

        self.start_bar()
        self.wait_for_open_bar()
        self.assertTrue(self.session.taskbar_visible(), "the next start applies TaskB 表示")
        self.session.screenshot("next-start")


class CrashHarnessTest(bar_case.BarCase):
    """The bar's own last-resort handlers in a small program that hides the taskbar and then
    dies the way it is told to."""

    MODES = {
        # mode: what the program says before it ends (None: it dies without a word)
        "throw": "reported: crash harness: std::runtime_error",
        "throw-other": "reported: ",
        "access-violation": None,
        "stack-overflow": None,
        "terminate": None,
        "abort": None,
        "noexcept": None,
        "thread-access-violation": None,
        "thread-throw": None,
    }

    def test_every_way_of_dying_brings_the_taskbar_back(self):
        harness = winebox.crash_harness_exe()
        self.assertTrue(harness.exists(), f"{harness} has not been built")
        quiet_crashes(self.session)
        for mode, said in self.MODES.items():
            with self.subTest(mode=mode):
                # Whatever the mode before left, each starts with the taskbar shown.
                self.session.systemprobe("new-taskbar")
                self.assertTrue(self.session.taskbar_visible())
                with tempfile.TemporaryFile() as out:
                    process = subprocess.Popen(["wine", str(harness), mode],
                                               env=self.session.env(), stdout=out,
                                               stderr=subprocess.DEVNULL)
                    try:
                        code = process.wait(60)
                    except subprocess.TimeoutExpired:
                        process.kill()
                        process.wait()
                        self.fail(f"{mode}: the harness did not end")
                    out.seek(0)
                    text = out.read().decode("utf-8", "replace")
                self.assertNotEqual(code, 0, f"{mode}: the harness ended as if nothing happened")
                # The taskbar is shown by a message posted to the shell; give it a moment.
                self.assertTrue(
                    winebox.wait_until(lambda: self.session.taskbar_visible(), 5),
                    f"{mode}: the taskbar stayed hidden")
                if said is not None:
                    self.assertIn(said, text)
                time.sleep(0.2)


if __name__ == "__main__":
    unittest.main()
