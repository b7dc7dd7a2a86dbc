"""Real controls in a dialog window, driven as a person would: the spike program shows one
dialog form (a text box, a drop-down list of three entries, a default button) through the real
window host and logs every event that reaches the model. The test types Japanese text, moves
with Tab and Shift+Tab, picks entries with the keyboard, presses the button with Space and with
Enter, presses Escape and closes the window, then reads the log: every action arrived exactly
once and the program's own writes never came back as typing."""

import os
import time
import unittest

import bar_case
import winebox

SPIKE_CLASS = "Quorvel.ControlsSpike"
TYPED = "日本語のテキスト"
ITEMS = ["ｱﾌﾟﾘｹｰｼｮﾝ", "ﾌｧｲﾙ", "ﾌｫﾙﾀﾞ"]
# The spike's layout table, in twips: text box, drop-down list, button.
TEXT_BOX_TWIPS = (1320, 210, 3240, 330)
LIST_TWIPS = (1320, 750, 3240, 330)
BUTTON_TWIPS = (3120, 1440, 1440, 420)
CLIENT_TWIPS = (4800, 2100)

ES_MULTILINE = 0x4
ES_AUTOHSCROLL = 0x80
ES_READONLY = 0x800
CBS_DROPDOWNLIST = 0x3
BS_TYPEMASK = 0xF
BS_DEFPUSHBUTTON = 0x1
WS_TABSTOP = 0x10000
IDOK, IDCANCEL, IDCONTINUE = 1, 2, 11


