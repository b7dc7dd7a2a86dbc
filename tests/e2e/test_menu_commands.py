"""The menu's commands on real Wine windows, chosen with the keyboard as a person would: the
clipboard entry empties a clipboard another program filled (and leaves one held open alone), the
bin's entry empties a full Recycle Bin and the item turns empty, the cleanup entries clear an
internet cache that holds long addresses, report honestly on the history and finish on the
recent documents, the separator entry on link 5 toggles S4E without a restart, the position
entry moves the bar to the bottom, the transparency entry toggles the colour key, set 2 is chosen
from the menu, the start-up entry makes and takes away the Startup folder's shortcut, the
shut-down entry reaches no other program's window, and the tools Wine ships start. Every session has its own prefix and trash: nothing here touches the developer's state."""

import subprocess
import time
import unittest

import bar_case
import winebox
from bar_case import BAR_CLASS, SWITCH_PANEL_CLASS

NOTICE_CLASS = "Quorvel.frmMenu"
SLOTS = 5

# Keys from a freshly opened menu on the bar's background, whose top level then reads
# アクセサリ, クリーンアップ, クリップボードのクリア, 検索, ランチャーの切替, ランチャーの設定,
# タスクバーの非表示, アプリケーションの終了, Windowsの終了, バージョン情報. A Right opens a submenu
# on its first entry.
CLIPBOARD = ["Down"] * 3
RECENT_FILES = ["Down"] * 2 + ["Right"]
CACHE = ["Down"] * 2 + ["Right", "Down"]
HISTORY = ["Down"] * 2 + ["Right", "Down", "Down"]
SET_2 = ["Down"] * 5 + ["Right", "Down"]
POSITION = ["Down"] * 6 + ["Right", "Down"]
TRANSPARENCY = ["Down"] * 6 + ["Right", "Down", "Down", "Right", "Down", "Down", "Down"]
SHUT_DOWN = ["Down"] * 9 + ["Right"]
# ランチャーの設定's last entry, after its separator: Up from the first entry wraps round to it.
START_WITH_WINDOWS = ["Down"] * 6 + ["Right", "Up"]
# アクセサリ > システムツール, アドレス帳, エクスプローラ, コマンド プロンプト, ペイント, メモ帳,
# ワードパッド, 電卓; システムツール > システムの復元, システム情報, ...
ACCESSORIES = ["Down", "Right"]
# A press on link 5 puts the separator entry first; one on the Recycle Bin, the emptying entry.
FIRST_ENTRY = ["Down"]

BACKGROUND = (2380, 630, 60, 60)


