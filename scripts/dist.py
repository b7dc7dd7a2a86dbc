#!/usr/bin/env python3
"""The release: dist/quorvel-<version>-windows-x64.zip and dist/SHA256SUMS beside it.

  scripts/dist.py build              build quorvel.exe (build/dist), package it, check the zip
  scripts/dist.py package EXE DIR    package an exe that is already built into DIR
  scripts/dist.py check              build the release twice, from clean clones of the current
                                     commit in two different folders, and compare the zips

The zip holds quorvel.exe, お読みください.txt (the user part of README.md) and LICENSE. It is
the same, byte for byte, for the same commit: every entry carries the commit's time
(SOURCE_DATE_EPOCH when set), the entries come in a fixed order with fixed attributes, and the
exe itself is built without time stamps or build paths (CMakeLists.txt).
"""

import hashlib
import os
import pathlib
import re
import shutil
import subprocess
import sys
import tempfile
import time
import zipfile

REPO = pathlib.Path(__file__).resolve().parents[1]
JOBS = os.environ.get("JOBS", "2")

README_NAME = "お読みください.txt"
USER_PART_START = "<!-- お読みください.txt: start -->"
USER_PART_END = "<!-- お読みください.txt: end -->"
# A zip entry's time has no zone; the commit's time is written as UTC wherever it is built.
DOS_EPOCH = 315532800  # 1980-01-01, the earliest time a zip entry can carry


def project_version(repo=REPO):
    text = (repo / "CMakeLists.txt").read_text(encoding="utf-8")
    match = re.search(r"project\(\s*quorvel\s+VERSION\s+([0-9.]+)", text)
    if not match:
        raise SystemExit("dist: no project version in CMakeLists.txt")
    return match.group(1)


def zip_name(version):
    return f"quorvel-{version}-windows-x64.zip"


def source_date_epoch(repo=REPO):
    if os.environ.get("SOURCE_DATE_EPOCH"):
        return int(os.environ["SOURCE_DATE_EPOCH"])
    result = subprocess.run(["git", "-C", str(repo), "log", "-1", "--format=%ct"],
                            capture_output=True, text=True)
    if result.returncode != 0 or not result.stdout.strip():
        raise SystemExit("dist: not a git checkout; set SOURCE_DATE_EPOCH to the release's time")
    return int(result.stdout.strip())


def readme_text(version, repo=REPO):
    """The user part of README.md as a plain text file for Notepad.

    UTF-8 with a byte order mark: every Notepad, Wine's included, reads such a file as UTF-8
    whatever the system's code page, while older ones read a file without the mark in the
    system's code page (and Shift-JIS text would be garbage on a Windows that is not
    Japanese). CRLF line ends, which older Notepads need to break the lines at all.
    """
    readme = (repo / "README.md").read_text(encoding="utf-8")
    start = readme.find(USER_PART_START)
    end = readme.find(USER_PART_END)
    if start < 0 or end < start:
        raise SystemExit(f"dist: README.md has no user part between {USER_PART_START} and "
                         f"{USER_PART_END}")
    lines = [f"Quorvel {version}", ""]
    for line in readme[start + len(USER_PART_START):end].strip("\n").split("\n"):
        line = line.replace("`", "")
        if line.startswith("#"):
            line = "■ " + line.lstrip("#").strip()
        else:
            line = re.sub(r"^(\s*)- ", r"\1・", line)
        lines.append(line.rstrip())
    return "\ufeff" + "\r\n".join(lines) + "\r\n"


def licence_text(repo=REPO):
    text = (repo / "LICENSE").read_text(encoding="utf-8")
    return text.replace("\r\n", "\n").replace("\n", "\r\n")


def _entry(name, when):
    info = zipfile.ZipInfo(name, time.gmtime(max(when, DOS_EPOCH))[:6])
    info.compress_type = zipfile.ZIP_DEFLATED
    # Unix attributes (a plain file, rw-r--r--), which every unzipper understands: Debian's
    # unzip garbles a UTF-8 name in an entry that says it comes from MS-DOS.
    info.create_system = 3
    info.external_attr = 0o100644 << 16
    return info


