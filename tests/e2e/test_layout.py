"""Where the bar ends once it has opened, what shows through a transparent bar, the name
popup, and the taskbar toggle, on real Wine windows."""

import sys
import unittest

import bar_case
import winebox
from bar_case import BAR_CLASS, NAME_POPUP_CLASS, SWITCH_PANEL_CLASS

SLOTS = 5


class LayoutCase(bar_case.BarCase):
    """Placed at one edge of one screen; the subclasses below pick the screen."""

    dock_pos = "上"

    def test_bar_ends_centred_at_its_edge(self):
        launcher_set = bar_case.a_launcher_set(SLOTS)
        self.import_settings(bar_case.a_dock(DockPos=self.dock_pos), launcher_set)
        self.start_bar()
        rect = self.wait_for_open_bar()
        shot = self.session.screenshot("opened")
        expected = self.expected_bar_rect(int(launcher_set["FWdth"]), self.dock_pos, True)
        self.assertRectNear(rect, expected, "bar")
        # An opaque bar covers the desktop, also where no item is drawn.
        x, y = self.point_in_bar(rect, *bar_case.BACKGROUND_PROBE_TWIPS)
        self.assertNotEqual(winebox.pixel(shot, x, y), self.desktop_colour(shot))


LAYOUTS = [
    # (class name, dots per inch, screen size, edge)
    ("Top1024x768", 96, (1024, 768), "上"),
    ("Bottom1024x768", 96, (1024, 768), "下"),
    ("Top1280x1024", 96, (1280, 1024), "上"),
    ("Bottom1280x1024", 96, (1280, 1024), "下"),
    ("Top144Dpi", 144, (1024, 768), "上"),
    ("Bottom144Dpi", 144, (1024, 768), "下"),
]
for _name, _dpi, _screen, _edge in LAYOUTS:
    setattr(sys.modules[__name__], f"Layout{_name}Test",
            type(f"Layout{_name}Test", (LayoutCase,),
                 {"dpi": _dpi, "screen": _screen, "dock_pos": _edge}))
del LayoutCase


class TransparentBarTest(bar_case.BarCase):
    def test_desktop_shows_through_the_background_but_not_through_the_items(self):
        launcher_set = bar_case.a_launcher_set(SLOTS, Clr="する")
        self.import_settings(bar_case.a_dock(), launcher_set)
        self.start_bar()
        rect = self.wait_for_open_bar()
        shot = self.session.screenshot("transparent")
        desktop = self.desktop_colour(shot)
        x, y = self.point_in_bar(rect, *bar_case.BACKGROUND_PROBE_TWIPS)
        self.assertEqual(winebox.pixel(shot, x, y), desktop)
        self.assertNotEqual(winebox.pixel(shot, x, y), bar_case.TRANSPARENT_KEY)
        # My Computer keeps its built-in picture.
        x, y = self.centre_of(rect, (360, 120, 480, 480))
        self.assertNotEqual(winebox.pixel(shot, x, y), desktop)


class NamePopupTest(bar_case.BarCase):
    def test_pointing_at_a_slot_shows_its_name_below_the_bar(self):
        launcher_set = bar_case.a_launcher_set(SLOTS)
        launcher_set["L1I"] = self.make_picture("slot1.bmp", "#C03030")
        self.import_settings(bar_case.a_dock(), launcher_set)
        self.start_bar()
        bar = self.wait_for_open_bar()
        x, y = self.centre_of(bar, bar_case.SLOT_TWIPS(1))
        # Over an opaque bar the name appears on the second move over the same item, and lives
        # for half a second: photograph it, the pointer moving, until its letters are seen.
        self.session.move_to(x, y)
        with self.pointing_at(x + 2, y + 1):
            seen = winebox.wait_until(self._name_on_screen, 30, 0.02)
        self.assertTrue(seen, "the name popup never showed its text")
        popup = seen[0]
        tpp = self.twips_per_pixel
        self.assertTrue(bar_case.within(popup[1], bar[1] + bar[3] + 20 / tpp), (popup, bar))
        # It hides itself half a second after the last move.
        hidden = winebox.wait_until(
            lambda: not self.session.window_rect(NAME_POPUP_CLASS)[4], 30, 0.05)
        self.assertTrue(hidden)

    def _name_on_screen(self):
        """(popup rectangle, colours other than the desktop's in it) while the popup is
        visible with something drawn; only the name's letters are opaque in it."""
        popup = self.session.window_rect(NAME_POPUP_CLASS)
        if not popup or not popup[4]:
            return None
        shot = self.session.screenshot("name-popup")
        desktop_hex = "%02X%02X%02X" % self.desktop_colour(shot)
        colours = winebox.colours_in(shot, *popup[:4]) - {desktop_hex}
        return (popup, colours) if colours else None


