#!/usr/bin/env bash
# The download as a Windows user gets it. Two builds of the same tree give the same zip
# byte for byte: the zip holds the files' names and bytes only (make-zip), and the
# programs hold nothing of the time or the folder of their build: no time stamp in their
# headers, no path of the tree, and a second link of the same objects, later and into
# another folder, gives the same bytes (the compiler refuses __DATE__ and __TIME__, and
# stripping leaves no debug paths); scripts/release run twice gives the same zip. Every
# member's name carries the UTF-8 flag; the executables import only DLLs that Windows has. Unpacked into a folder whose path holds Chinese
# characters and spaces, with a fresh wine prefix, lumaset-cli.exe locates a sample host,
# applies a theme and "[默认]" (every byte checked), and lumaset.exe opens its windows.
# Usage: release_test.sh SOURCE_DIR WINDOWS_BUILD_DIR GUI_DRIVER.EXE NATIVE_BUILD_DIR STUB_DIR OBJDUMP
set -euo pipefail
src=$1 windows=$2 driver=$3 native=$4 stubs=$5 objdump=$6
work=$(mktemp -d)
# The fresh prefix's wine server may still write into it: it goes down before the folder.
cleanup() {
  if [ -d "$work/prefix" ]; then
    WINEPREFIX="$work/prefix" wineserver -k 2>/dev/null && WINEPREFIX="$work/prefix" wineserver -w 2>/dev/null
  fi
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
winpath() { printf 'Z:%s' "${1//\//\\}"; }

"$src/scripts/release" --build "$windows" --out "$work/a" --zip-tool "$native/make-zip"
zip=$(ls "$work"/a/Lumaset-*-win64.zip)
name=$(basename "$zip")
version=${name#Lumaset-}
version=${version%-win64.zip}

# The link of each program again, from the build folder into the work folder.
mkdir "$work/relink"
for program in lumaset lumaset-cli; do
  line=$(tail -1 "$windows/CMakeFiles/$program.dir/link.txt")
  again=${line/ -o $program.exe / -o $work/relink/$program.exe }
  again=${again/--out-implib,lib$program.dll.a/--out-implib,$work/relink/lib$program.dll.a}
  [ "$again" != "$line" ] || fail "no output to move in the link of $program: $line"
  (cd "$windows" && eval "$again") || fail "the second link of $program"
  cmp "$windows/$program.exe" "$work/relink/$program.exe" ||
    fail "a second link of $program.exe gave other bytes ($(cmp "$windows/$program.exe" "$work/relink/$program.exe"))"
done
/usr/bin/python3 - "$src" "$windows" "$windows/lumaset.exe" "$windows/lumaset-cli.exe" <<'PY'
import sys
import pefile

tree = [p.encode() for p in sys.argv[1:3]] + [p.replace("/", "\\").encode() for p in sys.argv[1:3]]
for path in sys.argv[3:]:
    pe = pefile.PE(path)
    stamps = {"header": pe.FILE_HEADER.TimeDateStamp}
    folders = [pe.DIRECTORY_ENTRY_RESOURCE] if hasattr(pe, "DIRECTORY_ENTRY_RESOURCE") else []
    while folders:
        folder = folders.pop()
        stamps["resources"] = stamps.get("resources", 0) | folder.struct.TimeDateStamp
        folders += [e.directory for e in folder.entries if hasattr(e, "directory")]
    for name in ("DIRECTORY_ENTRY_IMPORT", "DIRECTORY_ENTRY_DELAY_IMPORT", "DIRECTORY_ENTRY_DEBUG"):
        for entry in getattr(pe, name, []):
            struct = entry.struct
            stamps[name] = stamps.get(name, 0) | getattr(struct, "TimeDateStamp", 0) | getattr(struct, "dwTimeStamp", 0)
    if hasattr(pe, "DIRECTORY_ENTRY_EXPORT"):
        stamps["export"] = pe.DIRECTORY_ENTRY_EXPORT.struct.TimeDateStamp
    stamped = {k: hex(v) for k, v in stamps.items() if v}
    data = open(path, "rb").read()
    paths = [p.decode() for p in tree if p in data]
    if stamped or paths:
        print("FAIL: %s holds time stamps %s and paths of the build %s" % (path, stamped, paths))
        sys.exit(1)
print("ok: no time stamp and no path of the build in the programs")
PY
"$src/scripts/release" --build "$windows" --out "$work/b" --zip-tool "$native/make-zip"
cmp "$zip" "$work/b/$name" || fail "two runs of scripts/release gave different zips ($(cmp "$zip" "$work/b/$name"))"
echo "ok: $name is reproducible, $(stat -c %s "$zip") bytes"

/usr/bin/python3 - "$zip" <<'PY'
import sys
import zipfile

z = zipfile.ZipFile(sys.argv[1])
names = z.namelist()
need = ["lumaset.exe", "lumaset-cli.exe", "使用说明.txt", "Guide.txt", "LICENSE.txt", "模板/info.ini", "模板/主题制作说明.txt",
        "LumasetTheme/墨竹/info.ini", "LumasetTheme/Aurora/loading_low.png"]
missing = [n for n in need if n not in names]
unflagged = [i.filename for i in z.infolist() if not i.flag_bits & 0x800]
if missing or unflagged:
    print("FAIL: missing", missing, "; without the UTF-8 flag", unflagged)
    sys.exit(1)
print("ok: %d members, every name flagged UTF-8" % len(names))
PY

dest="$work/下载 的文件/Lumaset $version"
mkdir -p "$dest"
bsdtar -xf "$zip" -C "$dest"
/usr/bin/python3 "$src/tests/windows/imports_and_manifests.py" "$src/tests/windows/known_dlls.sh" "$dest/lumaset.exe" \
  "$dest/lumaset-cli.exe"

host="$work/Adobe Photoshop CC 2015"
"$native/make-sample-host" "$host" --stub "$stubs/v16.1.2/Photoshop.exe" >/dev/null
res=$host/Resources
language=$host/Locales/zh_CN/Support\ Files/tw10428.dat
files=("$res/IconResources.idx" "$res/PSIconsLowRes.dat" "$res/PSIconsHighRes.dat" "$res/PSIconsXLowRes.dat"
       "$res/PSIconsXHighRes.dat" "$language")
mkdir -p "$work/original"
for f in "${files[@]}"; do cp "$f" "$work/original/$(basename "$f")"; done

export LUMASET_WINEPREFIX="$work/prefix"  # a fresh one, as a new user has
cli() { "$src/scripts/wine-run" "$dest/lumaset-cli.exe" "$@" 2> >(grep -v 'X connection' >&2); }
cli --version | grep -q "^lumaset-cli $version" || fail "lumaset-cli.exe --version does not say $version"
cli locate "$(winpath "$host/Photoshop.exe")" >/dev/null || fail "locate"
cli apply 墨竹 >/dev/null || fail "apply 墨竹"
theme="$dest/LumasetTheme/墨竹"
cat "$res/lumaset_BAK/PSIconsLowRes.dat" "$theme/loading_low.png" "$theme/ico_dark_low.png" \
  "$theme/ico_light_low.png" >"$work/expected-low"
cmp "$res/PSIconsLowRes.dat" "$work/expected-low" || fail "the LowRes pack is not the backup plus 墨竹's images"
cmp "$res/lumaset_BAK/IconResources.idx" "$work/original/IconResources.idx" || fail "the backup is not the original"
grep -qa "L.u.m.a.s.e.t. .v.1...0" "$language" || fail "墨竹's startup text is not in the language file"
echo "ok: 墨竹 applied from the unpacked download"
cli apply "[默认]" >/dev/null || fail "apply [默认]"
for f in "${files[@]}"; do
  cmp "$f" "$work/original/$(basename "$f")" || fail "[默认] did not give back $(basename "$f")"
done
echo "ok: [默认] gave every file back byte for byte"

"$src/scripts/wine-run" "$driver" --three-windows "$(winpath "$dest/lumaset.exe")" 2> >(grep -v 'X connection' >&2)
[ -z "$(find "$dest" -newer "$zip" -name '*.lumaset-*' -print -quit)" ] || fail "work files left in the program folder"
echo "release: all checks passed"