class ControlsSpikeCase(bar_case.BarCase):
    keys_typed = "ー" + TYPED
    """Runs the spike instead of the bar."""

    def setUp(self):
        spike = winebox.controls_spike_exe()
        if not spike.exists():
            message = f"{spike} has not been built"
            if os.environ.get("QUORVEL_E2E_STRICT"):
                self.fail(message)
            self.skipTest(message)
        super().setUp()
        self.log = self.workdir / "events.log"
        self.spike = self.session.launch(spike, [bar_case.windows_path(self.log)],
                                         cwd=self.workdir)
        self.assertIsNotNone(self.session.wait_for_window(SPIKE_CLASS),
                             "the spike's dialog never appeared")
        self.assertTrue(winebox.wait_until(lambda: len(self.controls()) == 3, 10),
                        self.controls())

    def controls(self):
        return self.session.controls(SPIKE_CLASS)

    def events(self):
        return self.log.read_text(encoding="utf-8").splitlines() if self.log.exists() else []

    def keys(self, *names):
        for name in names:
            self.session.xdotool("key", name)
            time.sleep(0.15)

    def focused_class(self):
        return next((c["class"].lower() for c in self.controls() if c["focused"]), None)

    def wait_for_focus(self, class_name):
        found = winebox.wait_until(lambda: self.focused_class() == class_name, 5)
        self.assertTrue(found, f"the focus is on {self.focused_class()}, not on {class_name}")

    def expected_box(self, twips):
        """A rectangle of the layout table in client pixels, edges rounded as the host does."""
        left, top, width, height = twips
        px = lambda v: int(v * self.dpi / 1440 + 0.5)  # noqa: E731
        return px(left), px(top), px(left + width) - px(left), px(top + height) - px(top)

    def check_realised_controls(self):
        edit, combo, button = self.controls()
        # The children are real controls of the system's classes, in the model's Tab order.
        self.assertEqual([c["class"].lower() for c in (edit, combo, button)],
                         ["edit", "combobox", "button"])
        for child in (edit, combo, button):
            self.assertTrue(child["style"] & WS_TABSTOP, child)
            self.assertTrue(child["visible"] and child["enabled"], child)
            self.assertNotIn(child["id"], range(IDOK, IDCONTINUE + 1), child)
        self.assertEqual(len({c["id"] for c in (edit, combo, button)}), 3)
        self.assertTrue(edit["style"] & ES_AUTOHSCROLL)
        self.assertFalse(edit["style"] & (ES_MULTILINE | ES_READONLY))
        self.assertEqual(combo["style"] & CBS_DROPDOWNLIST, CBS_DROPDOWNLIST)
        self.assertEqual(button["style"] & BS_TYPEMASK, BS_DEFPUSHBUTTON)
        self.assertEqual(button["text"], "決定")
        # Placed from twips with the screen's DPI; a drop-down list's field is as high as its
        # font makes it, so only its left, top and width follow the table.
        self.assertEqual(edit["rect"], self.expected_box(TEXT_BOX_TWIPS))
        self.assertEqual(button["rect"], self.expected_box(BUTTON_TWIPS))
        self.assertEqual(combo["rect"][:3], self.expected_box(LIST_TWIPS)[:3])
        # The dialog comes up active, ready for typing into its first control.
        self.wait_for_focus("edit")

    def click_into(self, child):
        x, y = child["screen"]
        self.session.click_at(x + child["rect"][2] // 2, y + child["rect"][3] // 2)

    def prime_unicode_typing(self):
        """The characters the keyboard lacks get keys of their own, and a Wine program misses
        the first key after the keyboard changed. One throw-away character, typed while the
        button has the focus (where it means nothing), takes that loss."""
        self.keys("Tab", "Tab")
        self.wait_for_focus("button")
        self.session.type_text("ー")

    def run_scenario(self):
        self.check_realised_controls()
        self.session.screenshot("opened")
        self.prime_unicode_typing()

        edit = self.controls()[0]
        self.click_into(edit)
        self.wait_for_focus("edit")
        self.session.type_text(TYPED)
        self.assertTrue(winebox.wait_until(lambda: self.controls()[0]["text"] == TYPED, 10),
                        self.controls()[0])
        self.session.screenshot("typed")

        self.keys("Tab")
        self.wait_for_focus("combobox")
        self.keys("Down", "Down")
        self.session.screenshot("picked")

        self.keys("Tab")
        self.wait_for_focus("button")
        self.session.screenshot("button-focused")
        self.keys("space")
        # Back to the text box, then Enter presses the default button from there.
        self.keys("shift+Tab", "shift+Tab")
        self.wait_for_focus("edit")
        self.keys("Return")
        # Without a cancel button Escape does nothing: the window stays, nothing is logged.
        self.keys("Escape")
        time.sleep(0.5)
        self.assertTrue(self.session.window_rect(SPIKE_CLASS)[4])
        self.session.screenshot("after-keys")

        self.assertEqual(self.session.probe("close", SPIKE_CLASS)[0], 0)
        self.assertEqual(self.spike.wait(20), 0)

        events = self.events()
        changes = [e.split("\t", 1)[1] for e in events if e.startswith("change\t")]
        # One change per typed character, each the box's whole text so far, and never a
        # repeat: the host's own writes into the box are not reported as typing.
        self.assertEqual(changes, [TYPED[:n] for n in range(1, len(TYPED) + 1)], events)
        others = [e for e in events if not e.startswith("change\t")]
        self.assertEqual(others, [f"click\t0\t{ITEMS[0]}", f"click\t1\t{ITEMS[1]}", "press",
                                  "press", "close"])


class ControlsSpikeAt96Dpi(ControlsSpikeCase):
    dpi = 96

    def test_typing_tab_picks_presses_and_close_each_arrive_once(self):
        self.run_scenario()

    def test_the_dialog_is_sized_by_its_client_area_with_a_title_bar(self):
        x, y, width, height, visible = self.session.window_rect(SPIKE_CLASS)
        self.assertTrue(visible)
        client_w, client_h = (round(v * self.dpi / 1440) for v in CLIENT_TWIPS)
        # Wider and taller than the client area by the frame and the title bar, no more.
        self.assertGreater(width, client_w)
        self.assertLess(width - client_w, 20)
        self.assertGreater(height - client_h, 15)
        self.assertLess(height - client_h, 60)
        edit = self.controls()[0]
        self.assertEqual(self.session.probe("text", SPIKE_CLASS)[1].splitlines()[0],
                         "コントロールの試験")
        # The client area starts below the title bar.
        self.assertGreater(edit["screen"][1] - edit["rect"][1], y + 15)


class ControlsSpikeAt144Dpi(ControlsSpikeCase):
    dpi = 144

    def test_typing_tab_picks_presses_and_close_each_arrive_once(self):
        self.run_scenario()


if __name__ == "__main__":
    unittest.main()
