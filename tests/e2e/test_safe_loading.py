"""The bar lives in a folder its user can write to; a DLL planted beside it must never run.

Wine prefers its own built-in DLLs, so the planted ones are offered first for every library the
program may load at run time (WINEDLLOVERRIDES "native, then built-in"). The bar is then taken
through pictures, its name popup, its menu, the settings window with its file dialog, the
cleanup commands (recent files, the internet cache, the history), and a second start's message
box, and no planted DLL may have run.

The libraries the loader resolves before the program runs its first line (the exe's own imports
and theirs) are outside the program's reach; on Windows each of the exe's imports is one of the
system's known DLLs, which always come from the system folder, and that is checked here too.
Wine has no such protection for them, so they are not planted."""

import pathlib
import shutil
import subprocess
import time
import unittest

import bar_case
import test_menu_commands as menu_case
import test_settings_window as settings_case
import winebox
from bar_case import BAR_CLASS

# The system's known DLLs (Windows 10 and 11): the loader takes them from the system folder
# whatever the search order says.
KNOWN_DLLS = {
    "advapi32.dll", "clbcatq.dll", "combase.dll", "comdlg32.dll", "coml2.dll", "difxapi.dll",
    "gdi32.dll", "gdiplus.dll", "imagehlp.dll", "imm32.dll", "kernel32.dll", "msctf.dll",
    "msvcrt.dll", "normaliz.dll", "nsi.dll", "ole32.dll", "oleaut32.dll", "psapi.dll",
    "rpcrt4.dll", "sechost.dll", "setupapi.dll", "shcore.dll", "shell32.dll", "shlwapi.dll",
    "user32.dll", "wldap32.dll", "ws2_32.dll",
}

# Libraries the bar may load while it runs, by itself or through a system component: the
# common controls' theme, COM, the picture decoders, the dialogs' helpers, the internet cache
# and history of the cleanup commands, and others a Windows component may reach for.
RUN_TIME_LIBRARIES = [
    "comdlg32", "compstui", "imm32", "comctl32", "uxtheme", "ole32", "combase", "rpcrt4", "oleaut32", "windowscodecs", "propsys",
    "msimg32", "dwmapi", "msctf", "wininet", "urlmon", "iertutil", "winmm", "cryptbase",
    "bcrypt", "crypt32", "profapi", "userenv", "netapi32", "mpr", "dbghelp", "powrprof",
    "setupapi", "wintrust", "gdiplus", "explorerframe", "shdocvw", "ieframe", "actxprxy",
    "mlang", "msxml3", "jscript", "wshom", "twinapi", "textinputframework", "coremessaging",
    "ws2_32", "iphlpapi", "nsi", "dnsapi", "secur32", "winhttp", "mswsock", "netutils",
]

# Loaded while the process starts, before the program's first line: Wine's user32 loads the
# input method library as it initialises (imm32 is a known DLL on Windows).
LOADED_AT_PROCESS_START = {"imm32.dll"}

# Wine's own pieces, which it never takes from anywhere but itself.
WINE_INTERNAL = {"ntdll.dll", "kernel32.dll", "kernelbase.dll", "win32u.dll"}



def objdump():
    return shutil.which("x86_64-w64-mingw32-objdump")


def imports_of(path):
    out = subprocess.run([objdump(), "-p", str(path)], capture_output=True, text=True).stdout
    return [line.split(":", 1)[1].strip().lower() for line in out.splitlines()
            if "DLL Name:" in line]


def wine_builtin_folder():
    for folder in ("/usr/lib/x86_64-linux-gnu/wine/x86_64-windows",
                   "/usr/lib/wine/x86_64-windows", "/usr/local/lib/wine/x86_64-windows"):
        if pathlib.Path(folder, "user32.dll").exists():
            return pathlib.Path(folder)
    return None


def load_time_closure(exe):
    """Every DLL the loader resolves for the exe before it runs: its imports, theirs, ..."""
    builtin = wine_builtin_folder()
    todo = imports_of(exe)
    seen = set()
    while todo:
        name = todo.pop()
        if name in seen:
            continue
        seen.add(name)
        if builtin is not None and (builtin / name).exists():
            todo += imports_of(builtin / name)
    return seen


