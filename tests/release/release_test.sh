#!/usr/bin/env bash
# The download as a Windows user gets it. scripts/release on the Windows build of this
# tree and on a fresh build of its own give the same zip byte for byte (two builds of the
# same tree); every member's name carries the UTF-8 flag; the executables
# import only DLLs that Windows has. Unpacked into a folder whose path holds Chinese
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

"$src/scripts/release" --build "$windows" --out "$work/a"
"$src/scripts/release" --build "$work/build" --out "$work/b"
zip=$(ls "$work"/a/Lumaset-*-win64.zip)
name=$(basename "$zip")
version=${name#Lumaset-}
version=${version%-win64.zip}
cmp "$zip" "$work/b/$name" || fail "two builds of the same tree gave different zips ($(cmp "$zip" "$work/b/$name"))"
echo "ok: $name is reproducible, $(stat -c %s "$zip") bytes"

/usr/bin/python3 - "$zip" <<'PY'
import sys
import zipfile

z = zipfile.ZipFile(sys.argv[1])
names = z.namelist()
need = ["lumaset.exe", "lumaset-cli.exe", "使用说明.txt", "LICENSE.txt", "模板/info.ini", "模板/主题制作说明.txt",
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
