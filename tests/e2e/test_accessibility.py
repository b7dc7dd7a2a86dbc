"""The bar's accessible objects as a screen reader reads them, at 96 and 144 dpi. Under Wine an
accessible object cannot be read from another process, so the Windows build's own unit tests
(BarAccessibility.*) read the tree inside the bar's process: the real window host and bar on
the simulated files and shell. This runs them in the end-to-end prefixes of both resolutions
and keeps what they printed."""

import subprocess
import unittest

import bar_case
import winebox


def unit_tests_exe():
    return winebox.env_path("QUORVEL_UNIT_TESTS",
                            winebox.BUILD_WINDOWS / "tests" / "quorvel_tests.exe")


class AccessibilityCase(bar_case.BarCase):
    def test_every_item_is_read_with_its_name_role_place_and_action(self):
        exe = unit_tests_exe()
        if not exe.exists():
            self.skipTest(f"{exe} has not been built")
        result = subprocess.run(
            ["wine", str(exe), "--gtest_filter=BarAccessibility.*", "--gtest_brief=1"],
            env=self.session.env(), capture_output=True, timeout=300)
        out = result.stdout.decode("utf-8", "replace")
        self.artifacts.mkdir(parents=True, exist_ok=True)
        (self.artifacts / "tree.txt").write_text(out, encoding="utf-8")
        self.assertEqual(result.returncode, 0, out + result.stderr.decode("utf-8", "replace"))
        self.assertIn(f"at {self.dpi} dpi the bar reads:", out)
        self.assertIn('push button "リンク3"', out)


class AccessibilityAt96DpiTest(AccessibilityCase):
    dpi = 96


class AccessibilityAt144DpiTest(AccessibilityCase):
    dpi = 144


del AccessibilityCase

if __name__ == "__main__":
    unittest.main()
