#!/usr/bin/env bash
# The Windows command line run from a program folder whose path passes 300 characters,
# without --home, so that its settings and its theme library lie beside it: the location
# is stored in setting.ini (a second run knows the host without locating again), a
# dropped folder is imported into its LumasetTheme, and nothing else is left there.
# Usage: long_program_folder.sh LUMASET-CLI.EXE NATIVE_BUILD_DIR STUB_DIR
set -euo pipefail
# One virtual display and one wine server for every run of the script.
if [ -z "${LUMASET_USE_DISPLAY:-}" ]; then
  LUMASET_USE_DISPLAY=1 exec "$(dirname "$0")/../../scripts/with-display" \
    "${LUMASET_WINEPREFIX:-$(cd "$(dirname "$1")" && pwd)/wineprefix}" bash "$0" "$@"
fi

cli_exe=$1 native=$2 stubs=$3
# shellcheck source=../support/cli_run.sh
source "$(dirname "$0")/../support/cli_run.sh"
[ -x "$native/make-sample-host" ] || fail "no native build at $native (build the native preset first)"
# The copy runs in the build's prefix: wine-run would make a new one beside it.
export LUMASET_WINEPREFIX=${LUMASET_WINEPREFIX:-$(cd "$(dirname "$cli_exe")" && pwd)/wineprefix}

# Characters as Windows counts them (UTF-16 code units), "Z:" included.
windows_length() { echo $(($(printf '%s' "$1" | iconv -f UTF-8 -t UTF-16LE | wc -c) / 2 + 2)); }
program=$work/程序
while [ "$(windows_length "$program")" -le 300 ]; do program=$program/一个很长的文件夹名称-abcdefghij; done
mkdir -p "$program"
cp "$cli_exe" "$program/lumaset-cli.exe"
long_cli() { "$wine_run" "$program/lumaset-cli.exe" --lang zh "$@" 2>>"$work/wine-stderr.txt"; }

"$native/make-sample-host" "$work/PS" --stub "$stubs/v16.1.2/Photoshop.exe" >/dev/null
host=$(winpath "$work/PS/")

out=$(long_cli --json locate "$(winpath "$work/PS/Photoshop.exe")") || fail "locate exited $?: $out"
grep -q '"caption":"可以使用"' <<<"$out" || fail "no supported-version box: $out"
grep -q '无法保存设置' <<<"$out" && fail "the location was not stored: $out"
[ -f "$program/setting.ini" ] || fail "no setting.ini beside the program"
settings=$(iconv -f UTF-16LE -t UTF-8 <"$program/setting.ini" | tr -d '\r')
for line in "photoshop=$host" "photoshop_var=16.1" "photoshop_locaal_file=tw10428.dat" \
  "photoshop_locaal_dir=${host}Locales\\zh_CN\\Support Files"; do
  grep -qxF "$line" <<<"$settings" || fail "setting.ini lacks $line: $settings"
done

# A second start knows the host from setting.ini: no location, no box.
out=$(long_cli --json status) || fail "status exited $?: $out"
grep -q '"caption"' <<<"$out" && fail "the second start located again: $out"
python3 - "$host" "$out" <<'EOF' || fail "status does not know the host: $out"
import json, sys
status = json.loads(sys.argv[2].splitlines()[-1])
sys.exit(0 if status["hostFolder"] == sys.argv[1] and status["indexExists"] else 1)
EOF

cp -r "$native/LumasetTheme/Aurora" "$work/长路径主题"
out=$(long_cli import "$(winpath "$work/长路径主题")") || fail "import exited $?: $out"
diff -r "$work/长路径主题" "$program/LumasetTheme/长路径主题" >/dev/null || fail "the imported theme differs: $out"
left=$(cd "$program" && ls -A | tr '\n' ' ')
[ "$left" = "LumasetTheme lumaset-cli.exe setting.ini " ] || fail "the program folder holds more: $left"
[ "$(ls -A "$program/LumasetTheme")" = "长路径主题" ] || fail "the library holds more: $(ls -A "$program/LumasetTheme")"
echo "long program folder ($(windows_length "$program") characters): locate, a second start and an import passed"
