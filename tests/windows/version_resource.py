#!/usr/bin/python3
"""The version resources of the shipped executables carry the project's version.

Usage: version_resource.py VERSION EXE...
Reads each executable's VS_VERSIONINFO with pefile and fails unless FileVersion and
ProductVersion are VERSION, the fixed file and product versions are its numbers, and
ProductName, FileDescription, CompanyName, LegalCopyright and OriginalFilename are set
(the last the executable's own file name).
"""
import os
import sys

import pefile


def strings_of(pe):
    table = {}
    for info in getattr(pe, "FileInfo", []) or []:
        for entry in info:
            for st in getattr(entry, "StringTable", []) or []:
                for key, value in st.entries.items():
                    table[key.decode()] = value.decode()
    return table


def main():
    version, exes = sys.argv[1], sys.argv[2:]
    numbers = [int(n) for n in version.split(".")] + [0]
    failures = 0
    for exe in exes:
        pe = pefile.PE(exe)
        strings = strings_of(pe)
        fixed = pe.VS_FIXEDFILEINFO[0]
        got = [fixed.FileVersionMS >> 16, fixed.FileVersionMS & 0xFFFF, fixed.FileVersionLS >> 16,
               fixed.FileVersionLS & 0xFFFF]
        problems = []
        for key in ("FileVersion", "ProductVersion"):
            if strings.get(key) != version:
                problems.append(f"{key} is {strings.get(key)!r}, not {version!r}")
        if got != numbers[:4]:
            problems.append(f"the fixed file version is {got}, not {numbers[:4]}")
        if strings.get("ProductName") != "Lumaset":
            problems.append(f"ProductName is {strings.get('ProductName')!r}")
        if strings.get("OriginalFilename") != os.path.basename(exe):
            problems.append(f"OriginalFilename is {strings.get('OriginalFilename')!r}")
        for key in ("FileDescription", "CompanyName", "LegalCopyright"):
            if not strings.get(key):
                problems.append(f"no {key}")
        for p in problems:
            print(f"FAIL: {os.path.basename(exe)}: {p}")
        if not problems:
            print(f"ok: {os.path.basename(exe)} {version}: {strings.get('FileDescription')}")
        failures += len(problems)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
