#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Packs the Windows build as people get it: the portable folder (the
build's `cmake --install`, stripped, with every licence text), its zip, and
the installer made from the same files. The same sources give the same
bytes on any machine, in any folder, on any day: every date is
SOURCE_DATE_EPOCH (the last commit's where the caller sets none), every
list is sorted, and no local setting (time zone, locale, umask) is read.

Usage: pack.py portable BUILD_DIR FOLDER ZIP QT_SOURCE QT_SOURCE_VERSION VERSION
       pack.py installer FOLDER VERSION ICON COPYRIGHT SETUP_EXE
       pack.py date FILE   (FILE holds the date, rewritten only where it changed)"""
import datetime
import fnmatch
import os
import re
import shutil
import subprocess
import sys
import tempfile
import zipfile

HERE = os.path.dirname(os.path.abspath(__file__))
REPO = os.path.dirname(os.path.dirname(HERE))
STRIP = "x86_64-w64-mingw32-strip"


def source_date_epoch():
    if "SOURCE_DATE_EPOCH" in os.environ:
        return int(os.environ["SOURCE_DATE_EPOCH"])
    commit = subprocess.run(["git", "-C", REPO, "log", "-1", "--format=%ct"], capture_output=True, text=True)
    return int(commit.stdout.strip() or 0)


def write_date(path):
    date = f"{source_date_epoch()}\n"
    if os.path.exists(path):
        with open(path, encoding="utf-8") as old:
            if old.read() == date:
                return
    with open(path, "w", encoding="utf-8") as out:
        out.write(date)


def files_under(folder):
    """The folder's files, as sorted paths relative to it with / between."""
    found = []
    for top, dirs, names in os.walk(folder):
        dirs.sort()
        found += [os.path.relpath(os.path.join(top, name), folder).replace(os.sep, "/") for name in names]
    return sorted(found)


def licence_rows():
    """(shipped file or pattern, licence text in licenses/, where it is taken from)"""
    with open(os.path.join(HERE, "licenses.txt"), encoding="utf-8") as table:
        return [tuple(line.split()) for line in table if line.strip() and not line.startswith("#")]


def licence_source(origin, qt_source):
    kind, _, name = origin.partition(":")
    if kind == "repo":
        return os.path.join(REPO, name)
    if kind == "qt":
        return os.path.join(qt_source, name)
    return f"/usr/share/doc/{name}/copyright"


def crlf(text):
    return text.replace("\r\n", "\n").replace("\n", "\r\n")


def licence_index(rows, shipped):
    """Each shipped file with the texts that go with it, in the table's order."""
    index = {}
    for pattern, text, _ in rows:
        matches = [name for name in shipped if fnmatch.fnmatchcase(name, pattern)]
        if not matches:
            sys.exit(f"pack.py: licenses.txt names {pattern}, which matches no shipped file")
        for name in matches:
            index.setdefault(name, []).append(text)
    return index


def add_licences(folder, qt_source, qt_source_version, version):
    rows = licence_rows()
    index = licence_index(rows, set(files_under(folder)) | {"uninstall.exe"})
    for _, text, origin in rows:
        target = os.path.join(folder, "licenses", text)
        os.makedirs(os.path.dirname(target), exist_ok=True)
        shutil.copyfile(licence_source(origin, qt_source), target)
    lines = ["Which licence texts go with which file of Kalvotron for Windows:", ""]
    lines += [f"{name:32} {text}" for name in sorted(index) for text in index[name]]
    write_text(os.path.join(folder, "licenses", "index.txt"), "\n".join(lines) + "\n")

    with open(os.path.join(HERE, "LICENSE.txt.in"), encoding="utf-8") as template:
        text = template.read()
    with open(os.path.join(REPO, "LICENSE"), encoding="utf-8") as licence:
        kalvo_licence = licence.read()
    for key, value in {"VERSION": version, "KALVO_LICENSE": kalvo_licence, "QT_SOURCE_VERSION": qt_source_version,
                       "QT_VERSION": re.split(r"[+~-]", qt_source_version)[0]}.items():
        text = text.replace(f"@{key}@", value)
    if re.search(r"@[A-Z_]+@", text):
        sys.exit("pack.py: LICENSE.txt.in has a placeholder that nothing fills in")
    write_text(os.path.join(folder, "LICENSE.txt"), text)


def write_text(path, text):
    with open(path, "w", encoding="utf-8", newline="") as out:
        out.write(crlf(text))


def strip(folder):
    binaries = [os.path.join(folder, name) for name in files_under(folder) if name.endswith((".dll", ".exe"))]
    # The compiler's runtime and Qt come with their debugging symbols. -p
    # keeps each PE header's time stamp as linked (ours are 0): otherwise
    # strip writes the time of the day into it.
    subprocess.run([STRIP, "--preserve-dates", "--strip-unneeded", *binaries], check=True)


def write_zip(folder, path, epoch):
    """Sorted, dated SOURCE_DATE_EPOCH in UTC, with no owner, mode or extra field."""
    when = datetime.datetime.fromtimestamp(max(epoch, 315532800), datetime.timezone.utc).timetuple()[:6]
    top = os.path.basename(folder)
    with zipfile.ZipFile(path + ".part", "w") as archive:
        for name in files_under(folder):
            entry = zipfile.ZipInfo(f"{top}/{name}", date_time=when)
            entry.compress_type = zipfile.ZIP_DEFLATED
            entry.create_system = 0
            entry.external_attr = 0
            with open(os.path.join(folder, name), "rb") as data:
                archive.writestr(entry, data.read(), compresslevel=9)
    os.replace(path + ".part", path)


def portable(build, folder, zip_path, qt_source, qt_source_version, version):
    shutil.rmtree(folder, ignore_errors=True)
    subprocess.run(["cmake", "--install", build, "--prefix", folder], check=True, stdout=subprocess.DEVNULL)
    strip(folder)
    add_licences(folder, qt_source, qt_source_version, version)
    write_zip(folder, zip_path, source_date_epoch())


def windows_path(name):
    return name.replace("/", "\\")


def nsis_lists(folder, lists):
    """What the installer writes, and so exactly what the uninstaller removes:
    install.nsh, uninstall.nsh (the files) and folders.nsh (the folders,
    deepest first)."""
    files = files_under(folder)
    dirs = sorted({os.path.dirname(name) for name in files})
    install = []
    for directory in dirs:
        install.append(f'SetOutPath "$INSTDIR{windows_path("/" + directory if directory else "")}"')
        install += [f'File "{os.path.join(folder, name)}"' for name in files if os.path.dirname(name) == directory]
    uninstall = [f'Delete "$INSTDIR\\{windows_path(name)}"' for name in files]
    subdirs = sorted({"/".join(d.split("/")[:i + 1]) for d in dirs if d for i in range(d.count("/") + 1)})
    folders = [f'RMDir "$INSTDIR\\{windows_path(d)}"' for d in reversed(subdirs)]
    for name, lines in (("install.nsh", install), ("uninstall.nsh", uninstall), ("folders.nsh", folders)):
        with open(os.path.join(lists, name), "w", encoding="utf-8") as out:
            out.write("\n".join(lines) + "\n")


def installer(folder, version, icon, copyright_line, setup):
    folder, icon, setup = (os.path.abspath(path) for path in (folder, icon, setup))
    environment = dict(os.environ, SOURCE_DATE_EPOCH=str(source_date_epoch()), TZ="UTC", LC_ALL="C.UTF-8")
    with tempfile.TemporaryDirectory() as lists:
        nsis_lists(folder, lists)
        subprocess.run(["makensis", "-V2", "-INPUTCHARSET", "UTF8", f"-DVERSION={version}", f"-DICON={icon}",
                        f"-DFILES={lists}", f"-DCOPYRIGHT={copyright_line}", f"-DOUTFILE={setup}",
                        os.path.join(HERE, "installer.nsi")], check=True, env=environment)


def main():
    os.umask(0o022)
    if len(sys.argv) == 8 and sys.argv[1] == "portable":
        portable(*sys.argv[2:])
    elif len(sys.argv) == 7 and sys.argv[1] == "installer":
        installer(*sys.argv[2:])
    elif len(sys.argv) == 3 and sys.argv[1] == "date":
        write_date(sys.argv[2])
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main()
