"""A short soak: 500 cycles of the bar's daily life under Wine (make soak runs 10,000 full
ones), and its windows, GDI objects and private memory afterwards against before. Every cycle
shows names, flashes a link and opens the menu; every tenth also folds the bar away and brings
it back, every twenty-fifth opens the settings window and switches sets: the run stays within
a couple of minutes."""

import os
import unittest

import bar_case
import soak_run


class SoakTest(bar_case.BarCase):
    CYCLES = int(os.environ.get("QUORVEL_E2E_SOAK_CYCLES", "500"))

    def test_a_day_of_use_leaves_nothing_behind(self):
        self.assertTrue(soak_run.soakdriver_exe().exists(),
                        f"{soak_run.soakdriver_exe()} has not been built")
        soak = soak_run.Soak(self.session, self.workdir, self.user, self.exe, fold_every=10,
                             full_every=25)
        lines = []
        summary = soak.run(self.CYCLES, report=lines.append)
        (self.artifacts / "soak.txt").parent.mkdir(parents=True, exist_ok=True)
        checks = soak_run.verdict(summary)
        (self.artifacts / "soak.txt").write_text(
            "\n".join(lines + [f"{p}: {d}" for p, _, d in checks]) + "\n", encoding="utf-8")
        for promise, ok, detail in checks:
            with self.subTest(promise=promise):
                self.assertTrue(ok, f"{promise}: {detail}")


if __name__ == "__main__":
    unittest.main()
