"""The switch panel at the bar's left end on real Wine windows: it slides open under the pointer,
folds back by itself about 4.5 s later while the pointer rests on it, the right button on a set
number opens the bar's menu, and its button "2" turns the bar into launcher set 2."""

import time
import unittest

import bar_case
import winebox
from bar_case import BAR_CLASS, SWITCH_PANEL_CLASS

RED = "C03030"
BLUE = "3050D0"
FOLDED_TWIPS = 225
OPEN_TWIPS = 1110
PANEL_TOP_OFFSET_TWIPS = 50
# The label "2" on the open panel, in the panel's own twips (left, top, width, height).
LABEL_2_TWIPS = (300, 30, 105, 195)


class SwitchPanelCase(bar_case.BarCase):
    def start_two_sets(self):
        """Set 1: two red links; set 2: five blue ones. Returns the open bar's rectangle."""
        red = self.make_picture("red.bmp", "#" + RED)
        blue = self.make_picture("blue.bmp", "#" + BLUE)
        set1 = bar_case.a_launcher_set(2, **{f"L{n}I": red for n in (1, 2)})
        set2 = bar_case.a_launcher_set(5, RNo="2", **{f"L{n}I": blue for n in range(1, 6)})
        self.import_settings(bar_case.a_dock(), set1, set_number=1)
        self.import_settings(bar_case.a_dock(), set2, set_number=2)
        self.start_bar()
        return self.wait_for_open_bar()

    def px(self, twips):
        return round(twips / self.twips_per_pixel)

    def panel(self):
        return self.session.window_rect(SWITCH_PANEL_CLASS)

    def wait_for_panel_width(self, twips, timeout):
        return winebox.wait_until(
            lambda: (r := self.panel()) and r[4] and abs(r[2] - self.px(twips)) <= 1 and r,
            timeout, 0.05)

    def assertAgainstBar(self, panel, bar):
        self.assertLessEqual(abs(panel[0] + panel[2] - bar[0]), 1, (panel, bar))
        self.assertLessEqual(abs(panel[1] - bar[1] - self.px(PANEL_TOP_OFFSET_TWIPS)), 1,
                             (panel, bar))


class PanelFoldingTest(SwitchPanelCase):
    def test_the_panel_unfolds_under_the_pointer_and_folds_back_by_itself(self):
        bar = self.start_two_sets()
        # Three seconds after it was made the panel snaps against the bar, folded.
        def folded_against_bar():
            panel = self.wait_for_panel_width(FOLDED_TWIPS, 1)
            if panel and abs(panel[0] + panel[2] - bar[0]) <= 1 and abs(
                    panel[1] - bar[1] - self.px(PANEL_TOP_OFFSET_TWIPS)) <= 1:
                return panel
            return None
        folded = winebox.wait_until(folded_against_bar, 30, 0.1)
        self.assertTrue(folded, f"the panel is not folded against the bar: {self.panel()}")
        self.assertAgainstBar(folded, bar)
        self.session.screenshot("panel-folded")

        self.session.move_to(folded[0] + folded[2] // 2, folded[1] + folded[3] // 2)
        pointed = time.monotonic()
        opened = self.wait_for_panel_width(OPEN_TWIPS, 5)
        opened_at = time.monotonic()
        self.assertTrue(opened, f"the panel did not open under the pointer: {self.panel()}")
        self.assertAgainstBar(opened, bar)
        # The four set buttons show: light blue with the white labels over them, drawn a moment
        # after the panel has its width; read from the screen, as the panel folds again soon.
        def buttons_drawn():
            colours = self.session.screen_colours(opened[0], opened[1], self.px(880), opened[3])
            return colours if "FFFFFF" in colours and len(colours) > 8 else None
        buttons = winebox.wait_until(buttons_drawn, 4, 0.02) or self.session.screen_colours(
            opened[0], opened[1], self.px(880), opened[3])
        self.session.screenshot("panel-open")
        self.assertIn("FFFFFF", buttons)
        self.assertGreater(len(buttons), 8, buttons)

        # The pointer rests on the panel; it folds all the same, and then stays folded.
        refolded = self.wait_for_panel_width(FOLDED_TWIPS, 10)
        folded_at = time.monotonic()
        self.session.screenshot("panel-refolded")
        self.assertTrue(refolded, f"the panel never folded: {self.panel()}")
        self.assertAgainstBar(refolded, bar)
        open_for = folded_at - opened_at
        print(f"\n  unfolded {opened_at - pointed:.2f} s after pointing; "
              f"folded {open_for:.2f} s after opening")
        self.assertGreater(open_for, 4.0)
        self.assertLess(open_for, 6.5)
        time.sleep(1.5)
        rect = self.panel()
        self.assertLessEqual(abs(rect[2] - self.px(FOLDED_TWIPS)), 1,
                             f"the panel opened again without the pointer moving: {rect}")

        # The next movement opens it once more.
        self.session.move_to(refolded[0] + refolded[2] // 2 + 2, refolded[1] + refolded[3] // 2)
        self.assertTrue(self.wait_for_panel_width(OPEN_TWIPS, 5), "no second unfolding")


class PanelSetChangeTest(SwitchPanelCase):
    def test_choosing_set_2_from_the_panel_shows_set_2s_links(self):
        bar = self.start_two_sets()
        self.assertTrue(bar_case.within(bar[2], self.px(2280 + 600 * 2)), bar)
        panel = self.panel()
        self.session.move_to(panel[0] + panel[2] // 2, panel[1] + panel[3] // 2)
        opened = self.wait_for_panel_width(OPEN_TWIPS, 5)
        self.assertTrue(opened, f"the panel did not open: {self.panel()}")
        left, top, width, height = LABEL_2_TWIPS
        # The right button on a set number opens the bar's menu.
        self.right_click_at(opened[0] + self.px(120), opened[1] + self.px(120))
        menu = winebox.wait_until(self.open_menu, 10, 0.1)
        self.session.screenshot("panel-menu")
        self.keys("Escape")
        self.assertTrue(menu, "no menu opened on the panel's label 1")
        self.assertTrue(winebox.wait_until(
            lambda: not self.menu_open(), 10, 0.1))
        self.session.click_at(opened[0] + self.px(left + width / 2),
                              opened[1] + self.px(top + height / 2))
        # The bar closes and comes back on set 2, five links wide.
        wide = self.px(2280 + 600 * 5)
        reopened = winebox.wait_until(
            lambda: (r := self.session.wait_for_settled(BAR_CLASS, 15, quiet=0.4))
            and abs(r[2] - wide) <= 1 and r, 20, 0.2)
        shot = self.session.screenshot("set-2")
        self.assertTrue(reopened, f"the bar did not come back on set 2: "
                                  f"{self.session.window_rect(BAR_CLASS)}")
        self.assertIn(BLUE, self.item_pixels(shot, reopened, bar_case.SLOT_TWIPS(5)))
        self.assertNotIn(RED, self.item_pixels(shot, reopened, bar_case.SLOT_TWIPS(1)))
        # The new panel sits against the new bar.
        self.assertAgainstBar(self.wait_for_panel_width(FOLDED_TWIPS, 5), reopened)


class PanelFoldingAt144DpiTest(PanelFoldingTest):
    dpi = 144


if __name__ == "__main__":
    unittest.main()
