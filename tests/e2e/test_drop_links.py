"""Links made by dropping on the real bar under Wine. Another program (shellprobe) drags what a
file manager would, the shell's own data object for a text file, a folder, a program and an
Internet shortcut, and lets go over the bar's background: they become links 4 to 7 of a set that
had 3, stored in sl.dat with the icons written beside the settings, and the bar shows each with
a picture. Let go over a link, the same drag is refused; over the Recycle Bin, the file goes to
the bin; over a full set, a message says why and nothing is stored."""

import pathlib
import shutil

import bar_case
import winebox
from bar_case import BAR_CLASS

BACKGROUND = bar_case.BACKGROUND_PROBE_TWIPS
DROPEFFECT_NONE = "0"
DROPEFFECT_LINK = "4"


def unix_path(windows):
    """Where a Z: path of the prefix lies on this machine."""
    assert windows[:2].upper() == "Z:", windows
    return pathlib.Path(windows[2:].replace("\\", "/"))


class DropLinksTest(bar_case.BarCase):
    def make_droppables(self):
        folder = self.workdir / "置き場"
        (folder / "写真").mkdir(parents=True)
        (folder / "メモ.txt").write_text("メモ", encoding="utf-8")
        (folder / "捨てる.txt").write_text("x", encoding="utf-8")
        shutil.copy(winebox.shellprobe_exe(), folder / "tool.exe")
        (folder / "サイト.url").write_bytes(
            b"[InternetShortcut]\r\nURL=https://www.example.jp/top\r\n")
        return {name: bar_case.windows_path(folder / name)
                for name in ("メモ.txt", "写真", "tool.exe", "サイト.url", "捨てる.txt")}

    def drag(self, bar, twips, *paths):
        """Drags the files onto the point of the bar; the effect the bar answered."""
        x, y = self.point_in_bar(bar, *twips)
        # The X pointer goes there first: Wine's drag loop reads where the pointer is, and a
        # pointer moved only inside Wine is put back where X has it.
        self.session.move_to(x, y)
        code, out = self.session.shellprobe("drag", x, y, *paths)
        self.assertEqual(code, 0, out)
        return dict(part.split("=", 1) for part in out.split())["effect"]

    def stored_set(self):
        return self.stored()["sets"]["1"]

    def test_four_dropped_items_become_links_4_to_7_and_only_the_background_takes_them(self):
        green = self.make_picture("green.bmp", "#30A050")
        self.import_settings(bar_case.a_dock(),
                             bar_case.a_launcher_set(3, L1I=green, L2I=green, L3I=green))
        items = self.make_droppables()
        self.start_bar()
        bar = self.wait_for_open_bar()
        dropped = [items[n] for n in ("メモ.txt", "写真", "tool.exe", "サイト.url")]
        self.assertEqual(self.drag(bar, BACKGROUND, *dropped), DROPEFFECT_LINK)

        saved = winebox.wait_until(
            lambda: (s := self.stored_set()) and s.get("L7P", "").strip() and s, 30, 0.3)
        self.assertTrue(saved, "no links stored after the drop")
        want = [("ﾌｧｲﾙ", "メモ", dropped[0]), ("ﾌｫﾙﾀﾞ", "写真", dropped[1]),
                ("ｱﾌﾟﾘｹｰｼｮﾝ", "tool", f'"{dropped[2]}"'),
                ("ﾎｰﾑﾍﾟｰｼﾞ", "サイト", "https://www.example.jp/top")]
        for n, (kind, name, path) in enumerate(want, start=4):
            got = tuple(saved[f"L{n}{f}"].strip() for f in "TNP")
            self.assertEqual(got, (kind, name, path), f"link {n}")
            icon = saved[f"L{n}I"].strip()
            self.assertIn("\\UsrData\\Icons\\", icon)
            self.assertTrue(unix_path(icon).stat().st_size > 0, f"no icon file for link {n}")
        self.assertEqual(saved["L3N"].strip(), "項目3")
        self.assertEqual(saved["L8P"].strip(), "")

        wide = winebox.wait_until(
            lambda: (r := self.session.wait_for_settled(BAR_CLASS, 10)) and r[2] > bar[2] and r,
            30, 0.3)
        self.assertTrue(wide, "the bar did not open again with the new links")
        self.assertRectNear(wide, self.expected_bar_rect(2280 + 600 * 7, "上", True),
                            "the bar with seven links")
        shot = self.session.screenshot("seven-links")
        background = self.item_pixels(shot, wide, (2290, 660, 60, 60), inset=0)
        for n in range(4, 8):
            shown = self.item_pixels(shot, wide, bar_case.SLOT_TWIPS(n)) - background
            self.assertGreater(len(shown), 3, f"link {n} shows no picture")

        # Over a link the drag is refused; over the bin the file goes to the bin.
        self.assertEqual(self.drag(wide, (3120, 360), items["捨てる.txt"]),
                         DROPEFFECT_NONE)
        self.assertEqual(self.drag(wide, (1800, 360), items["捨てる.txt"]), DROPEFFECT_NONE)
        # The system asks first, as for any delete to the bin (Wine's question, whose text the
        # probe cannot read); Yes is its default button.
        asked = winebox.wait_until(
            lambda: [t for t, _ in self.session.dialogs() if "Confirm" in t], 20, 0.3)
        self.session.screenshot("bin-asks")
        self.assertTrue(asked, f"the system did not ask: {self.session.dialogs()}")
        self.session.xdotool("key", "Return")
        gone = winebox.wait_until(
            lambda: not (self.workdir / "置き場" / "捨てる.txt").exists(), 20, 0.3)
        self.assertTrue(gone, "the file dropped on the bin is still there")
        self.assertEqual(self.session.bin_count(), 1)
        self.assertEqual(self.stored_set()["L8P"].strip(), "")

    def test_a_drop_on_a_full_set_says_why_and_stores_nothing(self):
        self.import_settings(bar_case.a_dock(), bar_case.a_launcher_set(17))
        items = self.make_droppables()
        self.start_bar()
        bar = self.wait_for_open_bar()
        before = self.stored_set()
        self.assertEqual(self.drag(bar, (12300, 660), items["メモ.txt"]), DROPEFFECT_LINK)
        found = winebox.wait_until(
            lambda: [m for _, m in self.session.dialogs()
                     if "リンクを追加できません。" in m and "ランチャーに空きがありません。" in m],
            20, 0.3)
        self.session.screenshot("full")
        self.assertTrue(found, f"no message: {self.session.dialogs()}")
        self.assertEqual(self.stored_set(), before)
        self.assertFalse((self.workdir / "UsrData" / "Icons").exists())


class DropLinksAt144DpiTest(DropLinksTest):
    dpi = 144
