"""The bar from the keyboard alone, on real Wine windows with real X key events: the global key
gives it the keyboard, the arrows and Enter start a link's program, a digit starts a link, the
menu key opens the item's menu beside it, Escape hands the keyboard back, and a bar folded by
its close button comes back with the key. The focus mark is looked at on screenshots at 96 and
144 dpi. The settings window selects a slot, takes a new name and saves it from the keyboard."""

import unittest

import bar_case
import test_settings_window
import winebox
from bar_case import BAR_CLASS

LISTENER_CLASS = "ShellProbe.Listener"
HOTKEY = "ctrl+alt+q"
LINKS = 4
NEW_NAME = "Slot 5 by keys"
MARK = ("000000", "FFFFFF")  # the focus mark: a black line round the item, a white one round that


def foreground(session):
    """The class of the window that has the keyboard."""
    return session.probe("foreground")[1]


def wait_for_foreground(case, class_name):
    got = winebox.wait_until(lambda: foreground(case.session) == class_name, 15, 0.2)
    case.assertTrue(got, f"{class_name} never got the keyboard ({foreground(case.session)})")


class KeyboardCase(bar_case.BarCase):
    def setUp(self):
        super().setUp()
        # Link n starts the helper, which writes down its arguments in started-n.txt.
        launcher_set = bar_case.a_launcher_set(LINKS)
        for n in range(1, LINKS + 1):
            launcher_set[f"L{n}P"] = (f"{bar_case.windows_path(winebox.shellprobe_exe())} "
                                      f"args started-{n}.txt")
        self.import_settings(bar_case.a_dock(), launcher_set)
        self.start_bar()
        self.bar = self.wait_for_open_bar()

    def wait_for_foreground(self, class_name):
        wait_for_foreground(self, class_name)

    def started(self, n):
        return (self.workdir / f"started-{n}.txt").exists()

    def another_programs_window(self):
        """A window of another program, with the keyboard, as the person had it before."""
        log = self.workdir / "listener.txt"
        self.session.launch(winebox.shellprobe_exe(), ["listen", "300", bar_case.windows_path(log)])
        self.assertTrue(winebox.wait_until(
            lambda: log.exists() and "ready" in log.read_text(), 15), "no listener window")
        self.wait_for_foreground(LISTENER_CLASS)

    def back_to_the_listener(self):
        """The started helper has no window and ends at once, leaving no window with the
        keyboard, and in that state the global key reached no program under Wine in the runs
        made here. The other program's window takes the keyboard back, as the window a person
        works in would."""
        # Asked again until it holds: in the runs made here one request was now and then undone
        # before the next key came.
        def listener_has_it():
            if foreground(self.session) == LISTENER_CLASS:
                return True
            self.session.probe("activate", LISTENER_CLASS)
            return False

        self.assertTrue(winebox.wait_until(listener_has_it, 20, 0.3),
                        f"the listener never got the keyboard back ({foreground(self.session)})")

    def take_keyboard(self):
        self.keys(HOTKEY)
        self.wait_for_foreground(BAR_CLASS)

    def mark_now(self, item_twips):
        """The colours on the screen just outside the item's left edge, half way down: where
        the mark's black line lies, then its white one."""
        tpp = self.twips_per_pixel
        left, top, _, height = item_twips
        line = max(1, round(30 / tpp))
        x = self.bar[0] + round(left / tpp)
        y = self.bar[1] + round((top + height / 2) / tpp)
        inner = self.session.screen_colours(x - 1, y, 1, 1)
        outer = self.session.screen_colours(x - line - 1, y, 1, 1)
        return "".join(inner), "".join(outer)

    def wait_for_mark(self, item_twips, shot_name):
        """Waits until the focus mark stands round the item; keeps a screenshot of it."""
        seen = winebox.wait_until(lambda: self.mark_now(item_twips) == MARK, 15, 0.05)
        self.session.screenshot(shot_name)
        self.assertTrue(seen, f"no focus mark round {item_twips}: {self.mark_now(item_twips)}")


