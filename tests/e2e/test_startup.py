"""Starting the bar: where its settings live, and that it runs only once."""

import shutil
import unittest

import bar_case
import winebox
from bar_case import BAR_CLASS


class StartupTest(bar_case.BarCase):
    def test_first_start_creates_an_empty_launcher_file_and_no_dock_file(self):
        self.start_bar()
        self.wait_for_open_bar()
        usr_data = self.workdir / "UsrData"
        self.assertTrue(usr_data.is_dir())
        launcher_file = usr_data / f"{self.user}sl.dat"
        self.assertTrue(launcher_file.is_file(), sorted(p.name for p in usr_data.iterdir()))
        self.assertEqual(launcher_file.stat().st_size, 0)
        self.assertFalse((usr_data / f"{self.user}dp.dat").exists())
        self.session.screenshot("first-start")

    def test_second_start_shows_a_message_and_one_bar_stays(self):
        self.start_bar()
        self.wait_for_open_bar()
        second = self.start_bar()
        dialogs = winebox.wait_until(self.session.dialogs, 20)
        self.session.screenshot("second-start")
        self.assertTrue(dialogs, "the second start showed no message box")
        self.assertEqual([message for _, message in dialogs], ["既に起動されています。"])
        self.assertEqual(self.session.window_count(BAR_CLASS), 1)
        self.session.probe("dismiss-dialogs")
        # Dismissing the message ends the second process; the first bar carries on alone.
        self.assertEqual(second.wait(20), 0)
        self.assertEqual(self.session.window_count(BAR_CLASS), 1)
        self.assertTrue(self.session.window_rect(BAR_CLASS)[4])

    def test_settings_follow_the_current_directory_not_the_program_folder(self):
        elsewhere = self.workdir / "elsewhere"
        elsewhere.mkdir()
        # Five slots in use make the bar 5280 twips wide; the default first start is narrower,
        # so the width shows which settings were read.
        self.import_settings(bar_case.a_dock(), bar_case.a_launcher_set(5), workdir=elsewhere)
        program = self.workdir / "program"
        program.mkdir()
        shutil.copy2(self.exe, program / self.exe.name)
        self.start_bar(cwd=elsewhere, exe=program / self.exe.name)
        rect = self.wait_for_open_bar()
        self.assertTrue(bar_case.within(rect[2], 5280 / self.twips_per_pixel), rect)
        self.assertFalse((program / "UsrData").exists())
        self.assertTrue((elsewhere / "UsrData" / f"{self.user}sl.dat").is_file())
        self.session.screenshot("other-directory")


if __name__ == "__main__":
    unittest.main()
