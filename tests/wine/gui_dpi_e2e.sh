#!/usr/bin/env bash
# lumaset.exe under wine at 96, 192 and 144 DPI: a located sample host, the shipped
# themes, the driver's checks of each start and of a change of DPI; the screenshots are
# kept as PNG in build/windows/screenshots. The prefix's LogPixels goes back to 96
# whatever happens, since the other wine tests share the prefix.
# Usage: gui_dpi_e2e.sh LUMASET.EXE LUMASET-CLI.EXE GUI-DPI-DRIVER.EXE NATIVE_BUILD_DIR STUB_DIR SOURCE_DIR
set -euo pipefail
exe=$1 cli=$2 driver=$3 native=$4 stubs=$5 source=$6
# shellcheck source=dpi_program.sh
source "$(dirname "$0")/dpi_program.sh"
# The driver reads the window's Chinese texts: the window speaks Chinese by its setting,
# in wine's own locale.
printf '[lumaset]\r\nlanguage=zh\r\n' >"$work/program/setting.ini"
unset LUMASET_WINE_LOCALE
convert "$source/assets/LumasetTheme/Aurora/loading_high.png" -alpha off -type truecolor "BMP3:$work/high.bmp"
shots=$(dirname "$exe")/screenshots
mkdir -p "$shots"
status=0
# A screen that holds the windows at 200 %.
LUMASET_SCREEN=1792x1440x24 "$here/../../scripts/wine-run" "$driver" "$(winpath "$work/program/$(basename "$exe")")" \
  "$(winpath "$work/program/$(basename "$cli")")" "$(winpath "$work/PS/Photoshop.exe")" "$(winpath "$work/shots")" \
  "$(winpath "$work/high.bmp")" 2> >(grep -v 'X connection' >&2) || status=$?
[ "$status" -eq 0 ] || { keep_screenshots "$work/shots" "$shots"; fail "the driver failed ($status)"; }
# Without a window manager wine's work area is the whole screen: a 1920x1008 screen stands
# for a 1080-line one less a 150 % taskbar.
LUMASET_SCREEN=1920x1008x24 "$here/../../scripts/wine-run" "$driver" "$(winpath "$work/program/$(basename "$exe")")" \
  "$(winpath "$work/program/$(basename "$cli")")" "$(winpath "$work/PS/Photoshop.exe")" "$(winpath "$work/shots")" \
  "$(winpath "$work/high.bmp")" --short-screen 2> >(grep -v 'X connection' >&2) || status=$?
keep_screenshots "$work/shots" "$shots"
[ "$status" -eq 0 ] || fail "the driver failed on the short screen ($status)"
