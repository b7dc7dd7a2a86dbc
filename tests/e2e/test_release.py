"""The release zip as a user gets it: what it holds, what Windows reads from the exe's resources,
and the program and its readme opened from the unzipped folder.

The zip is QUORVEL_DIST_ZIP (make dist checks its own zip so), else one packaged here by
scripts/dist.py from the end-to-end tests' quorvel.exe."""

import hashlib
import os
import pathlib
import re
import shutil
import struct
import subprocess
import sys
import unittest
import zipfile

import bar_case
import winebox

sys.path.insert(0, str(winebox.REPO / "scripts"))
import dist  # noqa: E402

VERSION = dist.project_version()
ENTRIES = ["quorvel.exe", dist.README_NAME, "LICENSE"]

_zip = None


def release_zip(case):
    """The zip under test, packaged at most once per run."""
    global _zip
    if os.environ.get("QUORVEL_DIST_ZIP"):
        return pathlib.Path(os.environ["QUORVEL_DIST_ZIP"])
    if _zip is None:
        exe = winebox.quorvel_exe()
        if not exe.exists():
            if os.environ.get("QUORVEL_E2E_STRICT"):
                case.fail(f"{exe} has not been built")
            case.skipTest(f"{exe} has not been built")
        # A folder of the session's own: the other session may be packaging its zip at the
        # same moment, and would rewrite this one under the tests that read it.
        _zip = dist.package(exe, bar_case.E2E_BUILD / "release" / bar_case.PREFIX_PATH.name)
    return _zip


# -- the exe's resources, read from the PE file as Windows does ---------------------------------

RT_ICON, RT_GROUP_ICON, RT_VERSION, RT_MANIFEST = 3, 14, 16, 24


class PeFile:
    def __init__(self, data):
        self.data = data
        pe = struct.unpack_from("<I", data, 0x3C)[0]
        if data[pe:pe + 4] != b"PE\0\0":
            raise ValueError("not a PE file")
        sections, self.time_stamp = struct.unpack_from("<HI", data, pe + 6)
        optional_size = struct.unpack_from("<H", data, pe + 20)[0]
        optional = pe + 24
        if struct.unpack_from("<H", data, optional)[0] != 0x20B:
            raise ValueError("not a 64-bit PE file")
        self.resource_rva = struct.unpack_from("<I", data, optional + 112 + 2 * 8)[0]
        self.sections = [struct.unpack_from("<IIII", data, optional + optional_size + 40 * i + 8)
                         for i in range(sections)]

    def offset(self, rva):
        for virtual_size, address, raw_size, raw in self.sections:
            if address <= rva < address + max(virtual_size, raw_size):
                return raw + rva - address
        raise ValueError(f"RVA {rva:#x} is in no section")

    def _directory(self, at):
        """{id: offset in the resource section} of one level; named entries are left out."""
        base = self.offset(self.resource_rva)
        named, ids = struct.unpack_from("<HH", self.data, base + at + 12)
        entries = {}
        for i in range(named, named + ids):
            name, target = struct.unpack_from("<II", self.data, base + at + 16 + 8 * i)
            entries[name] = target
        return entries

    def directory_time_stamp(self):
        return struct.unpack_from("<I", self.data, self.offset(self.resource_rva) + 4)[0]

    def resources(self, kind):
        """{resource id: bytes} of one type, in the first language of each."""
        types = self._directory(0)
        if kind not in types:
            return {}
        found = {}
        for ident, names in self._directory(types[kind] & 0x7FFFFFFF).items():
            languages = self._directory(names & 0x7FFFFFFF)
            entry = self.offset(self.resource_rva) + next(iter(languages.values()))
            rva, size = struct.unpack_from("<II", self.data, entry)
            found[ident] = self.data[self.offset(rva):self.offset(rva) + size]
        return found


