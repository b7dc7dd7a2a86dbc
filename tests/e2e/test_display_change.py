"""A change of the display mode while the bar runs: the bar is measured against the new screen
and its taskbar and placed as a restart would place it, with the switch panel beside it."""

import subprocess
import tempfile
import unittest

import bar_case
import winebox
from bar_case import BAR_CLASS, SWITCH_PANEL_CLASS

NEW_MODE = (800, 600)


class DisplayChangeTest(bar_case.BarCase):
    def change_mode_while_running(self, dock_pos, taskbar):
        self.import_settings(bar_case.a_dock(DockPos=dock_pos, TaskB=taskbar),
                             bar_case.a_launcher_set(4))
        self.start_bar()
        before = self.wait_for_open_bar()
        self.assertRectNear(before, self.expected_bar_rect(4680, dock_pos, taskbar == "表示"),
                            "the bar before the change")
        # The helper keeps the mode while it runs. Now and then Wine's desktop takes a mode
        # change back at once (the helper has been told it succeeded); the change is then made
        # again, up to three times.
        for attempt in range(3):
            said = tempfile.TemporaryFile()
            self.addCleanup(said.close)
            helper = subprocess.Popen(
                ["wine", str(winebox.systemprobe_exe()), "display-mode", *map(str, NEW_MODE),
                 "60"], env=self.session.env(), stdout=said, stderr=subprocess.DEVNULL)
            self.addCleanup(lambda h=helper: (h.kill(), h.wait()))
            changed = winebox.wait_until(
                lambda: self.session.probe("screen")[1].startswith(
                    f"{NEW_MODE[0]} {NEW_MODE[1]}"), 15)
            if changed:
                break
            said.seek(0)
            print(f"\n  mode change {attempt + 1} did not hold: the helper said "
                  f"{said.read().decode(errors='replace').strip()!r}, the screen is "
                  f"{self.session.probe('screen')[1]}")
            helper.kill()
            helper.wait()
        self.assertTrue(changed, "the display mode did not change")
        self.screen = NEW_MODE
        expected = self.expected_bar_rect(4680, dock_pos, taskbar == "表示")

        def placed():
            rect = self.session.window_rect(BAR_CLASS)
            return rect if rect and all(bar_case.within(a, b) for a, b in zip(rect, expected))\
                else None
        rect = winebox.wait_until(placed, 10)
        self.session.screenshot(f"after-{NEW_MODE[0]}x{NEW_MODE[1]}")
        self.assertRectNear(rect or self.session.window_rect(BAR_CLASS), expected,
                            "the bar after the change")
        # The shell shows its taskbar again for the new screen; a bar that hides it hides it
        # again, as a restart would.
        if taskbar == "非表示":
            self.assertTrue(winebox.wait_until(
                lambda: self.session.taskbar_visible() is False, 5), "the taskbar came back")
        panel = self.session.window_rect(SWITCH_PANEL_CLASS)
        self.assertIsNotNone(panel)
        # The panel keeps its place against the bar's left end.
        self.assertTrue(bar_case.within(panel[0] + panel[2], rect[0], 2), (panel, rect))
        self.assertTrue(bar_case.within(panel[1] - rect[1], 50 / self.twips_per_pixel, 2),
                        (panel, rect))

    def test_a_bottom_bar_moves_to_the_new_bottom_edge_above_the_taskbar(self):
        self.change_mode_while_running("下", "表示")

    def test_a_top_bar_is_centred_on_the_new_width(self):
        self.change_mode_while_running("上", "表示")

    def test_a_bottom_bar_with_the_taskbar_hidden_keeps_to_the_screens_edge(self):
        self.change_mode_while_running("下", "非表示")


class DisplayChangeAt144DpiTest(DisplayChangeTest):
    dpi = 144


if __name__ == "__main__":
    unittest.main()
