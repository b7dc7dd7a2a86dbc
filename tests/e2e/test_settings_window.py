"""The settings window on real Wine windows, driven as a person would: opened from the bar's
menu, an item picked on the mock-up, a Japanese name typed into a real edit box, a type picked
from a real drop-down list, saved with "保存"; then the set switch and closing, both with
unsaved edits answered "いいえ", and a folder picked in the folder chooser. What was saved is
read back with the settings tool, and the bar is pointed at to see the new name."""

import json
import re
import subprocess
import time
import unittest

import bar_case
import winebox
from bar_case import BAR_CLASS, NAME_POPUP_CLASS

SETTINGS_CLASS = "Quorvel.frmSet"
CHOOSER_CLASS = "Quorvel.frmDirBox"
CLIENT_TWIPS = (11505, 6960)
SLOTS = 5
TYPED = "あいうえおかきくけこ"

# Layout table rectangles (twips) of the controls the tests use.
LN_TWIPS = (2040, 2880, 3255, 300)
LT_TWIPS = (2040, 2520, 1455, 300)
LP_TWIPS = (2040, 3840, 8415, 300)
RNO_TWIPS = (1440, 1440, 735, 300)
PATH_BROWSE_TWIPS = (10500, 3840, 855, 300)
SAVE_TWIPS = (10020, 5400, 1095, 375)
CLOSE_TWIPS = (10020, 5880, 1095, 375)
MOCK_SLOT_TWIPS = lambda n: (3000 + 480 * (n - 1), 600, 480, 480)  # noqa: E731
# The bar's menu pressed on link slot 1: アクセサリ, 検索, ランチャーの切替, ランチャーの設定;
# the settings window's entry is the first of ランチャーの設定.
MENU_KEYS = ["Down", "Down", "Down", "Down", "Right", "Return"]
IDYES, IDNO = 6, 7
# The same menu's keys to its set 2 (ランチャーの切替 > 2).
MENU_SET_2 = ["Down", "Down", "Down", "Right", "Down"]


class SettingsWindowCase(bar_case.BarCase):
    """The bar on a set of five links, and helpers to reach its settings window."""

    screen = (1024, 768)
    keys_typed = "ー" + TYPED + "捨てるこれも"

    def start_with_links(self, sets=(1,)):
        for number in sets:
            launcher_set = bar_case.a_launcher_set(SLOTS, RNo=str(number))
            self.import_settings(bar_case.a_dock(), launcher_set, set_number=number)
        self.start_bar()
        return self.wait_for_open_bar()

    def keys(self, *names):
        for name in names:
            self.session.xdotool("key", name)
            time.sleep(0.15)

    def open_settings(self, bar):
        self.session.move_to(*self.centre_of(bar, bar_case.SLOT_TWIPS(1)))
        self.session.xdotool("click", "3")
        self.assertTrue(winebox.wait_until(self.menu_open, 30, 0.1), "no menu opened")
        self.keys(*MENU_KEYS)
        window = self.session.wait_for_window(SETTINGS_CLASS, 15)
        self.assertIsNotNone(window, "the settings window never appeared")
        self.assertTrue(winebox.wait_until(lambda: len(self.controls()) > 0, 10))
        return window

    def controls(self, class_name=SETTINGS_CLASS):
        return self.session.controls(class_name)

    def client_origin(self, class_name=SETTINGS_CLASS):
        first = self.controls(class_name)[0]
        return first["screen"][0] - first["rect"][0], first["screen"][1] - first["rect"][1]

    def px(self, twips):
        return int(twips * self.dpi / 1440 + 0.5)

    def point(self, twips_rect, class_name=SETTINGS_CLASS):
        """The screen pixel at the middle of a rectangle of the window's layout table."""
        x, y = self.client_origin(class_name)
        left, top, width, height = twips_rect
        return x + self.px(left + width / 2), y + self.px(top + height / 2)

    def click(self, twips_rect, class_name=SETTINGS_CLASS):
        self.session.click_at(*self.point(twips_rect, class_name))
        time.sleep(0.3)

    def control_at(self, twips_rect, class_name=SETTINGS_CLASS):
        left, top = self.px(twips_rect[0]), self.px(twips_rect[1])
        for child in self.controls(class_name):
            if abs(child["rect"][0] - left) <= 1 and abs(child["rect"][1] - top) <= 1:
                return child
        self.fail(f"no control at {twips_rect}: {self.controls(class_name)}")

    def wait_for_text(self, twips_rect, text):
        ok = winebox.wait_until(lambda: self.control_at(twips_rect)["text"] == text, 10)
        self.assertTrue(ok, self.control_at(twips_rect))

    def replace_text(self, twips_rect, text):
        self.click(twips_rect)
        self.keys("End", "shift+Home", "BackSpace")
        self.session.type_text(text)
        self.wait_for_text(twips_rect, text)

    def exported(self):
        result = subprocess.run(
            [str(winebox.settings_tool()), "export", "--dir", str(self.workdir), "--user",
             self.user], capture_output=True, check=True)
        return json.loads(result.stdout.decode("utf-8"))

    def stored_set(self, number):
        return self.exported()["sets"].get(str(number), {})

    def answer_dialog(self, button_id):
        """Presses a button of the visible message box; returns its text."""
        found = winebox.wait_until(lambda: self.session.dialogs(), 10)
        self.assertTrue(found, "no message box appeared")
        code, out = self.session.probe("press-dialog", str(button_id))
        self.assertEqual(code, 0, out)
        return found[0][1]


