"""Shared set-up of the end-to-end tests: one Wine prefix per screen resolution in dots per inch
for the whole run, and for every test its own display, working folder and artefact folder."""

import contextlib
import itertools
import json
import os
import pathlib
import re
import shutil
import subprocess
import threading
import unittest

import winebox

E2E_BUILD = winebox.BUILD_E2E
ARTIFACTS = winebox.REPO / "artifacts" / "e2e"

BAR_CLASS = "Quorvel.Dock"
MENU_CLASS = "#32768"
NAME_POPUP_CLASS = "Quorvel.LnkName"
SWITCH_PANEL_CLASS = "Quorvel.frmBTN"

BAR_HEIGHT_TWIPS = 735
BAR_GAP_TWIPS = 5
TOP_DIVISOR = 995

# Design rectangles of the bar's items in twips (left, top, width, height).
SLOT_TWIPS = lambda n: (2280 + 600 * (n - 1), 120, 480, 480)  # noqa: E731
TASKBAR_DOWN_TWIPS = (45, 300, 235, 300)
MY_COMPUTER_TWIPS = (360, 120, 480, 480)
MY_DOCUMENTS_TWIPS = (960, 120, 480, 480)
RECYCLE_BIN_TWIPS = (1560, 120, 480, 480)
CLOSE_BUTTON_TWIPS = (50, 50, 220, 220)
# A strip of bare background under the items: nothing is drawn there but the bar itself.
BACKGROUND_PROBE_TWIPS = (2400, 660)

TRANSPARENT_KEY = (0x84, 0x51, 0x55)

_prefixes = {}
_user_names = {}
_displays = itertools.cycle(winebox.DISPLAY_NUMBERS)


# The prefix of this run's tests: one for a plain run, one for each session when run.py runs the
# tests in two sessions at once.
PREFIX_PATH = E2E_BUILD / os.environ.get("QUORVEL_E2E_PREFIX", "prefix")


def shared_prefix(dpi):
    """The run's prefix, seen at this dots-per-inch setting: copied afresh from the set-up
    template once per run unless QUORVEL_E2E_KEEP_PREFIX asks to reuse the previous run's."""
    if not _prefixes:
        keep = os.environ.get("QUORVEL_E2E_KEEP_PREFIX")
        winebox.WinePrefix(PREFIX_PATH).create(fresh=not keep)
    if dpi not in _prefixes:
        _prefixes[dpi] = winebox.WinePrefix(PREFIX_PATH, dpi)
    return _prefixes[dpi]


def windows_path(path):
    """The path as a Windows program in the prefix sees it (Wine maps / to Z:)."""
    return "Z:" + str(pathlib.Path(path).resolve()).replace("/", "\\")


def within(actual, expected, tolerance=1.0):
    return abs(actual - expected) <= tolerance


