"""Running the Windows build under Wine in a virtual X server, for the end-to-end tests, the
start-up benchmark and `make run`.

A WinePrefix is initialised once (wineboot takes several seconds) and then shared by many
sessions. A Session owns one Xvfb display and the Wine processes of its prefix: it starts
Wine's desktop with the taskbar at a chosen size, runs programs, asks the probe about their
windows, clicks with xdotool and takes screenshots. Only processes that a session started
itself are ever ended, and Wine's through `wineserver -k` of its own prefix.
"""

import os
import pathlib
import re
import shutil
import struct
import subprocess
import tempfile
import time

REPO = pathlib.Path(__file__).resolve().parents[2]
BUILD_WINDOWS = REPO / "build" / "windows"
BUILD_E2E = REPO / "build" / "e2e"


def _display_numbers():
    """The displays reserved for these runs, so they never collide with a developer's own X
    server: :20 to :29, or FIRST-LAST from QUORVEL_DISPLAYS (two checkouts testing at once
    each take a range of their own)."""
    reserved = os.environ.get("QUORVEL_DISPLAYS", "20-29")
    first, _, last = reserved.partition("-")
    return range(int(first), int(last or first) + 1)


DISPLAY_NUMBERS = _display_numbers()

TWIPS_PER_INCH = 1440


def env_path(name, default):
    value = os.environ.get(name)
    return pathlib.Path(value) if value else pathlib.Path(default)


def quorvel_exe():
    return env_path("QUORVEL_EXE", BUILD_WINDOWS / "src" / "app" / "quorvel.exe")


def shellprobe_exe():
    return env_path("QUORVEL_SHELLPROBE",
                    BUILD_WINDOWS / "tests" / "e2e" / "shellprobe" / "shellprobe.exe")


def probe_exe():
    return env_path("QUORVEL_PROBE", BUILD_WINDOWS / "tests" / "e2e" / "probe" / "probe.exe")


def systemprobe_exe():
    return env_path("QUORVEL_SYSTEMPROBE",
                    BUILD_WINDOWS / "tests" / "e2e" / "systemprobe" / "systemprobe.exe")


def crash_harness_exe():
    return env_path("QUORVEL_CRASH_HARNESS",
                    BUILD_WINDOWS / "tests" / "e2e" / "crash_harness" / "crash_harness.exe")


def planted_dll():
    return env_path("QUORVEL_PLANTED_DLL",
                    BUILD_WINDOWS / "tests" / "e2e" / "planted_dll" / "planted.dll")


def controls_spike_exe():
    return env_path(
        "QUORVEL_CONTROLS_SPIKE",
        BUILD_WINDOWS / "tests" / "e2e" / "controls_spike" / "controls_spike.exe",
    )


def minimal_window_exe():
    return env_path(
        "QUORVEL_MINIMAL_WINDOW",
        BUILD_WINDOWS / "tests" / "bench" / "startup" / "minimal_window.exe",
    )


def settings_tool():
    """The native settings tool; its folder depends on the tools' own CMake layout."""
    explicit = os.environ.get("QUORVEL_SETTINGS_TOOL")
    if explicit:
        return pathlib.Path(explicit)
    for found in sorted((REPO / "build" / "linux").glob("**/quorvel-settings")):
        if found.is_file() and os.access(found, os.X_OK):
            return found
    return REPO / "build" / "linux" / "tools" / "quorvel_settings" / "quorvel-settings"


def wait_until(predicate, timeout, interval=0.1):
    """Polls until predicate() returns something true; returns it, or None on timeout."""
    deadline = time.monotonic() + timeout
    while True:
        result = predicate()
        if result:
            return result
        if time.monotonic() >= deadline:
            return None
        time.sleep(interval)


def _reg_file(lines):
    # regedit reads UTF-16 .reg files, which keeps the Japanese font names intact.
    text = "Windows Registry Editor Version 5.00\r\n\r\n" + "\r\n".join(lines) + "\r\n"
    return b"\xff\xfe" + text.encode("utf-16-le")


def _replace_in_section(text, section, name, value):
    """A registry file's text with one value of one key replaced; the key and value must be
    there."""
    pattern = re.compile(r'(\[' + re.escape(section) + r'\][^\[]*?"' + re.escape(name) +
                         r'"=)[^\r\n]*')
    text, replaced = pattern.subn(lambda m: m.group(1) + value, text, count=1)
    if replaced != 1:
        raise RuntimeError(f"no {name} under [{section}]")
    return text