def package(exe, out_dir, repo=REPO):
    """Writes the zip and SHA256SUMS into out_dir; returns the zip's path."""
    version = project_version(repo)
    when = source_date_epoch(repo)
    out_dir = pathlib.Path(out_dir)
    out_dir.mkdir(parents=True, exist_ok=True)
    for old in [*out_dir.glob("quorvel-*-windows-x64.zip"), out_dir / "SHA256SUMS"]:
        old.unlink(missing_ok=True)
    path = out_dir / zip_name(version)
    entries = [
        ("quorvel.exe", pathlib.Path(exe).read_bytes()),
        (README_NAME, readme_text(version, repo).encode("utf-8")),
        ("LICENSE", licence_text(repo).encode("utf-8")),
    ]
    with zipfile.ZipFile(path, "w") as archive:
        for name, data in entries:
            # A name outside ASCII is stored as UTF-8 with the zip's UTF-8 flag set.
            archive.writestr(_entry(name, when), data, compresslevel=9)
    digest = hashlib.sha256(path.read_bytes()).hexdigest()
    (out_dir / "SHA256SUMS").write_text(f"{digest}  {path.name}\n", encoding="ascii")
    return path


def run(*command, cwd=REPO, env=None):
    print("+", " ".join(str(part) for part in command), flush=True)
    subprocess.run([str(part) for part in command], cwd=cwd, env=env, check=True)


def build():
    build_dir = REPO / "build" / "dist"
    run("cmake", "-S", REPO, "-B", build_dir,
        f"-DCMAKE_TOOLCHAIN_FILE={REPO / 'cmake' / 'mingw-w64-x86_64.cmake'}",
        "-DCMAKE_BUILD_TYPE=Release", "-DQUORVEL_TESTS=OFF")
    run("cmake", "--build", build_dir, f"-j{JOBS}", "--target", "quorvel")
    path = package(build_dir / "src" / "app" / "quorvel.exe", REPO / "dist")
    env = dict(os.environ, QUORVEL_DIST_ZIP=str(path))
    run(sys.executable, "-m", "unittest", "-v", "test_release.ReleaseZipTest",
        cwd=REPO / "tests" / "e2e", env=env)
    print((REPO / "dist" / "SHA256SUMS").read_text(), end="")


def _differences(first, second):
    """Which entries of two zips differ, for a failed comparison."""
    with zipfile.ZipFile(first) as a, zipfile.ZipFile(second) as b:
        notes = []
        for info in a.infolist():
            try:
                other = b.getinfo(info.filename)
            except KeyError:
                notes.append(f"{info.filename}: only in the first")
                continue
            if (info.date_time, info.external_attr) != (other.date_time, other.external_attr):
                notes.append(f"{info.filename}: dates or attributes differ")
            left, right = a.read(info), b.read(other)
            if left != right:
                at = next((i for i, (x, y) in enumerate(zip(left, right)) if x != y),
                          min(len(left), len(right)))
                notes.append(f"{info.filename}: contents differ from byte {at:#x}")
        return notes or ["the entries are the same; the zips' own records differ"]


def check():
    commit = subprocess.run(["git", "-C", str(REPO), "rev-parse", "HEAD"], check=True,
                            capture_output=True, text=True).stdout.strip()
    if subprocess.run(["git", "-C", str(REPO), "status", "--porcelain"], capture_output=True,
                      text=True).stdout.strip():
        print(f"dist-check: uncommitted changes are not part of the check; it builds {commit}")
    root = pathlib.Path(tempfile.mkdtemp(prefix="quorvel-dist-check-"))
    # Two folders of different depths and name lengths, so that a recorded path would show.
    folders = [root / "one" / "quorvel", root / "second-build" / "in" / "another-folder" / "q"]
    zips = []
    for folder in folders:
        run("git", "clone", "--quiet", "--no-checkout", REPO, folder)
        run("git", "-C", folder, "checkout", "--quiet", "--detach", commit)
        env = {k: v for k, v in os.environ.items() if k not in ("SOURCE_DATE_EPOCH", "MAKEFLAGS",
                                                                "MAKELEVEL", "MFLAGS")}
        run("make", "dist", f"JOBS={JOBS}", cwd=folder, env=env)
        found = sorted((folder / "dist").glob("quorvel-*-windows-x64.zip"))
        if len(found) != 1:
            raise SystemExit(f"dist-check: {folder / 'dist'} holds {len(found)} release zips")
        zips.append(found[0])
    hashes = [hashlib.sha256(path.read_bytes()).hexdigest() for path in zips]
    for path, digest in zip(zips, hashes):
        print(f"{digest}  {path}")
    if hashes[0] != hashes[1]:
        for note in _differences(*zips):
            print("dist-check:", note)
        print(f"dist-check: FAILED, the two builds of {commit} differ; both are kept in {root}")
        return 1
    print(f"dist-check: the two builds of {commit} are byte-identical")
    shutil.rmtree(root)
    return 0


def main(argv):
    if argv[1:2] == ["build"]:
        build()
        return 0
    if argv[1:2] == ["package"] and len(argv) == 4:
        print(package(argv[2], argv[3]))
        return 0
    if argv[1:2] == ["check"]:
        return check()
    print(__doc__, file=sys.stderr)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))
