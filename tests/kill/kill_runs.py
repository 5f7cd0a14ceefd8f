#!/usr/bin/env python3
"""Kills the command line at random moments of applies on a host with packs of some MiB, a
fixed number of times, and checks after each kill what the host's user would see: the
index decodes and every image it names lies inside its pack and is a PNG, and the language
file still begins with its backed-up bytes. At the end one run more leaves no temporary
file, and an apply and "[默认]" give the bytes they give on an untouched host.
Then it kills refreshes of a themed host whose record was lost (every other one after an
update of the language file), each followed by a whole refresh and "[默认]": the host
gets its own bytes back (or the update's), and no backup file holds a byte of a theme.
Usage: kill_runs.py NATIVE_BUILD_DIR STUB_DIR [RUNS [REFRESH_RUNS]]"""
import hashlib
import os
import random
import shutil
import signal
import struct
import subprocess
import sys
import tempfile
import time

PACKS = ["PSIconsLowRes.dat", "PSIconsHighRes.dat", "PSIconsXLowRes.dat", "PSIconsXHighRes.dat"]
HEADER, RECORD = 546, 368
PNG = b"\x89PNG\r\n\x1a\n"


def fail(text):
    print("FAIL: " + text)
    sys.exit(1)


def broken_image(resources):
    """The first image the index names that is not inside its pack as a PNG, or None."""
    with open(os.path.join(resources, "IconResources.idx"), "rb") as f:
        index = f.read()
    if len(index) < HEADER or (len(index) - HEADER) % RECORD:
        return "the index does not decode (%d bytes)" % len(index)
    packs = []
    for name in PACKS:
        with open(os.path.join(resources, name), "rb") as f:
            packs.append(f.read())
    for n in range((len(index) - HEADER) // RECORD):
        record = index[HEADER + n * RECORD: HEADER + (n + 1) * RECORD]
        for slot, pack in enumerate(packs):
            offset, = struct.unpack_from("<i", record, 112 + 32 * slot)
            length, = struct.unpack_from("<i", record, 240 + 32 * slot)
            if length <= 0:
                continue
            if offset < 0 or offset + length > len(pack) or pack[offset:offset + 8] != PNG:
                return "%s, record %d: %d+%d of %d" % (PACKS[slot], n + 1, offset, length, len(pack))
    return None


def digest(paths):
    out = {}
    for path in paths:
        with open(path, "rb") as f:
            out[os.path.basename(path)] = hashlib.sha256(f.read()).hexdigest()
    return out


def leftovers(folders):
    found = []
    for folder in folders:
        for name in os.listdir(folder):
            if name.startswith(".") and ".lumaset-" in name:
                found.append(os.path.join(folder, name))
    return found


def read(path):
    with open(path, "rb") as f:
        return f.read()


def run_until(process, moment):
    """Waits until `moment` seconds after now, or less when the process ends first: then
    how long it ran, to the nearest few milliseconds; None when it still runs."""
    started = time.monotonic()
    while time.monotonic() - started < moment:
        if process.poll() is not None:
            return time.monotonic() - started
        time.sleep(0.005)
    return None


def kill_refreshes(cli_run, command, files, language, host, remove_records, runs):
    """Refreshes killed at random moments on a themed host without its record."""
    backups = {os.path.basename(p): os.path.join(host, "Resources", "lumaset_BAK", os.path.basename(p))
               for p in files[:-1]}
    backups["language"] = os.path.join(host, "Locales_BAK", "lumaset_BAK", os.path.basename(language))
    original = {os.path.basename(p): read(p) for p in files[:-1]}
    original["language"] = read(language)

    def themed_without_record(update):
        cli_run("apply", "Aurora", "--hide-text", "on")
        remove_records()
        if update:  # an update replaces the language file: the original's lines and one more
            original["language"] += ("\r\n\"$$$/Update/Run%d=新\"" % run).encode("utf-16-le")
            with open(language, "wb") as f:
                f.write(original["language"])

    def timed_refresh():
        started = time.monotonic()
        cli_run("backup", "--refresh")
        return max(time.monotonic() - started, 0.02)

    # A refresh's time is the shortest of three whole ones: a slow refresh on a busy
    # machine would otherwise put most kills after the end of the run.
    run = -1
    durations = []
    for _ in range(3):
        themed_without_record(False)
        durations.append(timed_refresh())
        cli_run("apply", "[默认]")
    typical = min(durations)
    kills = 0
    for run in range(runs):
        themed_without_record(run % 2 == 1)
        process = subprocess.Popen(command + ["backup", "--refresh"], stdout=subprocess.DEVNULL,
                                   stderr=subprocess.DEVNULL)
        ended = run_until(process, random.uniform(0, typical * 1.5))
        if ended is None and process.poll() is None:
            process.send_signal(signal.SIGKILL)
            kills += 1
        elif ended is not None:
            # The machine grew less busy than when the refresh was timed: later kills aim
            # within the time a refresh takes now.
            typical = min(typical, max(ended, 0.02))
        process.wait()
        cli_run("backup", "--refresh")
        cli_run("apply", "[默认]")
        for name, path in backups.items():
            if read(path) != original[name]:
                fail("refresh run %d: the backup of %s holds other bytes than the host's own" % (run, name))
        now = {os.path.basename(p): read(p) for p in files[:-1]}
        now["language"] = read(language)
        for name in original:
            if now[name] != original[name]:
                fail("refresh run %d: [默认] leaves %s with other bytes than the host's own" % (run, name))
    print("refresh kills: %d runs, %d killed while running (a refresh takes %.0f ms), host and backup sound after "
          "each" % (runs, kills, typical * 1000))
    if kills < runs // 3:
        fail("too few refreshes were killed while running (%d of %d)" % (kills, runs))


def main():
    native, stubs = sys.argv[1], sys.argv[2]
    runs = int(sys.argv[3]) if len(sys.argv) > 3 else 60
    cli = os.path.join(native, "lumaset-cli")
    work = tempfile.mkdtemp(prefix="lumaset-kill-")
    try:
        home = os.path.join(work, "home")
        shutil.copytree(os.path.join(native, "LumasetTheme"), os.path.join(home, "LumasetTheme"))
        pristine = os.path.join(work, "pristine")
        subprocess.run([os.path.join(native, "make-sample-host"), pristine, "--stub",
                        os.path.join(stubs, "v16.1.2", "Photoshop.exe"), "--pad-mib", "6,12,3,20"],
                       check=True, stdout=subprocess.DEVNULL)
        host = os.path.join(work, "PS")
        resources = os.path.join(host, "Resources")
        language = os.path.join(host, "Locales", "zh_CN", "Support Files", "tw10428.dat")
        files = [os.path.join(resources, n) for n in ["IconResources.idx"] + PACKS] + [language]
        work_folders = [resources, os.path.dirname(language)]

        def cli_run(*args, check=True):
            result = subprocess.run([cli, "--home", home] + list(args), capture_output=True, text=True)
            if check and result.returncode != 0:
                fail("lumaset-cli %s exited %d: %s" % (" ".join(args), result.returncode, result.stdout + result.stderr))

        def fresh_host():
            shutil.rmtree(host, ignore_errors=True)
            shutil.copytree(pristine, host)
            cli_run("locate", os.path.join(host, "Photoshop.exe"))

        # What an apply and "[默认]" give on an untouched host.
        fresh_host()
        untouched = digest(files)
        cli_run("apply", "Aurora", "--hide-text", "on")
        aurora = digest(files)
        cli_run("apply", "[默认]")
        if digest(files) != untouched:
            fail("[默认] does not give the host back")

        random.seed(20261208)
        entries = [("Aurora", "on"), ("Sunset", "off"), ("[默认]", "off"), ("墨竹", "on")]
        records = [os.path.join(resources, "lumaset_BAK", "lumaset.record"),
                   os.path.join(host, "Locales_BAK", "lumaset_BAK", "lumaset.record")]

        def remove_records():
            for record in records:
                if os.path.exists(record):
                    os.remove(record)

        def timed_apply():
            started = time.monotonic()
            cli_run("apply", "Sunset")
            return max(time.monotonic() - started, 0.02)

        proven = timed_apply()  # the packs are cut back
        remove_records()
        full = timed_apply()  # without the record every pack is judged by its bytes
        kills = 0
        for run in range(runs):
            entry, hide = random.choice(entries)
            typical = proven
            if run % 4 == 3:
                remove_records()  # this run judges every file by its bytes
                typical = full
            process = subprocess.Popen([cli, "--home", home, "apply", entry, "--hide-text", hide],
                                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            time.sleep(random.uniform(0, typical * 1.5))
            if process.poll() is None:
                process.send_signal(signal.SIGKILL)
                kills += 1
            process.wait()
            problem = broken_image(resources)
            if problem:
                fail("run %d (%s) left a broken image: %s" % (run, entry, problem))
            with open(language, "rb") as f, open(os.path.join(host, "Locales_BAK", "lumaset_BAK",
                                                               "tw10428.dat"), "rb") as b:
                if not f.read().startswith(b.read()):
                    fail("run %d (%s) left a language file that lost its own lines" % (run, entry))
        cli_run("apply", "Aurora", "--hide-text", "on")
        backup_folders = [os.path.join(resources, "lumaset_BAK"),
                          os.path.join(host, "Locales_BAK", "lumaset_BAK")]
        if leftovers(work_folders + backup_folders):
            fail("temporary files left after a whole run: %s" % leftovers(work_folders + backup_folders))
        if digest(files) != aurora:
            fail("an apply after the kills gives other bytes than on an untouched host")
        cli_run("apply", "[默认]")
        if digest(files) != untouched:
            fail("[默认] after the kills does not give the host back")
        print("kill runs: %d runs, %d killed while running (applies take %.0f ms, %.0f ms without the record), "
              "host sound after each" % (runs, kills, proven * 1000, full * 1000))
        if kills < runs // 2:
            fail("too few runs were killed while running (%d of %d)" % (kills, runs))
        kill_refreshes(cli_run, [cli, "--home", home], files, language, host, remove_records,
                       int(sys.argv[4]) if len(sys.argv) > 4 else 30)
    finally:
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