class WinePrefix:
    """A Wine prefix with one shared virtual desktop that shows Wine's taskbar.

    Setting a prefix up with wineboot takes several seconds (far longer on a busy machine), so
    it is done once, in a template that no program ever runs in; every prefix a test, a session
    or a tool uses is a fresh copy of it. The screen's size and dots per inch belong to a
    session, which writes them into the copy before its first program starts."""

    def __init__(self, path, dpi=96):
        # Wine accepts only an absolute prefix path.
        self.path = pathlib.Path(path).resolve()
        self.dpi = dpi

    @property
    def twips_per_pixel(self):
        return TWIPS_PER_INCH / self.dpi

    def env(self, display=None):
        env = dict(os.environ)
        env["WINEPREFIX"] = str(self.path)
        env["WINEDEBUG"] = "-all"
        # Keeps wineboot from asking to install Mono and Gecko, which nothing here needs.
        env["WINEDLLOVERRIDES"] = "mscoree,mshtml="
        if display is not None:
            env["DISPLAY"] = display
        return env

    # Bumped whenever the set-up below changes, so that kept prefixes are made again.
    SETUP_VERSION = 3
    TEMPLATE = BUILD_E2E / "prefix-template"

    def ready(self):
        marker = self.path / ".quorvel-ready"
        return marker.exists() and marker.read_text().strip() == str(self.SETUP_VERSION)

    def create(self, fresh=False):
        """Makes the prefix a copy of the set-up template unless it is already there with the
        same set-up (or `fresh` asks for a new copy)."""
        if self.ready() and not fresh:
            return
        template = WinePrefix(self.TEMPLATE)
        template.set_up()
        if self.path.exists():
            self.kill()
            shutil.rmtree(self.path)
        self.path.parent.mkdir(parents=True, exist_ok=True)
        # Symbolic links stay links: the drives point at folders outside the prefix.
        shutil.copytree(template.path, self.path, symlinks=True)

    def set_up(self):
        """Initialises this prefix with wineboot unless it is already set up."""
        if self.ready():
            return
        # Whatever is there was made by another run or left half-made: start over.
        if self.path.exists():
            self.kill()
            shutil.rmtree(self.path)
        self.path.mkdir(parents=True, exist_ok=True)
        env = self.env()
        env.pop("DISPLAY", None)
        subprocess.run(["wineboot", "-i"], env=env, check=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        lines = [
            r"[HKEY_CURRENT_USER\Software\Wine\Explorer]",
            '"Desktop"="Default"',
            "",
            r"[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]",
            '"Default"="1024x768"',
            "",
            # Without the shell the desktop has no taskbar and no Shell_TrayWnd to hide.
            r"[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops\Default]",
            '"EnableShell"=dword:00000001',
            "",
            r"[HKEY_CURRENT_USER\Control Panel\Desktop]",
            '"LogPixels"=dword:00000060',
            "",
            # A text file opens in Notepad, as on Windows; this prefix lacks the association.
            r"[HKEY_CLASSES_ROOT\.txt]",
            '@="txtfile"',
            "",
            r"[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]",
            '"ＭＳ Ｐゴシック"="IPAPGothic"',
            '"ＭＳ ゴシック"="IPAGothic"',
            '"MS UI Gothic"="IPAPGothic"',
            '"ＭＳ Ｐ明朝"="IPAPMincho"',
            '"ＭＳ 明朝"="IPAMincho"',
            "",
        ]
        reg = self.path / "quorvel-setup.reg"
        reg.write_bytes(_reg_file(lines))
        subprocess.run(["wine", "regedit", "/S", str(reg)], env=env, check=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.kill()
        (self.path / ".quorvel-ready").write_text(str(self.SETUP_VERSION))

    def set_screen(self, width, height):
        """Sets the size of the shared desktop and the screen's dots per inch; only while no
        Wine process of the prefix runs, when the registry file on disk is the registry."""
        user_reg = self.path / "user.reg"
        text = user_reg.read_text(encoding="utf-8", errors="surrogateescape")
        text = _replace_in_section(text, r"Software\\Wine\\Explorer\\Desktops", "Default",
                                   f'"{width}x{height}"')
        text = _replace_in_section(text, r"Control Panel\\Desktop", "LogPixels",
                                   f"dword:{self.dpi:08x}")
        user_reg.write_text(text, encoding="utf-8", errors="surrogateescape")

    def kill(self):
        """Ends every Wine process of this prefix, and only of this prefix."""
        if self.path.exists():
            subprocess.run(["wineserver", "-k"], env=self.env(),
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            subprocess.run(["wineserver", "-w"], env=self.env(),
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


class Framebuffer:
    """The screen of an Xvfb display as the server keeps it in a file (-fbdir), read in place:
    a look at a few pixels costs a file read, where a screenshot costs a process and, on a
    busy machine, most of a second, longer than what a test may want to catch."""

    def __init__(self, path):
        self.path = path
        self.offset = None

    def _read_header(self):
        # Read at the first look, not when the server starts: Xvfb may take the connections
        # before it has written the file's header.
        fields = struct.unpack(">25I", self.path.read_bytes()[:100])
        header_size, ncolors = fields[0], fields[19]
        self.bits_per_pixel, self.bytes_per_line = fields[11], fields[12]
        if self.bits_per_pixel != 32 or fields[7] != 0:  # 32-bit pixels, low byte first
            raise RuntimeError(f"{self.path}: an unexpected pixel format")
        # Past the header (which holds the window's name) and the colour map.
        self.offset = header_size + 12 * ncolors

    def colours(self, x, y, w, h):
        """The set of distinct colours ("RRGGBB") in a rectangle of the screen."""
        if self.offset is None:
            self._read_header()
        colours = set()
        with open(self.path, "rb") as screen:
            for row in range(y, y + h):
                screen.seek(self.offset + row * self.bytes_per_line + x * 4)
                line = screen.read(w * 4)
                for i in range(0, len(line), 4):
                    blue, green, red = line[i], line[i + 1], line[i + 2]
                    colours.add(f"{red:02X}{green:02X}{blue:02X}")
        return colours


# Keys that the tests' text is typed on. Wine gives a key with no virtual key of its own one
# of about 29 spare virtual keys, in keycode order, and the keys past the last get none and
# type nothing. These keys (media and Sun keys no test presses) have spare virtual keys of
# Xvfb's keyboard: bound to the text's characters, they keep theirs, and no key goes without.
TEXT_KEYCODES = [124, 126, 128, *range(137, 146), 147, 148, 150, 151, 152, 153, *range(155, 162)]


class XServer:
    """One Xvfb display of DISPLAY_NUMBERS, or the user's own display when given."""

    def __init__(self, width, height, display=None):
        self.width = width
        self.height = height
        self.display = display
        self.process = None
        self.framebuffer = None

    def start(self, first=None):
        if self.display is not None:
            return self
        numbers = list(DISPLAY_NUMBERS)
        if first is not None:
            start = numbers.index(first) if first in numbers else 0
            numbers = numbers[start:] + numbers[:start]
        # Why the last display that was free did not start (a full disk, say), for the error.
        last_failure = ""
        for number in numbers:
            if os.path.exists(f"/tmp/.X{number}-lock") or os.path.exists(
                f"/tmp/.X11-unix/X{number}"
            ):
                continue
            screen_dir = pathlib.Path(tempfile.mkdtemp(prefix="quorvel-screen-"))
            said = screen_dir / "xvfb.log"
            with open(said, "wb") as errors:
                process = subprocess.Popen(
                    ["Xvfb", f":{number}", "-screen", "0", f"{self.width}x{self.height}x24",
                     # -noreset: the keys bound before the first program connects stay bound
                     # when the binding tool disconnects, instead of going with its reset.
                     "-nolisten", "tcp", "-noreset", "-fbdir", str(screen_dir)],
                    stdout=subprocess.DEVNULL, stderr=errors,
                )
            socket = pathlib.Path(f"/tmp/.X11-unix/X{number}")
            if wait_until(lambda: socket.exists() or process.poll() is not None, 10) and (
                process.poll() is None
            ):
                self.process = process
                self.display = f":{number}"
                self.framebuffer = Framebuffer(screen_dir / "Xvfb_screen0")
                return self
            process.kill()
            process.wait()
            lines = said.read_text(errors="replace").strip().splitlines()
            last_failure = f"; Xvfb :{number} ended: {lines[-1] if lines else 'without a word'}"
            shutil.rmtree(screen_dir, ignore_errors=True)
        raise RuntimeError(f"no free X display in {DISPLAY_NUMBERS}{last_failure}")

    def stop(self):
        if self.process is not None:
            self.process.terminate()
            try:
                self.process.wait(5)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()
            self.process = None
        if self.framebuffer is not None:
            shutil.rmtree(self.framebuffer.path.parent, ignore_errors=True)
            self.framebuffer = None


class Session:
    """Wine's desktop with its taskbar on one display, and the programs started on it."""

    def __init__(self, prefix, width=1024, height=768, display=None, artifacts=None,
                 first_display=None, private_trash=True, keys=""):
        self.prefix = prefix
        self.width = width
        self.height = height
        self.xserver = XServer(width, height, display)
        self.artifacts = pathlib.Path(artifacts) if artifacts else None
        self.first_display = first_display
        self.processes = []
        self.keeper = None
        self.shots = 0
        self.bound_keys = {}
        # Characters the session will type: bound to keys before its first program starts,
        # which reads the keyboard's layout once.
        self.keys = keys
        # The Recycle Bin under Wine is the XDG trash, which every program of the user shares:
        # each session gets a trash of its own, so no test ever touches a real one.
        self.data_home = None
        self.private_trash = private_trash

    # -- life cycle --------------------------------------------------------------------------

    def __enter__(self):
        return self.start()

    def __exit__(self, *exc):
        self.stop()

    def start(self):
        try:
            return self._start()
        except BaseException:
            # A session that could not start leaves no X server or Wine behind.
            self.stop()
            raise

    def _start(self):
        self.prefix.kill()
        if self.private_trash:
            self.data_home = pathlib.Path(tempfile.mkdtemp(prefix="quorvel-xdg-"))
        self.xserver.start(self.first_display)
        self.bind_keys(self.keys)
        self.prefix.set_screen(self.width, self.height)
        # The first Wine program of the session creates the desktop and its taskbar, and keeps
        # them for the session.
        self.keeper = subprocess.Popen(
            ["wine", str(probe_exe()), "idle"], env=self.env(),
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
        )
        # The first desktop of a fresh prefix sets itself up for a while on a slow machine, and a
        # probe asking meanwhile can wait half a minute for it: that is not an answer yet.
        def taskbar_up():
            try:
                return self.probe("taskbar-visible", timeout=60)[0] == 0
            except subprocess.TimeoutExpired:
                return False

        if not wait_until(taskbar_up, 120, 0.2):
            raise RuntimeError("Wine's desktop did not come up with a taskbar")
        return self

    def stop(self):
        self.prefix.kill()
        for process in self.processes + ([self.keeper] if self.keeper else []):
            if process is not None:
                try:
                    process.wait(5)
                except subprocess.TimeoutExpired:
                    process.kill()
                    process.wait()
        self.processes = []
        self.keeper = None
        self.bound_keys = {}
        self.xserver.stop()
        if self.data_home is not None:
            shutil.rmtree(self.data_home, ignore_errors=True)
            self.data_home = None

    def env(self):
        env = self.prefix.env(self.xserver.display)
        if self.data_home is not None:
            env["XDG_DATA_HOME"] = str(self.data_home)
        return env

    @property
    def trash(self):
        """The session's Recycle Bin as Wine keeps it."""
        return self.data_home / "Trash"

    # -- programs ----------------------------------------------------------------------------

    def launch(self, exe, args=(), cwd=None):
        """Starts a Windows program; its current directory is cwd (the bar keeps its
        settings below it)."""
        process = subprocess.Popen(
            ["wine", str(exe), *args], cwd=cwd, env=self.env(),
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
        )
        self.processes.append(process)
        return process

    def probe(self, *args, timeout=30, cwd=None):
        """Runs the probe; returns (exit code, stdout without the final newline). Programs
        that the probe starts inherit cwd as their current directory."""
        # The answer goes through a file, not a pipe: a Wine service started by this call
        # would inherit a pipe and hold it open long after the probe has answered.
        with tempfile.TemporaryFile() as answer:
            result = subprocess.run(
                ["wine", str(probe_exe()), *args], env=self.env(), stdout=answer,
                stderr=subprocess.DEVNULL, timeout=timeout, cwd=cwd,
            )
            answer.seek(0)
            return result.returncode, answer.read().decode("utf-8", "replace").strip()

    def shellprobe(self, *args, timeout=60, cwd=None):
        """Runs the shell helper; returns (exit code, stdout without the final newline)."""
        with tempfile.TemporaryFile() as answer:
            result = subprocess.run(
                ["wine", str(shellprobe_exe()), *map(str, args)], env=self.env(), stdout=answer,
                stderr=subprocess.DEVNULL, timeout=timeout, cwd=cwd,
            )
            answer.seek(0)
            return result.returncode, answer.read().decode("utf-8", "replace").strip()

    def systemprobe(self, *args, timeout=60, cwd=None):
        """Runs the system helper; returns (exit code, stdout without the final newline)."""
        with tempfile.TemporaryFile() as answer:
            result = subprocess.run(
                ["wine", str(systemprobe_exe()), *map(str, args)], env=self.env(),
                stdout=answer, stderr=subprocess.DEVNULL, timeout=timeout, cwd=cwd,
            )
            answer.seek(0)
            return result.returncode, answer.read().decode("utf-8", "replace").strip()

    def bin_count(self):
        code, out = self.shellprobe("count")
        return int(out.split()[0]) if code == 0 else None

    def window_rect(self, class_name):
        """(x, y, width, height, visible) of the first top-level window of the class, or
        None when there is none."""
        code, out = self.probe("rect", class_name)
        if code != 0:
            return None
        x, y, w, h, visible = (int(v) for v in out.split())
        return x, y, w, h, bool(visible)

    def controls(self, class_name):
        """The child windows of the first top-level window of the class, in Tab order: one
        dict each with class, style, ex_style, id, rect (client pixels), screen (top-left),
        visible, enabled, focused and text."""
        code, out = self.probe("controls", class_name)
        if code != 0:
            return []
        children = []
        for line in out.splitlines():
            fields = line.split("\t", 9)
            if len(fields) == 9:  # the answer is stripped: the last child's empty text is gone
                fields.append("")
            if len(fields) < 10:
                continue
            name, style, ex_style, ident, rect, screen, visible, enabled, focused, text = fields
            children.append({
                "class": name, "style": int(style, 16), "ex_style": int(ex_style, 16),
                "id": int(ident), "rect": tuple(int(v) for v in rect.split()),
                "screen": tuple(int(v) for v in screen.split()), "visible": visible == "1",
                "enabled": enabled == "1", "focused": focused == "1", "text": text,
            })
        return children

    def window_count(self, class_name):
        return int(self.probe("count", class_name)[1])

    def taskbar_visible(self):
        code, out = self.probe("taskbar-visible")
        return None if code != 0 else out == "1"

    def taskbar_rect(self):
        code, out = self.probe("taskbar-rect")
        return None if code != 0 else tuple(int(v) for v in out.split())

    def user_name(self):
        return self.probe("user")[1]

    def dialogs(self):
        """[(title, message)] of the visible message boxes; the message's lines are joined
        with "\n"."""
        code, out = self.probe("find-dialog")
        if code != 0:
            return []
        boxes = [(line.split("\t", 1) + [""])[:2] for line in out.splitlines()]
        return [(title, message.replace("\\n", "\n")) for title, message in boxes]

    def wait_for_window(self, class_name, timeout=30):
        return wait_until(
            lambda: (r := self.window_rect(class_name)) and r[4] and r, timeout, 0.1)

    def wait_for_settled(self, class_name, timeout=30, quiet=0.6):
        """Waits until the window is visible and its rectangle has stopped changing for
        `quiet` seconds (the bar's opening animation is over); returns the rectangle."""
        deadline = time.monotonic() + timeout
        last = None
        since = time.monotonic()
        while time.monotonic() < deadline:
            rect = self.window_rect(class_name)
            if rect != last:
                last, since = rect, time.monotonic()
            elif rect and rect[4] and time.monotonic() - since >= quiet:
                return rect
            time.sleep(0.1)
        return None

    # -- the X side --------------------------------------------------------------------------

    def xdotool(self, *args):
        subprocess.run(["xdotool", *map(str, args)], env=self.env(), check=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def bind_keys(self, text):
        """Gives every character of the text beyond ASCII a key of its own for the rest of the
        session. Called before the session's first program starts: a Wine program reads the
        keyboard once, and types nothing for a key that had no virtual key then (xdotool's own
        way, a key bound for one press and unbound at once, loses keys on a busy machine)."""
        missing = sorted({c for c in text if ord(c) > 0x7E} - set(self.bound_keys))
        if not missing:
            return
        free = [k for k in TEXT_KEYCODES if k not in self.bound_keys.values()]
        if len(free) < len(missing):
            raise RuntimeError(f"{len(free)} keys left for {len(missing)} characters")
        chosen = list(zip(missing, free))
        # The symbol on both levels, as xmodmap otherwise leaves some keys as they were.
        expressions = [arg for char, keycode in chosen
                       for arg in ("-e", f"keycode {keycode} = U{ord(char):04X} U{ord(char):04X}")]
        subprocess.run(["xmodmap", *expressions], env=self.env(), check=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        keymap = subprocess.run(["xmodmap", "-pke"], env=self.env(), check=True,
                                capture_output=True, text=True).stdout
        for char, keycode in chosen:
            if not re.search(rf"^keycode\s+{keycode} = U{ord(char):04X}\b", keymap, re.M):
                raise RuntimeError(f"the X server kept keycode {keycode} from {char}")
            self.bound_keys[char] = keycode

    def type_text(self, text, delay_ms=120):
        """Types the text with real key events; its characters beyond ASCII must have been bound
        when the session started (the `keys` it was made with)."""
        unbound = sorted({c for c in text if ord(c) > 0x7E} - set(self.bound_keys))
        if unbound:
            raise RuntimeError(f"not bound when the session started: {''.join(unbound)}")
        self.xdotool("type", "--delay", delay_ms, text)

    def move_to(self, x, y):
        self.xdotool("mousemove", "--sync", x, y)

    def click_at(self, x, y):
        self.xdotool("mousemove", "--sync", x, y)
        self.xdotool("click", 1)

    def double_click_at(self, x, y):
        """Two presses 80 ms apart: well within any double-click time, however busy the
        machine, as X stamps each press when xdotool makes it."""
        self.xdotool("mousemove", "--sync", x, y)
        self.xdotool("click", "--repeat", 2, "--delay", 80, 1)

    def screen_colours(self, x, y, w, h):
        """The distinct colours ("RRGGBB") in a rectangle of the screen right now."""
        return self.xserver.framebuffer.colours(x, y, w, h)

    def screenshot(self, name):
        """Saves the whole screen under the session's artefact folder; returns the path."""
        folder = self.artifacts or (REPO / "artifacts" / "e2e")
        folder.mkdir(parents=True, exist_ok=True)
        self.shots += 1
        path = folder / f"{self.shots:02d}-{name}.png"
        subprocess.run(["import", "-display", self.xserver.display, "-window", "root",
                        str(path)], check=True, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL)
        return path


_PIXEL = re.compile(r"\((\d+(?:\.\d+)?)%?,(\d+(?:\.\d+)?)%?,(\d+(?:\.\d+)?)%?")


def pixel(image, x, y):
    """(r, g, b) of one pixel of a screenshot."""
    out = subprocess.run(
        ["convert", str(image), "-format", f"%[pixel:p{{{x},{y}}}]", "info:"],
        capture_output=True, check=True, text=True,
    ).stdout
    match = _PIXEL.search(out)
    if not match:
        # ImageMagick names some colours ("white", "black") instead of giving numbers.
        named = {"white": (255, 255, 255), "black": (0, 0, 0)}
        return named.get(out.strip())
    return tuple(round(float(v)) for v in match.groups())


def colours_in(image, x, y, w, h):
    """The set of distinct colours in a rectangle of a screenshot."""
    out = subprocess.run(
        ["convert", str(image), "-crop", f"{w}x{h}+{x}+{y}", "+repage", "-unique-colors",
         "-depth", "8", "txt:-"],
        capture_output=True, check=True, text=True,
    ).stdout
    colours = set()
    for line in out.splitlines()[1:]:
        match = re.search(r"#([0-9A-Fa-f]{6})", line)
        if match:
            colours.add(match.group(1).upper())
    return colours


def columns_with_colour_other_than(image, x, y, w, h, colour):
    """The x offsets (from x) of the columns of a rectangle of a screenshot that hold a pixel
    of another colour than `colour` ("RRGGBB")."""
    out = subprocess.run(
        ["convert", str(image), "-crop", f"{w}x{h}+{x}+{y}", "+repage", "-depth", "8", "txt:-"],
        capture_output=True, check=True, text=True,
    ).stdout
    columns = set()
    for line in out.splitlines()[1:]:
        match = re.match(r"(\d+),(\d+):.*#([0-9A-Fa-f]{6})", line)
        if match and match.group(3).upper() != colour.upper():
            columns.add(int(match.group(1)))
    return sorted(columns)


def unix_pids_of(prefix, exe_name):
    """Unix process ids of the Windows programs named exe_name running in the prefix."""
    pids = []
    wanted = f"WINEPREFIX={prefix.path}".encode()
    for entry in pathlib.Path("/proc").iterdir():
        if not entry.name.isdigit():
            continue
        try:
            cmdline = (entry / "cmdline").read_bytes()
            if exe_name.lower().encode() not in cmdline.lower():
                continue
            if wanted not in (entry / "environ").read_bytes().split(b"\0"):
                continue
        except OSError:
            continue
        pids.append(int(entry.name))
    return pids
