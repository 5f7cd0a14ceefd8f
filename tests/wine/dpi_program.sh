# Sourced by the GUI tests that change the prefix's DPI, after they set exe, cli, driver,
# native, stubs and source: a work folder with a located sample host (PS) and a program
# folder holding both executables, the shipped themes and the template; winpath, fail,
# keep_screenshots; the prefix's LogPixels goes back to 96 at exit whatever happens,
# since the other wine tests share the prefix.
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
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
cp "$exe" "$cli" "$work/program/"
cp -r "$source/assets/LumasetTheme" "$source/assets/模板" "$work/program/"
