#!/usr/bin/env python3
"""Kills the command line at random moments of imports, a fixed number of times, and checks
after each kill what the theme list shows: every theme it lists is whole, the old one or
the new one, never a mix or a part. The imports alternate between a dropped folder and a
package, each either new to the library or merged over the theme of its name. After the
kills one whole import leaves the new theme and no work folder behind.
Usage: kill_imports.py NATIVE_BUILD_DIR RUNS"""
import os
import random
import shutil
import signal
import struct
import subprocess
import sys
import tempfile
import time
import zipfile
import zlib

IMAGES = ["loading_low", "loading_high", "ico_dark_low", "ico_dark_high", "ico_light_low", "ico_light_high"]


def fail(text):
    print("FAIL: " + text)
    sys.exit(1)


def png_holding(data):
    """A PNG whose image data is `data`: sound in structure, which is what the import
    checks, whatever its pixels."""
    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))
    header = chunk(b"IHDR", struct.pack(">IIBBBBB", 64, 64, 8, 6, 0, 0, 0))
    return b"\x89PNG\r\n\x1a\n" + header + chunk(b"IDAT", data) + chunk(b"IEND", b"")


def theme_files(version, sub_files):
    """A theme's files by relative name: six images and a subfolder of many small files."""
    rng = random.Random(version)
    files = {"info.ini": ("[Lumaset_theme]\r\ninfo=%s\r\n" % version).encode()}
    for image in IMAGES:
        files[image + ".png"] = png_holding(rng.randbytes(200 << 10))
    for n in range(sub_files):
        files["sub/%03d.png" % n] = rng.randbytes(8 << 10)
    return files


def write_folder(folder, files):
    shutil.rmtree(folder, ignore_errors=True)
    for name, data in files.items():
        path = os.path.join(folder, name)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(data)


def read_folder(folder):
    out = {}
    for root, _, names in os.walk(folder):
        for n in names:
            path = os.path.join(root, n)
            with open(path, "rb") as f:
                out[os.path.relpath(path, folder)] = f.read()
    return out


def set_aside(library, item, old):
    """Whether a kill between the two renames of a replacement left the old theme aside,
    noted for the next import to put back."""
    try:
        with open(os.path.join(library, ".lumaset-replacing"), encoding="utf-8") as f:
            name, aside = f.read().split("\n")[:2]
    except OSError:
        return False
    return name == item and read_folder(os.path.join(library, aside)) == old


def main():
    native, runs = sys.argv[1], int(sys.argv[2])
    cli = os.path.join(native, "lumaset-cli")
    work = tempfile.mkdtemp(prefix="lumaset-kill-imports-")
    try:
        home = os.path.join(work, "home")
        library = os.path.join(home, "LumasetTheme")
        os.makedirs(home)
        old, new = theme_files("old", 150), theme_files("new", 300)
        write_folder(os.path.join(work, "drop", "Ink"), new)
        with zipfile.ZipFile(os.path.join(work, "drop", "Rose.zip"), "w", zipfile.ZIP_STORED) as z:
            for name, data in new.items():
                z.writestr(name, data)
        items = {"Ink": os.path.join(work, "drop", "Ink"), "Rose": os.path.join(work, "drop", "Rose.zip")}
        command = lambda item: [cli, "--home", home, "import", items[item], "--replace"]
        start = time.monotonic()
        subprocess.run(command("Ink"), check=True, stdout=subprocess.DEVNULL)
        whole = time.monotonic() - start
        rng = random.Random(20)
        finished = 0
        for run in range(runs):
            item = "Ink" if run % 2 == 0 else "Rose"
            over = run % 4 >= 2  # merged over an older theme of the name
            shutil.rmtree(os.path.join(library, item), ignore_errors=True)
            if over:
                write_folder(os.path.join(library, item), old)
            process = subprocess.Popen(command(item), stdout=subprocess.DEVNULL)
            time.sleep(rng.uniform(0, whole * 1.2))
            process.send_signal(signal.SIGKILL)
            process.wait()
            listed = subprocess.run([cli, "--home", home, "themes"], check=True, capture_output=True,
                                    text=True).stdout.split("\n")
            folder = os.path.join(library, item)
            if item in listed:
                have = read_folder(folder)
                if have != new and have != (old if over else None):
                    fail("run %d: %s is listed with %d of its files" % (run, item, len(have)))
                finished += have == new
            elif over and not set_aside(library, item, old):
                fail("run %d: the older %s is no longer listed, nor set aside" % (run, item))
        if finished == runs:
            fail("no kill landed before an import ended: the runs checked nothing")
        subprocess.run(command("Rose"), check=True, stdout=subprocess.DEVNULL)
        if read_folder(os.path.join(library, "Rose")) != new:
            fail("a whole import after the kills did not give the new theme")
        left = [n for n in os.listdir(library) if n.startswith(".lumaset-") and n != ".lumaset-library.lock"]
        if left:
            fail("left behind after a whole import: %s" % left)
        print("%d imports killed at random moments (%d had ended): every listed theme was whole" % (runs, finished))
    finally:
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
