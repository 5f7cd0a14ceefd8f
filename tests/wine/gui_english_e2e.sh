#!/usr/bin/env bash
# lumaset.exe in English under wine (setting.ini's language=en) at 96 and 144 DPI: a located
# sample host and the shipped themes; the driver's screenshots of the theme page, the theme
# list open, the custom page and a message box are kept as PNG in build/windows/screenshots
# ("en-…"). The prefix's LogPixels goes back to 96 whatever happens.
# Usage: gui_english_e2e.sh LUMASET.EXE LUMASET-CLI.EXE GUI-ENGLISH-DRIVER.EXE NATIVE_BUILD_DIR STUB_DIR SOURCE_DIR
set -euo pipefail
exe=$1 cli=$2 driver=$3 native=$4 stubs=$5 source=$6
# shellcheck source=dpi_program.sh
source "$(dirname "$0")/dpi_program.sh"
cp "$source/assets/Guide.txt" "$work/program/"
unset LUMASET_WINE_LOCALE  # wine's own locale, as for the Chinese runs
shots=$(dirname "$exe")/screenshots
mkdir -p "$shots"
status=0
LUMASET_SCREEN=1792x1440x24 "$here/../../scripts/wine-run" "$driver" "$(winpath "$work/program/$(basename "$exe")")" \
  "$(winpath "$work/program/$(basename "$cli")")" "$(winpath "$work/PS/Photoshop.exe")" "$(winpath "$work/shots")" \
  2> >(grep -v 'X connection' >&2) || status=$?
keep_screenshots "$work/shots" "$shots"
[ "$status" -eq 0 ] || fail "the driver failed ($status)"