class SafeLoadingTest(settings_case.SettingsWindowCase, menu_case.MenuCommandCase):
    def setUp(self):
        super().setUp()
        if objdump() is None:
            self.fail("x86_64-w64-mingw32-objdump is needed to read the exe's imports")
        for helper in (winebox.planted_dll(), winebox.systemprobe_exe()):
            self.assertTrue(helper.exists(), f"{helper} has not been built")
        self.closure = load_time_closure(self.exe) | LOADED_AT_PROCESS_START
        self.planted = [name for name in RUN_TIME_LIBRARIES
                        if f"{name}.dll" not in self.closure]
        self.app = self.workdir / "program"
        self.app.mkdir()
        shutil.copy2(self.exe, self.app / self.exe.name)
        for name in self.planted:
            shutil.copy2(winebox.planted_dll(), self.app / f"{name}.dll")

    def planted_env(self):
        env = self.session.env()
        env["WINEDLLOVERRIDES"] = ",".join(self.planted) + "=n,b"
        return env

    def marks(self):
        return sorted(path.name for path in self.app.glob("*.ran"))

    def start_planted_bar(self):
        process = subprocess.Popen(["wine", str(self.app / self.exe.name)], cwd=self.workdir,
                                   env=self.planted_env(), stdout=subprocess.DEVNULL,
                                   stderr=subprocess.DEVNULL)
        self.session.processes.append(process)
        return process

    def test_the_exe_imports_only_known_dlls(self):
        imported = set(imports_of(self.exe))
        self.assertTrue(imported)
        self.assertLessEqual(imported, KNOWN_DLLS, sorted(imported - KNOWN_DLLS))

    def test_a_careless_program_in_the_same_folder_runs_a_planted_dll(self):
        # The check below is worth something only if a plain LoadLibrary from that folder
        # would run the planted DLL.
        shutil.copy2(winebox.systemprobe_exe(), self.app / "systemprobe.exe")
        subprocess.run(["wine", str(self.app / "systemprobe.exe"), "load-library", "uxtheme.dll"],
                       cwd=self.workdir, env=self.planted_env(), capture_output=True, timeout=60)
        self.assertIn("uxtheme.dll.ran", self.marks())

    def test_no_planted_dll_runs_whatever_the_bar_does(self):
        pictures = {
            "L1I": self.make_picture("red.bmp", "red"),
            "L2I": self.picture("blue.png", "blue"),
            "L3I": self.picture("green.jpg", "green"),
            "L4I": self.picture("icon.ico", "yellow"),
        }
        self.import_settings(bar_case.a_dock(), bar_case.a_launcher_set(5, **pictures))
        self.start_planted_bar()
        bar = self.wait_for_open_bar()
        shot = self.session.screenshot("pictures")
        for n in range(1, 5):
            # Each picture was decoded: the slot shows a colour of its own.
            colours = self.item_pixels(shot, bar, bar_case.SLOT_TWIPS(n))
            self.assertEqual(len(colours), 1, f"slot {n}: {colours}")

        # The cleanup commands, from the menu as it first opens on the bar's background: the
        # shell's recent documents, wininet's cache, COM's history.
        for name, keys in (("recent", menu_case.RECENT_FILES), ("cache", menu_case.CACHE),
                           ("history", menu_case.HISTORY)):
            self.choose(bar, keys, name=name)
            self.answer_every_message()

        # The name popup, and the menu opened and dismissed.
        self.assertTrue(self.wait_for_name(*self.centre_of(bar, bar_case.SLOT_TWIPS(2))),
                        "the name popup never showed")
        self.right_click_at(*self.centre_of(bar, bar_case.SLOT_TWIPS(2)))
        self.assertIsNotNone(self.session.wait_for_window(bar_case.MENU_CLASS, 10))
        self.keys("Escape")

        # The settings window and its file dialog.
        self.open_settings(bar)
        self.click(settings_case.MOCK_SLOT_TWIPS(1))
        self.click(settings_case.PATH_BROWSE_TWIPS)
        self.assertTrue(winebox.wait_until(lambda: self.session.window_count("#32770") > 0, 15),
                        "the file dialog did not open")
        self.session.screenshot("file-dialog")
        self.keys("Escape")
        self.assertTrue(winebox.wait_until(
            lambda: self.session.window_count("#32770") == 0, 10))
        modules = self.session.systemprobe("modules", BAR_CLASS)[1].splitlines()
        self.click(settings_case.CLOSE_TWIPS)

        # A second start says so in a message box, with the planted DLLs offered as well.
        second = self.start_planted_bar()
        self.assertTrue(winebox.wait_until(self.session.dialogs, 20), "no message box")
        self.session.screenshot("second-start")
        self.session.probe("dismiss-dialogs")
        self.assertEqual(second.wait(20), 0)

        self.assertEqual(self.marks(), [], "a planted DLL ran")
        app_folder = bar_case.windows_path(self.app).lower()
        from_app = [m for m in modules if m.lower().startswith(app_folder + "\\")
                    and not m.lower().endswith(self.exe.name.lower())]
        self.assertEqual(from_app, [])
        # Every library the run loaded was either resolved before the program ran or planted:
        # a library new to the program shows up here until the list above offers it.
        loaded = {pathlib.PureWindowsPath(m).name.lower() for m in modules}
        unplanted = loaded - self.closure - WINE_INTERNAL - {f"{n}.dll" for n in self.planted}
        unplanted = {name for name in unplanted if name.endswith(".dll")}
        self.assertEqual(unplanted - {self.exe.name.lower()}, set())
        self.assertTrue(self.session.window_rect(BAR_CLASS)[4], "the bar is still there")

    def answer_every_message(self):
        """OK to each message box the command shows, until none comes for a while."""
        while winebox.wait_until(self.session.dialogs, 5, 0.2):
            self.session.screenshot("message")
            self.session.probe("dismiss-dialogs")
            time.sleep(0.5)

    def picture(self, name, colour):
        path = self.workdir / name
        subprocess.run(["convert", "-size", "32x32", f"xc:{colour}", str(path)], check=True)
        return bar_case.windows_path(path)


if __name__ == "__main__":
    unittest.main()