class KeyboardTest(KeyboardCase):
    dpi = 96

    def test_the_hotkey_arrows_enter_a_digit_the_menu_key_and_escape(self):
        # The pointer is never moved or pressed: it rests where the X server put it, in the
        # middle of the screen, below the bar.
        self.another_programs_window()
        self.take_keyboard()
        self.wait_for_mark(bar_case.SLOT_TWIPS(1), "keys-mark-on-link-1")

        # Right twice from the first link, and Enter: the third link's program starts.
        self.keys("Right", "Right")
        self.wait_for_mark(bar_case.SLOT_TWIPS(3), "keys-mark-on-link-3")
        self.keys("Return")
        self.assertTrue(winebox.wait_until(lambda: self.started(3), 20), "link 3 did not start")
        self.assertFalse(self.started(1) or self.started(2))
        # The person goes back to the window they were in, and the key brings the bar again.
        self.back_to_the_listener()
        self.take_keyboard()
        self.keys("2")
        self.assertTrue(winebox.wait_until(lambda: self.started(2), 20), "link 2 did not start")

        # The keyboard is on link 2 now: the menu key opens its menu below it, not at the
        # pointer.
        self.back_to_the_listener()
        self.take_keyboard()
        self.keys("Menu")
        menu = winebox.wait_until(self.open_menu, 10, 0.1)
        self.session.screenshot("keys-menu-key")
        self.assertTrue(menu, "the menu key opened no menu")
        item_x, _ = self.point_in_bar(self.bar, *bar_case.SLOT_TWIPS(2)[:2])
        self.assertTrue(bar_case.within(menu[0], item_x, 2), (menu, item_x))
        self.assertTrue(bar_case.within(menu[1], self.bar[1] + round(600 / self.twips_per_pixel),
                                        2), (menu, self.bar))
        # Escape closes the menu and the bar has the keyboard again; Escape once more hands it
        # back to the window that had it, and the mark goes.
        self.keys("Escape")
        self.assertTrue(winebox.wait_until(lambda: not self.menu_open(), 10, 0.1))
        self.wait_for_foreground(BAR_CLASS)
        self.keys("Escape")
        self.wait_for_foreground(LISTENER_CLASS)
        gone = winebox.wait_until(lambda: self.mark_now(bar_case.SLOT_TWIPS(2)) != MARK, 10, 0.05)
        self.session.screenshot("keys-handed-back")
        self.assertTrue(gone, "the focus mark stayed after Escape")

    def test_a_bar_folded_by_its_close_button_comes_back_with_the_hotkey(self):
        self.take_keyboard()
        self.keys("Home")
        self.wait_for_mark(bar_case.CLOSE_BUTTON_TWIPS, "keys-mark-on-the-close-button")
        self.keys("Return")
        self.assertTrue(winebox.wait_until(
            lambda: not (self.session.window_rect(BAR_CLASS) or (0,) * 5)[4], 10, 0.1),
            "the close button did not fold the bar")
        self.keys(HOTKEY)
        rect = self.wait_for_open_bar()
        self.assertEqual(rect[2], self.bar[2])
        self.wait_for_foreground(BAR_CLASS)
        # The keyboard is back on the close button, where it was.
        self.wait_for_mark(bar_case.CLOSE_BUTTON_TWIPS, "keys-back-on-the-close-button")


class KeyboardAt144DpiTest(KeyboardCase):
    dpi = 144

    def test_the_mark_reads_at_144_dpi(self):
        self.take_keyboard()
        self.wait_for_mark(bar_case.SLOT_TWIPS(1), "keys-mark-on-link-1")
        self.keys("End")
        self.wait_for_mark(bar_case.SLOT_TWIPS(LINKS), "keys-mark-on-the-last-link")
        self.keys("Home", "Right", "Right", "Right", "Right")
        self.wait_for_mark(bar_case.RECYCLE_BIN_TWIPS, "keys-mark-on-the-recycle-bin")


class SettingsWindowByKeyboardTest(test_settings_window.SettingsWindowCase):
    dpi = 96

    # Each key waits for its effect where the next key needs it, not for a time.
    keys = bar_case.BarCase.keys

    def focused(self):
        return next((c for c in self.controls() if c["focused"]), None)

    def tab_to(self, wanted, what):
        for _ in range(40):
            child = self.focused()
            if child and wanted(child):
                return child
            self.keys("Tab")
        self.fail(f"Tab never reached {what}: {self.controls()}")

    def test_slot_5_is_chosen_renamed_and_saved_from_the_keyboard(self):
        self.start_with_links()
        # The bar's menu from the keyboard: the key, the menu key on the first link, then the
        # same entries a right click on it shows.
        self.keys(HOTKEY)
        wait_for_foreground(self, BAR_CLASS)
        self.keys("Menu")
        self.assertTrue(winebox.wait_until(self.open_menu, 10, 0.1), "no menu")
        self.keys(*test_settings_window.MENU_KEYS)
        self.assertIsNotNone(self.session.wait_for_window(test_settings_window.SETTINGS_CLASS, 15))
        self.assertTrue(winebox.wait_until(lambda: len(self.controls()) > 0, 10))

        # The mock-up is where Tab starts; from its first item, the twelfth to the right is
        # slot 5.
        self.tab_to(lambda c: c["class"] == "Quorvel.ItemRow", "the mock-up")
        self.keys("Home", *["Right"] * 12)
        self.wait_for_text(test_settings_window.LN_TWIPS, "項目5")
        self.session.screenshot("keys-settings-slot-5-chosen")
        self.tab_to(lambda c: c["text"] == "項目5", "the name")
        # Keys the keyboard has: Japanese typed on remapped keys loses characters under load
        # (the pointer's settings window test shows it too), and typing is not what this tests.
        self.keys("End", "shift+Home", "BackSpace")
        self.session.type_text(NEW_NAME)
        self.wait_for_text(test_settings_window.LN_TWIPS, NEW_NAME)
        self.tab_to(lambda c: c["text"] == "保存", "保存")
        self.session.screenshot("keys-settings-on-save")
        self.keys("space")
        stored = winebox.wait_until(
            lambda: (s := self.stored_set(1)) and s.get("L5N") == NEW_NAME, 10)
        self.assertTrue(stored, self.exported())


if __name__ == "__main__":
    unittest.main()
