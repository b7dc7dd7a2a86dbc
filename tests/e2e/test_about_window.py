"""The About window on real Wine windows: "バージョン情報" from the bar's menu opens it, a second
choice brings the same window forward instead of a second one, "O K" closes it, and a click on
the address hands the home page to the shell's handler of web addresses (in this prefix a
helper that writes down what it got) and closes the window."""

import subprocess
import time
import unittest

import bar_case
import winebox

ABOUT_CLASS = "Quorvel.frmVerInfo"
CLIENT_TWIPS = (4815, 2985)
OK_TWIPS = (1800, 2400, 1215, 375)
ADDRESS_TWIPS = (480, 1965, 3855, 255)
HOME_PAGE = "https://quorvel.example.org/"
# A little square of bare background under the first slot.
BACKGROUND = (2380, 630, 60, 60)
URL_HANDLER_KEY = r"HKLM\Software\Classes\https\shell\open\command"


class AboutWindowCase(bar_case.BarCase):
    def open_about(self, bar):
        self.right_click_at(*self.centre_of(bar, BACKGROUND))
        self.assertTrue(winebox.wait_until(
            self.menu_open, 10, 0.1),
            "no menu opened")
        # "バージョン情報" is the menu's last entry: Up from no selection wraps to it.
        self.keys("Up")
        time.sleep(0.3)
        self.keys("Return")
        window = self.session.wait_for_window(ABOUT_CLASS, 10)
        self.assertIsNotNone(window, "the About window never appeared")
        return window

    def px(self, twips):
        return round(twips * self.dpi / 1440)

    def ok_button(self):
        # The window shows before its button is made: wait for the button, then check it is
        # the only one.
        winebox.wait_until(lambda: any(c["class"] == "Button"
                                       for c in self.session.controls(ABOUT_CLASS)), 30, 0.2)
        buttons = [c for c in self.session.controls(ABOUT_CLASS) if c["class"] == "Button"]
        self.assertEqual(len(buttons), 1, buttons)
        return buttons[0]

    def client_origin(self):
        ok = self.ok_button()
        return ok["screen"][0] - ok["rect"][0], ok["screen"][1] - ok["rect"][1]


class AboutWindowTest(AboutWindowCase):
    def test_opens_once_and_closes_with_ok(self):
        self.import_settings(bar_case.a_dock(), bar_case.a_launcher_set(3))
        self.start_bar()
        bar = self.wait_for_open_bar()
        window = self.open_about(bar)
        # Drawn: the window's background colour inside its client area's corner.
        x, y = self.client_origin()
        shot = winebox.wait_until(
            lambda: (s := self.session.screenshot("about")) and
            winebox.pixel(s, x + 2, y + 2) == (204, 225, 244) and s, 30, 0.2)
        self.assertTrue(shot, "the About window was never drawn in its colour")
        code, text = self.session.probe("text", ABOUT_CLASS)
        self.assertEqual((code, text.splitlines()[0]), (0, "バージョン情報"))
        # Centred on the screen as the whole window, its controls where the layout puts them.
        self.assertCentredOnScreen(window)
        ok = self.ok_button()
        self.assertEqual(ok["text"], "O K")
        left, top, width, height = OK_TWIPS
        self.assertEqual(ok["rect"], (self.px(left), self.px(top),
                                      self.px(left + width) - self.px(left),
                                      self.px(top + height) - self.px(top)))
        client_right = x + self.px(CLIENT_TWIPS[0])
        self.assertLessEqual(client_right, window[0] + window[2])

        # A second choice brings the same window forward.
        self.open_about(bar)
        time.sleep(0.5)
        self.assertEqual(self.session.window_count(ABOUT_CLASS), 1)

        centre = (ok["screen"][0] + ok["rect"][2] // 2, ok["screen"][1] + ok["rect"][3] // 2)
        self.session.click_at(*centre)
        closed = winebox.wait_until(lambda: self.session.window_count(ABOUT_CLASS) == 0, 10)
        self.session.screenshot("about-closed")
        self.assertTrue(closed, "O K did not close the About window")
        # The bar is still there.
        self.assertTrue(self.session.window_rect(bar_case.BAR_CLASS)[4])


class AboutLinkTest(AboutWindowCase):
    def use_url_handler(self, written):
        """Web addresses open the helper in this prefix for the length of the test."""
        query = subprocess.run(
            ["wine", "reg", "query", URL_HANDLER_KEY, "/ve"], env=self.session.env(),
            capture_output=True, text=True, errors="replace")
        original = None
        for line in query.stdout.splitlines():
            if "REG_SZ" in line:
                original = line.split("REG_SZ", 1)[1].strip()
        command = (f'"{bar_case.windows_path(winebox.shellprobe_exe())}" args '
                   f'"{bar_case.windows_path(written)}" "%1"')
        self.reg_add(command)
        if original is not None:
            self.addCleanup(self.reg_add, original)

    def reg_add(self, value):
        subprocess.run(
            ["wine", "reg", "add", URL_HANDLER_KEY, "/ve", "/d", value, "/f"],
            env=self.session.env(), check=True, stdout=subprocess.DEVNULL,
            stderr=subprocess.DEVNULL)

    def test_a_click_on_the_address_opens_the_home_page_and_closes_the_window(self):
        written = self.workdir / "url.txt"
        self.use_url_handler(written)
        self.import_settings(bar_case.a_dock(), bar_case.a_launcher_set(2))
        self.start_bar()
        bar = self.wait_for_open_bar()
        self.open_about(bar)
        x, y = self.client_origin()
        # Beside the click area, over the address's first letters: nothing happens.
        self.session.click_at(x + self.px(300), y + self.px(2060))
        time.sleep(1)
        self.assertEqual(self.session.window_count(ABOUT_CLASS), 1)
        self.assertFalse(written.exists())
        left, top, width, height = ADDRESS_TWIPS
        self.session.click_at(x + self.px(left + width / 2), y + self.px(top + height / 2))
        closed = winebox.wait_until(lambda: self.session.window_count(ABOUT_CLASS) == 0, 10)
        self.assertTrue(closed, "the window stayed open after the address was clicked")
        self.assertTrue(winebox.wait_until(written.exists, 20), "the address never opened")
        lines = written.read_text(encoding="utf-8").splitlines()
        self.assertEqual(lines[1:], [HOME_PAGE])


class AboutWindowAt144DpiTest(AboutWindowTest):
    dpi = 144


if __name__ == "__main__":
    unittest.main()