class BarCase(unittest.TestCase):
    """A test that runs quorvel.exe on a fresh Wine desktop."""

    dpi = 96
    screen = (1024, 768)
    # The characters beyond ASCII the test types (Session.bind_keys).
    keys_typed = ""

    def setUp(self):
        exe = winebox.quorvel_exe()
        if not exe.exists():
            message = f"{exe} has not been built"
            if os.environ.get("QUORVEL_E2E_STRICT"):
                self.fail(message)
            self.skipTest(message)
        self.exe = exe
        name = re.sub(r"[^A-Za-z0-9_.-]+", "_", self.id().split(".", 1)[-1])
        self.workdir = E2E_BUILD / "work" / name
        shutil.rmtree(self.workdir, ignore_errors=True)
        self.workdir.mkdir(parents=True)
        self.artifacts = ARTIFACTS / name
        shutil.rmtree(self.artifacts, ignore_errors=True)
        self.prefix = shared_prefix(self.dpi)
        self.session = winebox.Session(
            self.prefix, *self.screen, artifacts=self.artifacts, first_display=next(_displays),
            keys=self.keys_typed)
        self.session.start()
        self.addCleanup(self._finish)
        # The prefix's user never changes: one probe per run asks for it.
        if not _user_names.get(self.prefix.path):
            _user_names[self.prefix.path] = self.session.user_name()
        self.user = _user_names[self.prefix.path]

    def _finish(self):
        try:
            self.session.screenshot("final")
        finally:
            self.session.stop()

    # -- helpers -------------------------------------------------------------------------------

    @property
    def twips_per_pixel(self):
        return self.prefix.twips_per_pixel

    def start_bar(self, cwd=None, exe=None):
        return self.session.launch(exe or self.exe, cwd=cwd or self.workdir)

    def wait_for_open_bar(self, timeout=30):
        rect = self.session.wait_for_settled(BAR_CLASS, timeout)
        self.assertIsNotNone(rect, "the bar window never settled visible on the screen")
        return rect

    def import_settings(self, dock, launcher_set, set_number=1, workdir=None):
        """Writes the settings files for the prefix's user with the native settings tool."""
        tool = winebox.settings_tool()
        self.assertTrue(tool.exists(), f"{tool} has not been built")
        document = json.dumps({"dock": dock, "set": launcher_set}, ensure_ascii=False)
        result = subprocess.run(
            [str(tool), "import", "--dir", str(workdir or self.workdir), "--user", self.user,
             "--set", str(set_number)],
            input=document.encode("utf-8"), capture_output=True,
        )
        self.assertEqual(result.returncode, 0, result.stderr.decode("utf-8", "replace"))

    def stored(self):
        """Both settings files as quorvel-settings exports them."""
        tool = winebox.settings_tool()
        result = subprocess.run(
            [str(tool), "export", "--dir", str(self.workdir), "--user", self.user],
            capture_output=True, check=True)
        return json.loads(result.stdout.decode("utf-8"))

    def make_picture(self, name, colour):
        """A 32x32 bitmap of one colour in the working folder; returns its Windows path."""
        path = self.workdir / name
        subprocess.run(["convert", "-size", "32x32", f"xc:{colour}", f"BMP3:{path}"],
                       check=True)
        return windows_path(path)

    def expected_bar_rect(self, full_width_twips, dock_pos, taskbar_shown):
        """Where the bar must end, in pixels: centred, at the top a fraction of a pixel below
        the edge, or at the bottom just above the taskbar (or the screen's edge)."""
        tpp = self.twips_per_pixel
        screen_w = self.screen[0] * tpp
        screen_h = self.screen[1] * tpp
        taskbar = self.session.taskbar_rect()
        # The taskbar's height in twips at the screen's real resolution.
        bar_size = taskbar[3] * tpp if taskbar else 0
        if dock_pos == "上":
            top = screen_h // TOP_DIVISOR
        elif taskbar_shown:
            top = screen_h - bar_size - BAR_HEIGHT_TWIPS - BAR_GAP_TWIPS
        else:
            top = screen_h - BAR_HEIGHT_TWIPS - BAR_GAP_TWIPS
        left = screen_w / 2 - full_width_twips / 2
        return (left / tpp, top / tpp, full_width_twips / tpp, BAR_HEIGHT_TWIPS / tpp)

    def assertRectNear(self, actual, expected, what):
        names = ("x", "y", "width", "height")
        for name, got, want in zip(names, actual[:4], expected):
            self.assertTrue(within(got, want), f"{what}: {name} is {got}, expected {want:.1f} "
                            f"(window {actual[:4]}, expected {tuple(round(v, 1) for v in expected)})")

    def assertCentredOnScreen(self, window, tolerance=3):
        """The whole window, frame and title bar included, centred within a few pixels."""
        for name, start, size, screen in (("x", window[0], window[2], self.screen[0]),
                                          ("y", window[1], window[3], self.screen[1])):
            self.assertLessEqual(abs(start + size / 2 - screen / 2), tolerance,
                                 f"{name}: window {window[:4]} on a screen of {self.screen}")

    def point_in_bar(self, bar_rect, twips_x, twips_y):
        """Screen pixel of a point given in the bar's own twips."""
        tpp = self.twips_per_pixel
        return bar_rect[0] + round(twips_x / tpp), bar_rect[1] + round(twips_y / tpp)

    def centre_of(self, bar_rect, item_twips):
        left, top, width, height = item_twips
        return self.point_in_bar(bar_rect, left + width / 2, top + height / 2)

    @contextlib.contextmanager
    def pointing_at(self, x, y):
        """Keeps the pointer moving over a point while the block runs. A name shows for half a
        second after each move over its item, less than a probe or a screenshot can take on a
        busy machine; with the pointer moving it comes back every fifth of a second."""
        done = threading.Event()

        def keep_moving():
            for step in itertools.cycle((0, 1)):
                if done.is_set():
                    return
                self.session.move_to(x + step, y)
                done.wait(0.2)

        mover = threading.Thread(target=keep_moving, daemon=True)
        mover.start()
        try:
            yield
        finally:
            done.set()
            mover.join()

    def wait_for_name(self, x, y, timeout=30):
        """Points at an item until its name is seen on the screen; returns the name popup's
        rectangle."""
        with self.pointing_at(x, y):
            return winebox.wait_until(
                lambda: (r := self.session.window_rect(NAME_POPUP_CLASS)) and r[4] and r,
                timeout, 0.05)

    def click_panels_own_button(self, folded):
        """Clicks the folded switch panel's own button as a person does: the pointer on the
        panel slides it open, the button stays under the pointer at its right end, and the
        click comes once the panel stands still."""
        y = folded[1] + folded[3] // 2
        self.session.move_to(folded[0] + folded[2] // 2, y)
        standing = winebox.wait_until(
            lambda: (r := self.session.window_rect(SWITCH_PANEL_CLASS))
            and within(r[2], 1110 / self.twips_per_pixel) and r, 15, 0.05)
        self.assertTrue(standing, "the panel did not open under the pointer")
        self.session.click_at(standing[0] + standing[2] - folded[2] // 2, y)

    def open_menu(self):
        """The bar's menu on the screen: its rectangle, or None while none is shown."""
        rect = self.session.window_rect(MENU_CLASS)
        return rect if rect and rect[4] else None

    def menu_open(self):
        return self.open_menu() is not None

    def right_click_at(self, x, y):
        self.session.xdotool("mousemove", "--sync", x, y)
        self.session.xdotool("click", 3)

    def keys(self, *names):
        for name in names:
            self.session.xdotool("key", name)

    def item_pixels(self, shot, bar_rect, item_twips, inset=3):
        """The distinct colours inside an item's rectangle (a few pixels in from its edge)."""
        tpp = self.twips_per_pixel
        left, top, width, height = item_twips
        x = bar_rect[0] + round(left / tpp) + inset
        y = bar_rect[1] + round(top / tpp) + inset
        return winebox.colours_in(shot, x, y, round(width / tpp) - 2 * inset,
                                  round(height / tpp) - 2 * inset)

    def item_colours_now(self, bar_rect, item_twips, inset=3):
        """item_pixels, read from the screen as it is at this moment instead of a screenshot."""
        tpp = self.twips_per_pixel
        left, top, width, height = item_twips
        return self.session.screen_colours(
            bar_rect[0] + round(left / tpp) + inset, bar_rect[1] + round(top / tpp) + inset,
            round(width / tpp) - 2 * inset, round(height / tpp) - 2 * inset)

    def desktop_colour(self, shot):
        # The middle of the screen shows nothing but the desktop in these tests.
        return winebox.pixel(shot, self.screen[0] // 2, self.screen[1] // 2)


def a_launcher_set(slots, **fields):
    """A launcher set whose first `slots` slots open Notepad, named 項目1, 項目2, ...; the bar
    width is the left edge of the first unused slot, as the settings window would store it."""
    full_width = 12495 if slots == 17 else 2280 + 600 * slots
    launcher_set = {"RNo": "1", "FWdth": str(full_width), "FTop": "する",
                    "Clr": "しない", "BkStrch": "する"}
    for n in range(1, slots + 1):
        launcher_set.update({f"L{n}T": "ｱﾌﾟﾘｹｰｼｮﾝ", f"L{n}N": f"項目{n}",
                             f"L{n}P": "notepad.exe"})
    launcher_set.update(fields)
    return launcher_set


def a_dock(**fields):
    dock = {"TaskB": "表示", "DockPos": "上", "FntName": "ＭＳ Ｐゴシック", "FStyle": "標準",
            "FrColor": "-2147483630"}
    dock.update(fields)
    return dock
