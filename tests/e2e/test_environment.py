"""The harness itself: Wine's desktop has the size, resolution and taskbar the bar tests rely
on, and the probe's window coordinates match the pixels of a screenshot."""

import os
import unittest

import bar_case
import winebox

MINIMAL_CLASS = "Quorvel.MinimalWindow"


class EnvironmentTest(unittest.TestCase):
    def setUp(self):
        for exe in (winebox.probe_exe(), winebox.minimal_window_exe()):
            if not exe.exists():
                if os.environ.get("QUORVEL_E2E_STRICT"):
                    self.fail(f"{exe} has not been built")
                self.skipTest(f"{exe} has not been built")

    def session(self, dpi, width, height, name):
        session = winebox.Session(
            bar_case.shared_prefix(dpi), width, height,
            artifacts=bar_case.ARTIFACTS / f"environment-{name}",
            first_display=next(bar_case._displays),
        )
        session.start()
        self.addCleanup(session.stop)
        return session

    def test_desktop_matches_the_requested_screen(self):
        for dpi, width, height in [(96, 1024, 768), (96, 1280, 1024), (144, 1024, 768)]:
            with self.subTest(dpi=dpi, width=width, height=height):
                session = self.session(dpi, width, height, f"{width}x{height}-{dpi}")
                self.assertEqual(session.probe("screen"), (0, f"{width} {height} {dpi}"))
                self.assertTrue(session.taskbar_visible())
                # The shell's taskbar rectangle lies along the bottom edge of the screen.
                left, top, w, h = session.taskbar_rect()
                self.assertEqual((left, w), (0, width))
                self.assertEqual(top + h, height)
                session.stop()

    def test_probe_coordinates_are_screenshot_pixels(self):
        session = self.session(96, 1024, 768, "coordinates")
        session.launch(winebox.minimal_window_exe(), ["352"])
        rect = session.wait_for_settled(MINIMAL_CLASS, timeout=20)
        self.assertEqual(rect, (336, 0, 352, 49, True))
        shot = session.screenshot("minimal-window")
        desktop = winebox.pixel(shot, 512, 400)
        inside = winebox.pixel(shot, 336 + 176, 24)
        self.assertNotEqual(inside, desktop)
        # One pixel beyond each side edge is desktop again.
        self.assertEqual(winebox.pixel(shot, 335, 24), desktop)
        self.assertEqual(winebox.pixel(shot, 336 + 352, 24), desktop)
        self.assertEqual(winebox.pixel(shot, 512, 49), desktop)

    def test_probe_closes_windows_and_counts_them(self):
        session = self.session(96, 1024, 768, "close")
        session.launch(winebox.minimal_window_exe(), ["200"])
        self.assertIsNotNone(session.wait_for_window(MINIMAL_CLASS, timeout=20))
        self.assertEqual(session.window_count(MINIMAL_CLASS), 1)
        self.assertEqual(session.probe("close", MINIMAL_CLASS), (0, "closed"))
        gone = winebox.wait_until(lambda: session.window_count(MINIMAL_CLASS) == 0, 10)
        self.assertTrue(gone)
        self.assertEqual(session.probe("close", MINIMAL_CLASS)[0], 1)


if __name__ == "__main__":
    unittest.main()
