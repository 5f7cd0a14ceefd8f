#!/usr/bin/env bash
# lumaset.exe end to end under wine: a prepared program folder on a sample host, worked
# by the driver through window messages; the screenshot it takes is kept as PNG in
# build/windows/screenshots.
# Usage: gui_e2e.sh LUMASET.EXE GUI-DRIVER.EXE NATIVE_BUILD_DIR STUB_DIR SOURCE_DIR
set -euo pipefail
exe=$1 driver=$2 native=$3 stubs=$4 source=$5
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=screenshots.sh
source "$here/screenshots.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
winpath() { printf 'Z:%s' "${1//\//\\}"; }
fail() { echo "FAIL: $*" >&2; exit 1; }
[ -x "$native/make-sample-host" ] || fail "no native build at $native"

# Packs of a real installation's size, so that the first backup takes a while to copy.
"$native/make-sample-host" "$work/PS" --stub "$stubs/v16.1.2/Photoshop.exe" --dump "$work/expect" \
  --pad-mib 96,192,64,128 >/dev/null
# A second installation whose language file differs from the first one's (it has a BOM).
"$native/make-sample-host" "$work/PS2" --stub "$stubs/v16.1.2/Photoshop.exe" --bom >/dev/null
# A third: a later release with one app-bar icon, installed in another language.
"$native/make-sample-host" "$work/PS3" --stub "$stubs/v19.1/Photoshop.exe" --version 19.1 --shape single-icon \
  --no-chinese >/dev/null
mkdir -p "$work/program" "$work/dl/Ink"
cp "$exe" "$work/program/lumaset.exe"
# The driver reads the window's Chinese texts: the window speaks Chinese by its setting,
# in wine's own locale (a first start all the same: no host is stored).
printf '[lumaset]\r\nlanguage=zh\r\n' >"$work/program/setting.ini"
unset LUMASET_WINE_LOCALE
cp -r "$source/assets/LumasetTheme" "$source/assets/模板" "$work/program/"
printf '[Lumaset_theme]\r\ninfo=ink\r\n' >"$work/dl/Ink/info.ini"
cp "$work/expect/PS_OWL_appbar_dark_win.low.png" "$work/dl/Ink/loading_low.png"
(cd "$work/dl/Ink" && zip -q "$work/dl/Ink.blue.zip" info.ini loading_low.png)

# The custom images come from a folder with a long name, so that no path fits its box.
long="$work/主题图片 a folder with a long name for the pictures of a theme"
mkdir -p "$long"
cp "$work/expect/PS_OWL_appbar_light_win.low.png" "$long/光影 a long picture name, light.png"
shots=$(dirname "$exe")/screenshots
mkdir -p "$shots" "$work/shots"
status=0
"$here/../../scripts/wine-run" "$driver" "$(winpath "$work/program/lumaset.exe")" "$(winpath "$work/PS")" Aurora \
  "$(winpath "$work/dl/Ink.blue.zip")" "$(winpath "$long/光影 a long picture name, light.png")" \
  "$(winpath "$work/shots/lumaset-under-wine.bmp")" "$(winpath "$work/PS2")" "$(winpath "$work/PS3")" 2> >(grep -v 'X connection' >&2) || status=$?
keep_screenshots "$work/shots" "$shots"
[ "$status" -eq 0 ] || fail "the driver failed ($status)"
[ -d "$work/PS/Resources/lumaset_BAK" ] || fail "no backup was made"