def _version_block(data, at):
    """(key, value, children, end) of one node of a VS_VERSIONINFO tree."""
    length, value_length, is_text = struct.unpack_from("<HHH", data, at)
    key_end = at + 6
    while data[key_end:key_end + 2] != b"\0\0":
        key_end += 2
    key = data[at + 6:key_end].decode("utf-16-le")
    value_at = (key_end + 2 + 3) & ~3
    value = data[value_at:value_at + (value_length * 2 if is_text else value_length)]
    children, child = [], (value_at + len(value) + 3) & ~3
    while child < at + length:
        node = _version_block(data, child)
        children.append(node)
        child = (node[3] + 3) & ~3
    return key, value, children, at + length


def version_info(data):
    """The fixed file version as "a.b.c.d" and the strings of every string table."""
    key, fixed, children, _ = _version_block(data, 0)
    if key != "VS_VERSION_INFO" or struct.unpack_from("<I", fixed)[0] != 0xFEEF04BD:
        raise ValueError("not a version resource")
    ms, ls = struct.unpack_from("<II", fixed, 8)
    numbers = f"{ms >> 16}.{ms & 0xFFFF}.{ls >> 16}.{ls & 0xFFFF}"
    strings = {}
    for name, _, tables, _ in children:
        if name == "StringFileInfo":
            for _, _, entries, _ in tables:
                for entry, text, _, _ in entries:
                    strings[entry] = text.decode("utf-16-le").rstrip("\0")
    return numbers, strings


class ReleaseZipTest(unittest.TestCase):
    def setUp(self):
        self.zip = release_zip(self)
        with zipfile.ZipFile(self.zip) as archive:
            self.infos = archive.infolist()
            self.files = {info.filename: archive.read(info) for info in self.infos}
        self.pe = PeFile(self.files["quorvel.exe"])

    def test_zip_is_named_after_the_version_and_holds_the_three_files(self):
        self.assertEqual(self.zip.name, f"quorvel-{VERSION}-windows-x64.zip")
        self.assertEqual([info.filename for info in self.infos], ENTRIES)
        readme = next(info for info in self.infos if info.filename == dist.README_NAME)
        self.assertTrue(readme.flag_bits & 0x800, "the readme's name is not marked as UTF-8")
        # The checksum file beside the zip is what `sha256sum -c` reads.
        sums = (self.zip.parent / "SHA256SUMS").read_text(encoding="ascii")
        digest = hashlib.sha256(self.zip.read_bytes()).hexdigest()
        self.assertEqual(sums, f"{digest}  {self.zip.name}\n")

    def test_unzip_lists_the_readme_by_its_japanese_name(self):
        if not shutil.which("unzip"):
            self.skipTest("unzip is not installed")
        listed = subprocess.run(["unzip", "-Z1", str(self.zip)], capture_output=True,
                                check=True).stdout.decode("utf-8", "replace").split()
        self.assertEqual(listed, ENTRIES)

    def test_readme_is_the_readmes_user_part_for_notepad(self):
        data = self.files[dist.README_NAME]
        self.assertTrue(data.startswith(b"\xef\xbb\xbf"), "no UTF-8 byte order mark")
        self.assertNotRegex(data.replace(b"\r\n", b""), rb"[\r\n]", "a line end that is not CRLF")
        text = data.decode("utf-8")
        self.assertTrue(text.startswith(f"\ufeffQuorvel {VERSION}\r\n"), text[:40])
        for said in ("■ インストールと起動", "■ Windows の起動時に実行する", "shell:startup",
                     "UsrData", "既に起動されています。", "■ ライセンス"):
            self.assertIn(said, text)
        for markup in ("`", "###", "<!--", "For developers", "cmake"):
            self.assertNotIn(markup, text)

    def test_licence_is_the_repositorys_mit_licence(self):
        licence = self.files["LICENSE"].decode("ascii")
        self.assertTrue(licence.startswith("MIT License\r\n"))
        root = (winebox.REPO / "LICENSE").read_text(encoding="ascii")
        self.assertEqual(licence.replace("\r\n", "\n"), root)

    def test_exe_carries_its_version(self):
        versions = self.pe.resources(RT_VERSION)
        self.assertEqual(list(versions), [1])
        numbers, strings = version_info(versions[1])
        self.assertEqual(numbers, f"{VERSION}.0")
        self.assertEqual(strings["FileVersion"], f"{VERSION}.0")
        self.assertEqual(strings["ProductVersion"], VERSION)
        self.assertEqual(strings["ProductName"], "Quorvel")
        self.assertEqual(strings["OriginalFilename"], "quorvel.exe")
        self.assertRegex(strings["FileDescription"], r"[\u3040-\u30ff\u4e00-\u9fff]")
        self.assertRegex(strings["LegalCopyright"], r"^Copyright \(c\) \d{4} Quorvel project$")
        # The manifest and the About window carry the same version.
        manifest = self.pe.resources(RT_MANIFEST)[1].decode("utf-8")
        self.assertRegex(manifest, rf'name="Quorvel" version="{re.escape(VERSION)}\.0"')
        self.assertIn(f"ver{VERSION}".encode(), self.files["quorvel.exe"])

    def test_exe_carries_the_program_icon(self):
        ids = (winebox.REPO / "src" / "app" / "ids.h").read_text(encoding="utf-8")
        icon_id = int(re.search(r"#define IDI_QUORVEL (\d+)", ids).group(1))
        group = self.pe.resources(RT_GROUP_ICON)[icon_id]
        images = self.pe.resources(RT_ICON)
        count = struct.unpack_from("<HHH", group)[2]
        sizes = []
        for i in range(count):
            width, _, _, _, _, _, size, ident = struct.unpack_from("<BBBBHHIH", group, 6 + 14 * i)
            self.assertEqual(len(images[ident]), size)
            sizes.append(width or 256)
        self.assertTrue({16, 32} <= set(sizes), sizes)

    def test_exe_records_no_build_time_and_no_build_folder(self):
        self.assertEqual(self.pe.time_stamp, 0)
        self.assertEqual(self.pe.directory_time_stamp(), 0)
        exe = self.files["quorvel.exe"]
        for encoding in ("utf-8", "utf-16-le"):
            self.assertNotIn(str(winebox.REPO).encode(encoding), exe)