class TaskbarToggleTest(bar_case.BarCase):
    def test_taskbar_button_hides_the_taskbar_and_closing_the_bar_brings_it_back(self):
        launcher_set = bar_case.a_launcher_set(SLOTS)
        self.import_settings(bar_case.a_dock(DockPos="下"), launcher_set)
        self.start_bar()
        rect = self.wait_for_open_bar()
        width = int(launcher_set["FWdth"])
        self.assertRectNear(rect, self.expected_bar_rect(width, "下", True), "bar above taskbar")
        self.assertTrue(self.session.taskbar_visible())
        self.session.click_at(*self.centre_of(rect, bar_case.TASKBAR_DOWN_TWIPS))
        hidden = winebox.wait_until(lambda: self.session.taskbar_visible() is False, 5)
        self.session.screenshot("taskbar-hidden")
        self.assertTrue(hidden, "the taskbar is still visible")
        moved = self.session.wait_for_settled(BAR_CLASS, 10, quiet=0.3)
        self.assertRectNear(moved, self.expected_bar_rect(width, "下", False), "bar at the edge")
        # The bar moves down by exactly the taskbar's height.
        taskbar_height = self.session.taskbar_rect()[3]
        self.assertEqual(moved[1] - rect[1], taskbar_height, (rect, moved))
        self.assertEqual(self.session.probe("close", BAR_CLASS), (0, "closed"))
        shown = winebox.wait_until(lambda: self.session.taskbar_visible(), 10)
        self.session.screenshot("after-close")
        self.assertTrue(shown, "closing the bar left the taskbar hidden")


class CloseButtonTest(bar_case.BarCase):
    def test_close_button_folds_the_bar_away_and_the_panel_brings_it_back(self):
        launcher_set = bar_case.a_launcher_set(SLOTS)
        self.import_settings(bar_case.a_dock(), launcher_set)
        self.start_bar()
        rect = self.wait_for_open_bar()
        self.session.click_at(*self.centre_of(rect, bar_case.CLOSE_BUTTON_TWIPS))
        folded = winebox.wait_until(
            lambda: (r := self.session.window_rect(BAR_CLASS)) and not r[4], 10)
        self.session.screenshot("folded")
        self.assertTrue(folded, "the bar is still shown after its close button")
        # Folding away is not quitting: the switch panel stays, and its button reopens the bar
        # at the width and place it had.
        panel = self.session.window_rect(SWITCH_PANEL_CLASS)
        self.assertTrue(panel and panel[4], panel)
        self.click_panels_own_button(panel)
        reopened = self.session.wait_for_settled(BAR_CLASS, 30, quiet=0.3)
        self.session.screenshot("reopened")
        self.assertIsNotNone(reopened)
        self.assertEqual(reopened[:4], rect[:4])


class NarrowScreenTest(bar_case.BarCase):
    """Seventeen links make the bar 833 pixels wide at 96 dpi, more than the screen."""

    screen = (800, 600)

    def test_the_left_end_and_the_panel_stay_on_the_screen_and_the_fold_can_be_undone(self):
        self.import_settings(bar_case.a_dock(), bar_case.a_launcher_set(17))
        self.start_bar()
        bar = self.wait_for_open_bar()
        self.session.screenshot("opened")
        close = self.centre_of(bar, bar_case.CLOSE_BUTTON_TWIPS)
        self.assertGreaterEqual(bar[0], 0, bar)
        self.assertGreater(bar[0] + bar[2], self.screen[0], bar)  # the right end is cut
        # The panel, against the bar's left end, is on the screen also when it opens.
        panel = winebox.wait_until(
            lambda: (r := self.session.window_rect(SWITCH_PANEL_CLASS)) and r[4]
            and abs(r[0] + r[2] - bar[0]) <= 1 and r, 30, 0.1)
        self.assertTrue(panel, f"no panel against the bar: "
                               f"{self.session.window_rect(SWITCH_PANEL_CLASS)}")
        self.assertGreaterEqual(panel[0], 0, panel)
        folded_panel = panel
        self.session.move_to(panel[0] + panel[2] // 2, panel[1] + panel[3] // 2)
        opened = winebox.wait_until(
            lambda: (r := self.session.window_rect(SWITCH_PANEL_CLASS)) and r[2] > panel[2]
            and r, 10, 0.05)
        self.assertTrue(opened, "the panel did not open under the pointer")
        self.assertGreaterEqual(opened[0], 0, opened)
        self.assertLessEqual(abs(opened[0] + opened[2] - bar[0]), 1, (opened, bar))

        self.session.click_at(*close)
        folded = winebox.wait_until(
            lambda: (r := self.session.window_rect(BAR_CLASS)) and not r[4], 10)
        self.session.screenshot("folded")
        self.assertTrue(folded, "the bar is still shown after its close button")
        # Folded again, the panel is its open button alone.
        panel = winebox.wait_until(
            lambda: (r := self.session.window_rect(SWITCH_PANEL_CLASS)) and r[4]
            and r[2] == folded_panel[2] and r, 15, 0.1)
        self.assertTrue(panel and panel[0] >= 0, self.session.window_rect(SWITCH_PANEL_CLASS))
        self.click_panels_own_button(panel)
        reopened = self.session.wait_for_settled(BAR_CLASS, 30, quiet=0.3)
        self.session.screenshot("reopened")
        self.assertEqual(reopened and reopened[:4], bar[:4])


class NarrowScreenAt144DpiTest(NarrowScreenTest):
    dpi = 144


if __name__ == "__main__":
    unittest.main()