class SettingsWindowTest(SettingsWindowCase):
    dpi = 96

    def test_opens_from_the_menu_and_saves_a_japanese_name(self):
        bar = self.start_with_links()
        window = self.open_settings(bar)
        self.session.screenshot("opened")

        # Centred, sized by its client area in twips, made of real controls.
        client_w, client_h = (self.px(v) for v in CLIENT_TWIPS)
        origin = self.client_origin()
        self.assertTrue(bar_case.within(origin[0] - window[0] + client_w + (origin[0] -
                                        window[0]), window[2], 2), (window, origin))
        self.assertCentredOnScreen(window)
        self.assertEqual(self.session.probe("text", SETTINGS_CLASS)[1].splitlines()[0], "設定")
        classes = [c["class"].lower() for c in self.controls()]
        self.assertEqual(classes.count("edit"), 10, classes)
        self.assertEqual(classes.count("combobox"), 7, classes)
        self.assertEqual(classes.count("button"), 10, classes)
        texts = {c["text"] for c in self.controls() if c["class"].lower() == "button"}
        self.assertLessEqual({"保存", "閉じる", "リセット", "参照", "背景画像のクリア"}, texts)

        # Slot 3 of the mock-up, a Japanese name, another type, "保存".
        self.click(MOCK_SLOT_TWIPS(3))
        self.wait_for_text(LN_TWIPS, "項目3")
        # A Wine program misses the first key after the keyboard changed.
        self.session.type_text("ー")
        self.replace_text(LN_TWIPS, TYPED)
        self.click(LT_TWIPS)
        self.keys("Down", "Return")
        self.wait_for_text(LT_TWIPS, "ﾌｧｲﾙ")
        self.session.screenshot("edited")
        self.click(SAVE_TWIPS)
        stored = winebox.wait_until(
            lambda: (s := self.stored_set(1)) and s.get("L3N") == TYPED and s, 10)
        self.assertTrue(stored, self.exported())
        self.assertEqual(stored["L3T"], "ﾌｧｲﾙ")
        self.assertEqual(stored["L3P"], "notepad.exe")

        # The bar restarted on the saved set: pointed at, slot 3 shows the longer name.
        bar = self.wait_for_open_bar()
        self.assertGreater(self.name_width(bar, 3), 2 * self.name_width(bar, 2))

    def name_width(self, bar, slot):
        """Width in pixels of the name the popup shows for a slot, once two screenshots in a row
        agree on it; the pointer keeps moving over the slot, so the name keeps coming back."""
        x, y = self.centre_of(bar, bar_case.SLOT_TWIPS(slot))

        # The slot's name has slid out to its place below the bar, centred under the slot.
        def resting():
            popup = self.session.window_rect(NAME_POPUP_CLASS)
            if popup and abs(popup[0] + popup[2] / 2 - x) <= 2 and popup[1] >= bar[1] + bar[3]:
                return popup
            return None

        widths = []

        def agreed_width():
            shot = self.session.screenshot(f"name-{slot}")
            # The settings window covers the middle of the screen; its left edge is desktop.
            desktop = "%02X%02X%02X" % winebox.pixel(shot, 5, self.screen[1] // 2)
            columns = winebox.columns_with_colour_other_than(shot, *popup[:4], desktop)
            widths.append((max(columns) - min(columns) + 1) if columns else None)
            return widths[-1] if widths[-1] and widths[-2:] == [widths[-1]] * 2 else None

        with self.pointing_at(x, y):
            popup = winebox.wait_until(resting, 30, 0.1)
            self.assertTrue(popup, f"the name of slot {slot} never came to rest below the bar")
            width = winebox.wait_until(agreed_width, 60, 0.05)
        self.assertTrue(width, f"no name of slot {slot} seen twice alike: {widths}")
        # Away from the bar, so the next slot's name starts afresh.
        self.session.move_to(5, self.screen[1] // 2)
        return width

    def test_set_switch_and_closing_with_unsaved_edits_answered_no(self):
        bar = self.start_with_links(sets=(1, 2))
        self.open_settings(bar)
        self.click(MOCK_SLOT_TWIPS(2))
        self.session.type_text("ー")
        self.replace_text(LN_TWIPS, "捨てる")

        # Another set with unsaved edits: the question, "いいえ", and the window on set 2.
        self.click(RNO_TWIPS)
        self.keys("Down", "Return")
        text = self.answer_dialog(IDNO)
        self.assertEqual(text.replace("\r", "").replace("\n", ""),
                         "設定が保存されていません。保存しますか？")
        self.wait_for_text(RNO_TWIPS, "2")
        self.session.screenshot("switched")
        self.assertEqual(self.stored_set(1)["L2N"], "項目2")

        # Closing with unsaved edits: the question, "いいえ", and nothing written.
        self.click(MOCK_SLOT_TWIPS(1))
        self.replace_text(LN_TWIPS, "これも捨てる")
        self.click(CLOSE_TWIPS)
        self.answer_dialog(IDNO)
        self.assertTrue(winebox.wait_until(
            lambda: self.session.window_rect(SETTINGS_CLASS) is None, 10))
        self.assertEqual(self.stored_set(2)["L1N"], "項目1")

    def test_a_folder_picked_in_the_chooser_becomes_the_link(self):
        bar = self.start_with_links()
        self.open_settings(bar)
        self.click(MOCK_SLOT_TWIPS(4))
        self.click(LT_TWIPS)
        self.keys("Down", "Down", "Return")  # ｱﾌﾟﾘｹｰｼｮﾝ -> ﾌｫﾙﾀﾞ
        self.wait_for_text(LT_TWIPS, "ﾌｫﾙﾀﾞ")
        self.click(PATH_BROWSE_TWIPS)
        chooser = self.session.wait_for_window(CHOOSER_CLASS, 10)
        self.assertIsNotNone(chooser, "the folder chooser never appeared")
        self.assertEqual(self.session.probe("text", CHOOSER_CLASS)[1].splitlines()[0], "Form2")
        classes = [c["class"].lower() for c in self.controls(CHOOSER_CLASS)]
        self.assertEqual(sorted(classes), ["button", "button", "combobox", "edit", "listbox"])
        # The list shows drive C's folders; a double-click on "windows" opens it.
        folders = next(c for c in self.controls(CHOOSER_CLASS) if c["class"].lower() == "listbox")
        self.session.screenshot("chooser")
        self.session.click_at(folders["screen"][0] + 30, folders["screen"][1] + 8)
        path = next(c for c in self.controls(CHOOSER_CLASS) if c["class"].lower() == "edit")
        self.assertEqual(path["text"], "C:\\")
        self.keys("End")  # the last folder of C:\, "windows"
        picked = winebox.wait_until(
            lambda: next(c for c in self.controls(CHOOSER_CLASS)
                         if c["class"].lower() == "edit")["text"].lower() == "c:\\windows", 5)
        self.assertTrue(picked, self.controls(CHOOSER_CLASS))
        # Enter on the list opens the highlighted folder, as a double-click does, so a keyboard
        # user can go down the tree; "OK" takes the folder the path box shows.
        ok = next(c for c in self.controls(CHOOSER_CLASS) if c["text"] == "OK")
        self.session.click_at(ok["screen"][0] + ok["rect"][2] // 2,
                              ok["screen"][1] + ok["rect"][3] // 2)
        self.assertTrue(winebox.wait_until(
            lambda: self.session.window_rect(CHOOSER_CLASS) is None, 10))
        self.wait_for_text(LP_TWIPS, next(
            c["text"] for c in self.controls() if c["rect"][1] == self.px(LP_TWIPS[1])))
        self.assertEqual(self.control_at(LP_TWIPS)["text"].lower(), "c:\\windows")
        self.click(SAVE_TWIPS)
        stored = winebox.wait_until(
            lambda: (s := self.stored_set(1))["L4P"].lower() == "c:\\windows" and s, 10)
        self.assertTrue(stored, self.exported())
        self.assertEqual(stored["L4T"], "ﾌｫﾙﾀﾞ")


    def test_the_window_keeps_its_set_while_the_bar_switches_from_its_menu(self):
        self.import_settings(bar_case.a_dock(), bar_case.a_launcher_set(SLOTS, L2N="組1"))
        self.import_settings(bar_case.a_dock(), bar_case.a_launcher_set(3, RNo="2", L2N="組2"),
                             set_number=2)
        self.start_bar()
        bar = self.wait_for_open_bar()
        self.open_settings(bar)

        # The bar goes to set 2 from its own menu; the window stays on set 1.
        self.right_click_at(*self.centre_of(bar, bar_case.SLOT_TWIPS(1)))
        self.assertTrue(winebox.wait_until(self.menu_open, 10, 0.1), "the menu did not open")
        time.sleep(0.3)
        self.keys(*MENU_SET_2, "Return")
        narrow = winebox.wait_until(
            lambda: (r := self.session.wait_for_settled(BAR_CLASS, 10)) and r[2] < bar[2] and r,
            20, 0.3)
        self.assertTrue(narrow, "the bar did not change to set 2")
        self.wait_for_text(RNO_TWIPS, "1")

        # An edit in the window, another set picked, "はい": the edit goes into set 1.
        self.click(MOCK_SLOT_TWIPS(2))
        self.wait_for_text(LN_TWIPS, "組1")
        self.session.xdotool("type", "ー")
        self.replace_text(LN_TWIPS, "これもかえる")
        self.click(RNO_TWIPS)
        self.keys("Down", "Down", "Return")
        self.answer_dialog(IDYES)
        stored = winebox.wait_until(lambda: self.stored_set(1).get("L2N") == "これもかえる", 10)
        self.session.screenshot("kept-its-set")
        self.assertTrue(stored, self.exported())
        self.assertEqual(self.stored_set(2)["L2N"], "組2")
        self.wait_for_text(RNO_TWIPS, "1")
        self.click(MOCK_SLOT_TWIPS(2))
        self.wait_for_text(LN_TWIPS, "これもかえる")


class SettingsWindowAt144Dpi(SettingsWindowCase):
    dpi = 144
    screen = (1280, 1024)

    def test_the_window_fits_and_its_controls_line_up(self):
        bar = self.start_with_links()
        window = self.open_settings(bar)
        self.session.screenshot("opened-144dpi")
        client_w = self.px(CLIENT_TWIPS[0])
        self.assertGreater(window[2], client_w)
        self.assertCentredOnScreen(window)
        # The editors form one column at the same left edge.
        lefts = {self.control_at(r)["rect"][0] for r in (LT_TWIPS, LN_TWIPS, LP_TWIPS)}
        self.assertEqual(len(lefts), 1, lefts)


if __name__ == "__main__":
    unittest.main()
