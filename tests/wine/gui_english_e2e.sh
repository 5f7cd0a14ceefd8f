#!/usr/bin/env bash
# lumaset.exe in English under wine (setting.ini's language=en) at 96 and 144 DPI: a located
# sample host and the shipped themes; the driver's screenshots of the theme page, the theme
# list open, the custom page and a message box are kept as PNG in build/windows/screenshots
# ("en-…"). The prefix's LogPixels goes back to 96 whatever happens.
# Usage: gui_english_e2e.sh LUMASET.EXE LUMASET-CLI.EXE GUI-ENGLISH-DRIVER.EXE NATIVE_BUILD_DIR STUB_DIR SOURCE_DIR
set -euo pipefail
exe=$1 cli=$2 driver=$3 native=$4 stubs=$5 source=$6
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=screenshots.sh
source "$here/screenshots.sh"
prefix=${LUMASET_WINEPREFIX:-$(cd "$(dirname "$driver")" && pwd)/wineprefix}
work=$(mktemp -d)
winpath() { printf 'Z:%s' "${1//\//\\}"; }
fail() { echo "FAIL: $*" >&2; exit 1; }
restore_dpi() {
  if [ -d "$prefix" ]; then
    WINEPREFIX=$prefix WINEDEBUG=-all wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 96 /f \
      >/dev/null 2>&1 || true
  fi
  rm -rf "$work"
}
trap restore_dpi EXIT
[ -x "$native/make-sample-host" ] || fail "no native build at $native"

"$native/make-sample-host" "$work/PS" --stub "$stubs/v16.1.2/Photoshop.exe" >/dev/null
mkdir -p "$work/program" "$work/shots"
cp "$exe" "$cli" "$source/assets/Guide.txt" "$work/program/"
cp -r "$source/assets/LumasetTheme" "$source/assets/模板" "$work/program/"
unset LUMASET_WINE_LOCALE  # wine's own locale, as for the Chinese runs
shots=$(dirname "$exe")/screenshots
mkdir -p "$shots"
status=0
LUMASET_SCREEN=1792x1440x24 "$here/../../scripts/wine-run" "$driver" "$(winpath "$work/program/$(basename "$exe")")" \
  "$(winpath "$work/program/$(basename "$cli")")" "$(winpath "$work/PS/Photoshop.exe")" "$(winpath "$work/shots")" \
  2> >(grep -v 'X connection' >&2) || status=$?
keep_screenshots "$work/shots" "$shots"
[ "$status" -eq 0 ] || fail "the driver failed ($status)"