class MenuCommandCase(bar_case.BarCase):
    def start_with_links(self, **fields):
        launcher_set = bar_case.a_launcher_set(SLOTS, **fields)
        self.import_settings(bar_case.a_dock(), launcher_set)
        self.start_bar()
        return self.wait_for_open_bar()

    def keys(self, *names):
        for name in names:
            self.session.xdotool("key", name)
            time.sleep(0.2)

    def choose(self, bar, keys, item_twips=BACKGROUND, name="menu"):
        """Opens the menu on the item and chooses the entry the keys lead to. Synthetic keys
        can miss the menu when a program that is still closing takes the focus back for a
        moment; the menu then stays open after Return, is closed with a click beside it, and
        the choice is made once more from a fresh menu."""
        for attempt in range(2):
            self.right_click_at(*self.centre_of(bar, item_twips))
            self.assertTrue(winebox.wait_until(self.menu_open, 10, 0.1), "the menu did not open")
            time.sleep(0.3)
            self.keys(*keys)
            self.session.screenshot(f"menu-{name}" + ("-again" if attempt else ""))
            self.keys("Return")
            if winebox.wait_until(lambda: not self.menu_open(), 5, 0.2):
                return
            self.session.screenshot(f"menu-{name}-missed-the-keys")
            self.session.xdotool("mousemove", "--sync", self.screen[0] // 2, self.screen[1] // 2)
            self.session.xdotool("click", 1)
            self.assertTrue(winebox.wait_until(lambda: not self.menu_open(), 10, 0.2),
                            "the menu did not close on a click beside it")
        self.fail(f"the menu took no keys for {name}, twice")

    def wait_for_message(self, text, timeout=20):
        """Waits for a message box holding the text; returns the probe's whole answer."""
        return winebox.wait_until(
            lambda: (a := self.session.probe("find-dialog")) and a[0] == 0 and text in a[1]
            and a[1], timeout, 0.2)

    def answer_message(self, text, name, timeout=20):
        found = self.wait_for_message(text, timeout)
        self.session.screenshot(name)
        self.assertTrue(found, f"no message with {text!r}: {self.session.probe('find-dialog')}")
        self.keys("Return")
        self.assertTrue(winebox.wait_until(
            lambda: text not in self.session.probe("find-dialog")[1], 10, 0.2),
            "the message stayed")
        return found

    def info(self, class_name):
        code, out = self.session.probe("info", class_name)
        return out.split() if code == 0 else None


class ClipboardTest(MenuCommandCase):
    def test_the_entry_leaves_a_held_clipboard_and_empties_a_filled_one(self):
        bar = self.start_with_links()
        # Another program holds the clipboard open: the entry gives up without a word and the
        # bar goes on. (First: once the bar has owned the clipboard, Wine keeps the bar waiting
        # on its own clipboard bookkeeping for as long as another program holds it.)
        self.assertEqual(self.session.shellprobe("clip-set", "保持"), (0, "set"))
        ready = self.workdir / "holding.txt"
        holder = self.session.launch(winebox.shellprobe_exe(),
                                     ["clip-hold", "15", bar_case.windows_path(ready)])
        self.assertTrue(winebox.wait_until(ready.exists, 15), "the holder never held it")
        self.choose(bar, CLIPBOARD, name="clipboard-held")
        # The holder ends when it lets go: still there, it held the clipboard all along.
        self.assertIsNone(holder.poll(), "the entry was chosen after the holder let go")
        time.sleep(1.0)  # a message would have shown by now
        self.assertEqual(self.session.probe("find-dialog")[0], 1, "a message appeared")
        holder.wait(30)
        self.assertEqual(self.session.shellprobe("clip-get")[1].splitlines()[0], "保持")
        self.assertTrue(self.session.window_rect(BAR_CLASS)[4], "the bar is gone")

        self.assertEqual(self.session.shellprobe("clip-set", "クリップ"), (0, "set"))
        self.assertEqual(self.session.shellprobe("clip-get")[1].splitlines()[0], "クリップ")
        self.choose(bar, CLIPBOARD, name="clipboard")
        emptied = winebox.wait_until(
            lambda: self.session.shellprobe("clip-get")[1].splitlines() == ["(none)", "0"], 10,
            0.3)
        self.assertTrue(emptied, self.session.shellprobe("clip-get"))
        self.assertEqual(self.session.probe("find-dialog")[0], 1, "a message appeared")


class RecycleBinTest(MenuCommandCase):
    def test_emptying_the_bin_asks_first_and_the_item_shows_what_the_bin_holds(self):
        bar = self.start_with_links()
        time.sleep(0.5)
        empty = self.item_pixels(self.session.screenshot("empty"), bar,
                                 bar_case.RECYCLE_BIN_TWIPS)
        victims = []
        for n in range(3):
            victim = self.workdir / f"ごみ{n}.txt"
            victim.write_text("x", encoding="utf-8")
            victims.append(bar_case.windows_path(victim))
        self.assertEqual(self.session.shellprobe("recycle", *victims), (0, "recycled"))
        self.assertTrue(winebox.wait_until(
            lambda: self.item_pixels(self.session.screenshot("bin"), bar,
                                     bar_case.RECYCLE_BIN_TWIPS) != empty, 10, 0.2),
            "the item did not turn full")
        full = self.item_pixels(self.session.screenshot("full"), bar, bar_case.RECYCLE_BIN_TWIPS)

        # The system asks first. Said no to, the bin keeps its files and the item stays full.
        self.choose(bar, FIRST_ENTRY, bar_case.RECYCLE_BIN_TWIPS, "empty-bin-no")
        self.assertTrue(self.wait_for_message("3", 10), "the system did not ask")
        self.session.screenshot("confirm")
        self.keys("Escape")
        self.assertTrue(winebox.wait_until(
            lambda: self.session.probe("find-dialog")[0] != 0, 10, 0.2))
        time.sleep(1.0)
        self.assertEqual(self.session.bin_count(), 3)
        self.assertEqual(self.item_pixels(self.session.screenshot("kept"), bar,
                                          bar_case.RECYCLE_BIN_TWIPS), full)

        # Said yes to, the bin is emptied and the item turns empty.
        self.choose(bar, FIRST_ENTRY, bar_case.RECYCLE_BIN_TWIPS, "empty-bin-yes")
        self.assertTrue(self.wait_for_message("3", 10), "the system did not ask")
        self.keys("Return")
        self.assertTrue(winebox.wait_until(lambda: self.session.bin_count() == 0, 10, 0.2))
        self.assertTrue(winebox.wait_until(
            lambda: self.item_pixels(self.session.screenshot("emptied"), bar,
                                     bar_case.RECYCLE_BIN_TWIPS) == empty, 10, 0.2),
            "the item did not turn empty")


class CacheCleanupTest(MenuCommandCase):
    def test_the_cache_with_long_addresses_is_cleared_under_the_notice(self):
        # Enough entries that the notice stays up a while, and two whose records do not fit
        # a 2 KB buffer.
        code, before = self.session.shellprobe("cache-count")
        self.assertEqual(code, 0, before)
        self.assertEqual(self.session.shellprobe("cache-fill", 1500, 2, timeout=300)[0], 0)
        self.assertEqual(self.session.shellprobe("cache-count"), (0, str(int(before) + 1502)))
        bar = self.start_with_links()
        self.choose(bar, CACHE, name="cache")
        self.answer_message("インターネット一時ファイルの削除を行います。", "cache-intro")
        started = time.monotonic()
        notice = self.session.wait_for_window(NOTICE_CLASS, 20)
        shot = self.session.screenshot("notice")
        self.assertTrue(notice, "the notice never showed")
        self.check_notice(notice, shot)
        self.wait_for_message("削除しました。", 120)
        print(f"1502 entries deleted within {time.monotonic() - started:.1f} s of the question's "
              "OK (probe polling included)")
        self.answer_message("削除しました。", "cache-done")
        self.assertFalse((r := self.session.window_rect(NOTICE_CLASS)) and r[4],
                         "the notice stayed on screen")
        self.assertEqual(self.session.shellprobe("cache-count"), (0, "0"))

    def check_notice(self, notice, shot):
        x, y, width, height, _ = notice
        _, text = self.session.probe("text", NOTICE_CLASS)
        self.assertEqual(text.splitlines()[0], "削除しています...")
        # Centred as a whole on the 1024 x 768 screen.
        self.assertTrue(abs(x + width / 2 - self.screen[0] / 2) <= 2, notice)
        self.assertTrue(abs(y + height / 2 - self.screen[1] / 2) <= 2, notice)
        # 1800 twips of client area between the frame's edges.
        self.assertGreaterEqual(width, 1800 / self.twips_per_pixel)
        self.assertLess(width, 1800 / self.twips_per_pixel + 20)
        print(f"\nnotice at {self.dpi} dpi: {width} x {height} px at ({x}, {y}); {shot}")


class CacheCleanupAt144Dpi(CacheCleanupTest):
    dpi = 144


class HistoryAndRecentFilesTest(MenuCommandCase):
    def test_history_says_it_is_not_implemented_and_recent_files_are_cleared(self):
        bar = self.start_with_links()
        self.choose(bar, HISTORY, name="history")
        self.answer_message("インターネット履歴の削除を行います。", "history-intro")
        said = self.answer_message("実装されていません", "history-answer")
        self.assertIn("0x80004001", said)
        self.assertNotIn("削除しました", said)
        self.assertTrue(self.session.window_rect(BAR_CLASS)[4])

        self.choose(bar, RECENT_FILES, name="recent")
        self.answer_message("削除しました。", "recent-done")
        self.assertFalse((r := self.session.window_rect(NOTICE_CLASS)) and r[4])


class QuickEditTest(MenuCommandCase):
    def test_the_separator_in_front_of_link_5_comes_and_goes_without_a_restart(self):
        separator = self.make_picture("sep.bmp", "#2040C0")
        bar = self.start_with_links(SepIcn=separator)
        panel = self.info(SWITCH_PANEL_CLASS)
        self.assertTrue(panel)
        # The separator stands in front of slot 5, over the gap before it.
        gap = (bar_case.SLOT_TWIPS(5)[0] - 120, 120, 120, 480)
        self.assertNotIn("2040C0", self.item_pixels(self.session.screenshot("before"), bar, gap, 1))

        self.choose(bar, FIRST_ENTRY, bar_case.SLOT_TWIPS(5), "separator-in")
        self.assertTrue(winebox.wait_until(
            lambda: self.stored()["sets"]["1"]["S4E"].strip() == "1", 10, 0.3))
        self.assertTrue(winebox.wait_until(
            lambda: "2040C0" in self.item_pixels(self.session.screenshot("in"), bar, gap, 1),
            10, 0.2), "the separator did not show")

        self.choose(bar, FIRST_ENTRY, bar_case.SLOT_TWIPS(5), "separator-out")
        self.assertTrue(winebox.wait_until(
            lambda: self.stored()["sets"]["1"]["S4E"].strip() in ("", "0"), 10, 0.3))
        self.assertTrue(winebox.wait_until(
            lambda: "2040C0" not in self.item_pixels(self.session.screenshot("out"), bar, gap, 1),
            10, 0.2), "the separator did not go")
        # No restart: the switch panel is the window it was.
        self.assertEqual(self.info(SWITCH_PANEL_CLASS)[0], panel[0])

    def test_the_bar_moves_to_the_bottom_and_the_file_says_so(self):
        bar = self.start_with_links()
        self.choose(bar, POSITION, name="position")
        moved = winebox.wait_until(
            lambda: (r := self.session.wait_for_settled(BAR_CLASS, 10)) and r[1] > 300 and r, 20,
            0.3)
        self.session.screenshot("bottom")
        self.assertTrue(moved, "the bar did not move down")
        self.assertRectNear(moved, self.expected_bar_rect(2280 + 600 * SLOTS, "下", True),
                            "the bar at the bottom")
        self.assertEqual(self.stored()["dock"]["DockPos"].strip(), "下")

    def test_the_transparency_entry_toggles_the_colour_key(self):
        bar = self.start_with_links(Clr="しない")
        self.assertEqual(self.info(BAR_CLASS)[2], "-")
        self.choose(bar, TRANSPARENCY, name="transparent")
        keyed = winebox.wait_until(
            lambda: (i := self.info(BAR_CLASS)) and i[2] != "-" and i, 20, 0.3)
        self.assertTrue(keyed, "no colour key after the first toggle")
        self.assertEqual(keyed[2], "555184")  # &H555184, blue in the high byte as in a COLORREF
        self.assertEqual(self.stored()["sets"]["1"]["Clr"].strip(), "する")
        bar = self.wait_for_open_bar()
        self.session.screenshot("keyed")
        self.choose(bar, TRANSPARENCY, name="opaque")
        self.assertTrue(winebox.wait_until(
            lambda: (i := self.info(BAR_CLASS)) and i[2] == "-", 20, 0.3),
            "still keyed after the second toggle")
        self.assertEqual(self.stored()["sets"]["1"]["Clr"].strip(), "しない")

    def test_set_2_is_chosen_from_the_menu(self):
        self.import_settings(bar_case.a_dock(), bar_case.a_launcher_set(SLOTS), set_number=1)
        red = self.make_picture("red.bmp", "#C03030")
        self.import_settings(bar_case.a_dock(),
                             bar_case.a_launcher_set(2, RNo="2", L1I=red), set_number=2)
        self.start_bar()
        bar = self.wait_for_open_bar()
        self.choose(bar, SET_2, name="set-2")
        narrow = winebox.wait_until(
            lambda: (r := self.session.wait_for_settled(BAR_CLASS, 10)) and r[2] < bar[2] and r,
            20, 0.3)
        self.assertTrue(narrow, "the bar did not change to set 2")
        shot = self.session.screenshot("set-2")
        self.assertIn("C03030", self.item_pixels(shot, narrow, bar_case.SLOT_TWIPS(1)))
        self.assertRectNear(narrow, self.expected_bar_rect(2280 + 600 * 2, "上", True),
                            "set 2's bar")


class ShutDownTest(MenuCommandCase):
    def test_the_shut_down_entry_reaches_no_other_programs_window(self):
        bar = self.start_with_links()
        log = self.workdir / "listener.txt"
        listener = self.session.launch(winebox.shellprobe_exe(),
                                       ["listen", "8", bar_case.windows_path(log)])
        self.assertTrue(winebox.wait_until(
            lambda: log.exists() and "ready" in log.read_text(), 15), "no listener")
        time.sleep(0.5)
        self.choose(bar, SHUT_DOWN, name="shut-down")
        time.sleep(2.0)
        self.session.screenshot("after")
        self.assertEqual(log.read_text().split(), ["ready"])
        self.assertTrue(self.session.window_rect(BAR_CLASS)[4], "the bar is gone")
        self.assertEqual(self.session.probe("find-dialog")[0], 1, "a message appeared")
        listener.wait(20)
        self.assertEqual(log.read_text().split(), ["ready"])


class ToolsTest(MenuCommandCase):
    # Tools Wine ships, the keys to them, and the item whose menu holds them. Under
    # アクセサリ (a Right lands on システムツール): アドレス帳, エクスプローラ, コマンド プロンプト,
    # ペイント, メモ帳; under システムツール: システムの復元, システム情報. My Computer's menu starts
    # with コントロールパネル, システムのプロパティ, タスクマネージャ.
    TOOLS = [
        ("メモ帳", ACCESSORIES + ["Down"] * 5, BACKGROUND),
        ("コマンド プロンプト", ACCESSORIES + ["Down"] * 3, BACKGROUND),
        ("エクスプローラ", ACCESSORIES + ["Down"] * 2, BACKGROUND),
        ("システム情報", ACCESSORIES + ["Right", "Down"], BACKGROUND),
        ("コントロールパネル", ["Down"], bar_case.MY_COMPUTER_TWIPS),
        ("タスクマネージャ", ["Down"] * 3, bar_case.MY_COMPUTER_TWIPS),
    ]

    def others(self):
        """The visible top-level windows of other programs, by class."""
        classes = self.session.probe("windows")[1].splitlines()
        return [c for c in classes if not c.startswith("Quorvel.") and c != "Shell_TrayWnd"]

    def test_the_tools_wine_ships_start_from_the_menu(self):
        bar = self.start_with_links()
        opened = {}
        for caption, keys, item in self.TOOLS:
            self.choose(bar, keys, item, name=caption)
            opened[caption] = winebox.wait_until(self.others, 30, 0.5)
            self.session.screenshot(f"started-{caption}")
            if not opened[caption]:
                print(f"\n{caption} showed no window; the menu is "
                      f"{'open' if self.menu_open() else 'closed'}; message boxes: "
                      f"{self.session.probe('find-dialog')}")
            # Each closes again, so the next menu opens on the bar and not on the tool.
            for window_class in opened[caption] or []:
                self.session.probe("close", window_class)
            self.assertTrue(winebox.wait_until(lambda: not self.others(), 20, 0.5),
                            f"{caption} did not close: {self.others()}")
        print("\nwindows the tools opened:", opened)
        self.assertEqual([c for c, windows in opened.items() if not windows], [])


if __name__ == "__main__":
    unittest.main()


class StartWithWindowsTest(MenuCommandCase):
    """The entry makes Quorvel.lnk in the user's Startup folder, to this exe and started in the
    bar's working folder, as the shell's own shortcut object reads it back; the entry shows a
    check mark while the shortcut is there, and takes it away when chosen again."""

    def setUp(self):
        super().setUp()
        self.addCleanup(self.remove_shortcuts)
        self.remove_shortcuts()

    def shortcuts(self):
        users = self.prefix.path / "drive_c" / "users"
        return [p for p in users.rglob("*")
                if p.name.lower() == "quorvel.lnk" and p.parent.name.lower() == "startup"]

    def remove_shortcuts(self):
        for shortcut in self.shortcuts():
            shortcut.unlink()

    def submenu_shot(self, bar, name):
        """The menus' part of the screen with the entry highlighted, once two looks agree."""
        self.right_click_at(*self.centre_of(bar, BACKGROUND))
        self.assertTrue(winebox.wait_until(self.menu_open, 10, 0.1), "the menu did not open")
        menu = self.open_menu()
        self.keys(*START_WITH_WINDOWS)
        # The submenu opens beside its entry and may reach below the menu; Wine's taskbar
        # (at most 28 pixels) stays out.
        area = f"{self.screen[0] - menu[0]}x{self.screen[1] - menu[1] - 30}+{menu[0]}+{menu[1]}"

        def cut(tag):
            shot = self.session.screenshot(f"{name}-{tag}")
            crop = shot.with_name(shot.stem + "-menus.png")
            subprocess.run(["convert", str(shot), "-crop", area, "+repage", str(crop)],
                           check=True)
            return crop

        shots = [cut("0")]
        agreed = winebox.wait_until(
            lambda: shots.append(cut(str(len(shots)))) or differing(shots[-2], shots[-1]) == 0,
            20, 0.3)
        self.keys("Escape", "Escape", "Escape")
        self.assertTrue(winebox.wait_until(lambda: not self.menu_open(), 10, 0.2),
                        "the menu did not close")
        self.assertTrue(agreed, f"the menu {name} did not settle")
        return shots[-1]

    def test_the_entry_makes_the_shortcut_shows_its_check_and_takes_it_away(self):
        bar = self.start_with_links()
        unchecked = self.submenu_shot(bar, "unchecked")
        self.choose(bar, START_WITH_WINDOWS, name="start-with-windows")
        made = winebox.wait_until(self.shortcuts, 20, 0.3)
        self.assertTrue(made, "no Quorvel.lnk in the Startup folder")
        self.assertEqual(len(made), 1)
        users = self.prefix.path / "drive_c"
        code, out = self.session.shellprobe(
            "shortcut", "C:\\" + str(made[0].relative_to(users)).replace("/", "\\"))
        self.assertEqual(code, 0, out)
        read = dict(line.split("=", 1) for line in out.splitlines())
        self.assertEqual(read["target"].lower(), bar_case.windows_path(self.exe).lower())
        self.assertEqual(read["folder"].rstrip("\\").lower(),
                         bar_case.windows_path(self.workdir).lower())

        checked = self.submenu_shot(bar, "checked")
        self.assertGreater(differing(unchecked, checked), 0, "no check mark on the entry")
        self.choose(bar, START_WITH_WINDOWS, name="stop-starting-with-windows")
        self.assertTrue(winebox.wait_until(lambda: not self.shortcuts(), 20, 0.3),
                        "the shortcut is still there")
        self.assertEqual(differing(unchecked, self.submenu_shot(bar, "unchecked-again")), 0,
                         "the entry still differs from its unchecked look")


class StartWithWindowsAt144DpiTest(StartWithWindowsTest):
    dpi = 144


def differing(first, second):
    """How many pixels two pictures of one size differ in."""
    result = subprocess.run(["compare", "-metric", "AE", str(first), str(second), "null:"],
                            capture_output=True, text=True)
    return int(float(result.stderr.split()[0]))
