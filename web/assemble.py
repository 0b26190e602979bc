#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Assembles the web page as a static folder that any web server can serve,
and its zip: the page's files, the calculator as WebAssembly with its
loader, the icons, a service worker that keeps exactly these files for
offline use, the page once more as one file (kalvo.html) that opens from a
file, and the licence texts of everything compiled in. The same sources
give the same bytes: the cache's name is a hash of the files, and the zip
is packed as the Windows zip is.

Usage: assemble.py BUILD_DIR FOLDER ZIP VERSION"""
import base64
import hashlib
import json
import os
import shutil
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
REPO = os.path.dirname(HERE)
sys.dont_write_bytecode = True  # nothing written into the sources
sys.path.insert(0, os.path.join(REPO, "packaging", "windows"))
from pack import source_date_epoch, write_zip  # noqa: E402  (one way of packing a zip)

PAGE = os.path.join(HERE, "page")  # served as it is, but for the service worker's template
TEMPLATE = "sw.js.in"
BUILT = ["kalvo.js", "kalvo.wasm"]
SINGLE = "kalvo.html"  # the page in one file, which the worker does not keep
ICON_SIZES = [192, 512]
# Debian's record of the licences of emscripten's runtime, libc++, libc++abi,
# compiler-rt and musl, all of which the WebAssembly holds parts of.
EMSCRIPTEN_COPYRIGHT = "/usr/share/doc/emscripten/copyright"


def served_files(folder):
    return sorted(name for name in os.listdir(folder)
                  if name not in ("sw.js", SINGLE) and os.path.isfile(os.path.join(folder, name)))


def read(path):
    with open(path, encoding="utf-8") as text:
        return text.read()


def replaced(text, old, new):
    if old not in text:
        sys.exit(f"assemble.py: index.html has no {old!r}")
    return text.replace(old, new, 1)


def source_hash(text):
    return "'sha256-" + base64.b64encode(hashlib.sha256(text.encode()).digest()).decode() + "'"


def write_single_file(folder, build):
    """index.html with its style, the loader holding the WebAssembly, and
    page.js inside it, under a policy that allows exactly these."""
    style = read(os.path.join(PAGE, "kalvo.css"))
    scripts = [read(os.path.join(build, "kalvo-single.js")), read(os.path.join(PAGE, "page.js"))]
    if any("</script" in script.lower() for script in scripts):
        sys.exit("assemble.py: a script would end its own <script> element")
    with open(os.path.join(REPO, "packaging", "kalvo.svg"), "rb") as svg:
        icon = base64.b64encode(svg.read()).decode()
    policy = (f"default-src 'none'; script-src {' '.join(map(source_hash, scripts))} 'wasm-unsafe-eval'; "
              f"style-src {source_hash(style)}; img-src data:; object-src 'none'; base-uri 'none'")
    page = read(os.path.join(PAGE, "index.html"))
    page = replaced(page, "content=\"default-src 'self'; script-src 'self' 'wasm-unsafe-eval'; object-src 'none'; "
                          "base-uri 'none'\"", f'content="{policy}"')
    page = replaced(page, '<link rel="manifest" href="manifest.webmanifest">\n', "")
    page = replaced(page, 'href="kalvo.svg"', f'href="data:image/svg+xml;base64,{icon}"')
    page = replaced(page, '<link rel="apple-touch-icon" href="kalvo-192.png">\n', "")
    page = replaced(page, '<link rel="stylesheet" href="kalvo.css">', f"<style>{style}</style>")
    page = replaced(page, '<link rel="preload" href="kalvo.wasm" as="fetch" type="application/wasm" crossorigin>\n', "")
    page = replaced(page, '<script src="kalvo.js" defer></script>\n<script src="page.js" defer></script>\n', "")
    page = replaced(page, "</body>", "".join(f"<script>{script}</script>\n" for script in scripts) + "</body>")
    with open(os.path.join(folder, SINGLE), "w", encoding="utf-8", newline="\n") as out:
        out.write(page)


def write_service_worker(folder, version):
    files = served_files(folder)
    digest = hashlib.sha256()
    for name in files:
        with open(os.path.join(folder, name), "rb") as data:
            digest.update(name.encode() + b"\0" + data.read())
    text = read(os.path.join(PAGE, TEMPLATE))
    text = text.replace("@CACHE@", f"kalvo-{version}-{digest.hexdigest()[:16]}")
    text = text.replace("@FILES@", json.dumps(["./"] + files))
    with open(os.path.join(folder, "sw.js"), "w", encoding="utf-8", newline="\n") as out:
        out.write(text)


def add_licences(folder):
    licences = os.path.join(folder, "licenses")
    os.makedirs(licences)
    shutil.copyfile(os.path.join(REPO, "LICENSE"), os.path.join(licences, "kalvo.txt"))
    shutil.copyfile(EMSCRIPTEN_COPYRIGHT, os.path.join(licences, "emscripten.txt"))


def main():
    if len(sys.argv) != 5:
        sys.exit(__doc__)
    build, folder, zip_path, version = sys.argv[1:]
    shutil.rmtree(folder, ignore_errors=True)
    os.makedirs(folder)
    for name in sorted(os.listdir(PAGE)):
        if name != TEMPLATE:
            shutil.copyfile(os.path.join(PAGE, name), os.path.join(folder, name))
    for name in BUILT:
        shutil.copyfile(os.path.join(build, name), os.path.join(folder, name))
    icon = os.path.join(REPO, "packaging", "kalvo.svg")
    shutil.copyfile(icon, os.path.join(folder, "kalvo.svg"))
    for size in ICON_SIZES:
        subprocess.run(["rsvg-convert", "-w", str(size), "-h", str(size), "-o",
                        os.path.join(folder, f"kalvo-{size}.png"), icon], check=True)
    write_service_worker(folder, version)
    write_single_file(folder, build)
    add_licences(folder)
    write_zip(folder, zip_path, source_date_epoch())


if __name__ == "__main__":
    main()
