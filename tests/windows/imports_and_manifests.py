#!/usr/bin/python3
"""What the shipped executables take from Windows, read from the files themselves.

Usage: imports_and_manifests.py KNOWN_DLLS.sh EXE...
Each import table names only KnownDLLs (the list of known_dlls.sh): any other DLL is
looked for beside the program first, and the command line runs as administrator from a
folder the user may write. Wine supplies DLLs that Windows lacks and takes a planted one
only when told, so a run under wine proves neither: the tables are read. Each embedded
manifest (RT_MANIFEST) declares Windows 7, 8, 8.1 and 10/11 as supported; the window's
names version 6 of the common controls, which it loads at their first call. The command
line writes a console through WriteConsoleW and never changes the console's code pages,
which outlive it in the console of whoever ran it: it imports neither call that sets them.
"""
import re
import sys
import xml.etree.ElementTree as ElementTree

import pefile

SUPPORTED_OS = {
    "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}": "Windows 7",
    "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}": "Windows 8",
    "{1f676c76-80e1-4239-95bb-83d0f6d0da78}": "Windows 8.1",
    "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}": "Windows 10 and 11",
}
RT_MANIFEST = 24


def known_dlls(script):
    text = open(script, encoding="utf-8").read()
    listed = re.search(r'known_dlls="([^"]*)"', text)
    return set(listed.group(1).split())


def manifest_of(pe):
    resources = getattr(pe, "DIRECTORY_ENTRY_RESOURCE", None)
    for kind in resources.entries if resources else []:
        if kind.id != RT_MANIFEST:
            continue
        for name in kind.directory.entries:
            for language in name.directory.entries:
                data = language.data.struct
                return pe.get_data(data.OffsetToData, data.Size)
    return None


def local(tag):
    return tag.rsplit("}", 1)[-1]


def check(exe, known):
    problems = []
    pe = pefile.PE(exe)
    imports = [entry.dll.decode().lower() for entry in getattr(pe, "DIRECTORY_ENTRY_IMPORT", [])]
    if "kernel32.dll" not in imports:
        problems.append("no import of kernel32.dll found: the import table was not read")
    problems += [f"imports {dll}, which is no KnownDLL" for dll in imports if dll not in known]
    if exe.lower().endswith("lumaset-cli.exe"):
        functions = {f.name.decode() for entry in getattr(pe, "DIRECTORY_ENTRY_IMPORT", []) for f in entry.imports
                     if f.name}
        problems += [f"imports {name}" for name in ("SetConsoleOutputCP", "SetConsoleCP") if name in functions]
        if "WriteConsoleW" not in functions:
            problems.append("does not import WriteConsoleW")
    manifest = manifest_of(pe)
    if manifest is None:
        return problems + ["no embedded manifest"]
    root = ElementTree.fromstring(manifest)
    declared = {e.get("Id", "").lower() for e in root.iter() if local(e.tag) == "supportedOS"}
    problems += [f"the manifest does not declare {name}" for guid, name in SUPPORTED_OS.items()
                 if guid not in declared]
    if exe.lower().endswith("lumaset.exe"):
        controls = [e for e in root.iter() if local(e.tag) == "assemblyIdentity"
                    and e.get("name") == "Microsoft.Windows.Common-Controls" and e.get("version") == "6.0.0.0"]
        if not controls:
            problems.append("the manifest does not name version 6 of the common controls")
    print(f"{exe}: {' '.join(sorted(imports))}; {len(declared)} supported systems")
    return problems


def main():
    known = known_dlls(sys.argv[1])
    failures = 0
    for exe in sys.argv[2:]:
        for problem in check(exe, known):
            print(f"FAIL {exe}: {problem}")
            failures += 1
    print(f"{len(sys.argv) - 2} executables, {failures} problems")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