class ReleaseUnderWineTest(bar_case.BarCase):
    """The zip unpacked into a folder with a Japanese name, as a user unpacks it."""

    def setUp(self):
        super().setUp()
        self.folder = self.workdir / "ダウンロード" / f"quorvel-{VERSION}"
        with zipfile.ZipFile(release_zip(self)) as archive:
            archive.extractall(self.folder)

    def test_unzipped_program_starts_and_keeps_its_settings_beside_it(self):
        # A double-click in Explorer starts the program in its own folder.
        self.start_bar(cwd=self.folder, exe=self.folder / "quorvel.exe")
        self.wait_for_open_bar()
        self.session.screenshot("unzipped-bar")
        self.assertTrue((self.folder / "UsrData" / f"{self.user}sl.dat").is_file())

    def test_notepad_shows_the_readme_as_written(self):
        readme = self.folder / dist.README_NAME
        self.session.launch("notepad", [bar_case.windows_path(readme)])
        self.assertIsNotNone(self.session.wait_for_window("Notepad"), "Notepad did not open")
        expected = readme.read_bytes().decode("utf-8").lstrip("\ufeff").replace("\r\n", "\n")
        shown = ""

        def read_in():
            # Notepad may show its window before it has read the file.
            nonlocal shown
            shown = self.session.probe("controls", "Notepad")[1].replace("\r\n", "\n")
            return "\tQuorvel" in shown

        winebox.wait_until(read_in, 20, 0.5)
        self.session.screenshot("readme")
        # The edit box's text follows the control's fields; a byte order mark shown as a
        # character, or text read in another code page, would not match.
        self.assertIn("\t" + expected.rstrip("\n"), shown)
        self.session.probe("close", "Notepad")


if __name__ == "__main__":
    unittest.main()
