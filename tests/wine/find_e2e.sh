#!/usr/bin/env bash
# lumaset-cli.exe find under wine: hosts registered in both registry views of the build's
# wine prefix and lying in its Program Files folders are listed once each, newest first,
# and a registered folder without Photoshop.exe is not. Once wine has saved its registry,
# the native command line reads the same hosts from the prefix's files. What the script
# adds to the shared prefix goes when it ends.
# Usage: find_e2e.sh LUMASET-CLI.EXE NATIVE_BUILD_DIR STUB_DIR
set -euo pipefail
# One virtual display and one wine server serve every run of the script.
if [ -z "${LUMASET_USE_DISPLAY:-}" ]; then
  LUMASET_USE_DISPLAY=1 exec "$(dirname "$0")/../../scripts/with-display" \
    "${LUMASET_WINEPREFIX:-$(cd "$(dirname "$1")" && pwd)/wineprefix}" bash "$0" "$@"
fi

cli_exe=$1 native=$2 stubs=$3
# shellcheck source=../support/cli_run.sh
source "$(dirname "$0")/../support/cli_run.sh"
[ -x "$native/lumaset-cli" ] || fail "no native build at $native (build the native preset first)"
prefix=${LUMASET_WINEPREFIX:-$(cd "$(dirname "$cli_exe")" && pwd)/wineprefix}
export LC_ALL=C.UTF-8  # wine takes the arguments of reg in the locale's encoding

wcli --version >/dev/null || fail "lumaset-cli.exe does not start"  # makes the prefix when it is missing
key='HKLM\SOFTWARE\Adobe\Photoshop'
pf="$prefix/drive_c/Program Files/Adobe"
pf86="$prefix/drive_c/Program Files (x86)/Adobe"
reg() { WINEPREFIX=$prefix WINEDEBUG=-all wine reg "$@" >/dev/null 2>>"$work/wine-stderr.txt"; }
# What the prefix had before: the script's own keys and folders go at its end, and so do
# the Adobe key of a registry view and the Adobe folders when the script made them.
views_with_adobe=()
for view in 64 32; do reg query 'HKLM\SOFTWARE\Adobe' "/reg:$view" && views_with_adobe+=("$view"); done
made=()
for folder in "$pf" "$pf86"; do [ -d "$folder" ] || made+=("$folder"); done
added=("$pf/Adobe Photoshop LumasetFind 中文" "$pf86/Adobe Photoshop LumasetFind 32" "$pf/LumasetFind Empty")
tidy() {
  for view in 64 32; do
    if [[ " ${views_with_adobe[*]} " == *" $view "* ]]; then
      for name in a b c d; do reg delete "$key\\lumaset-find-$name" /f "/reg:$view" || true; done
    else
      reg delete 'HKLM\SOFTWARE\Adobe' /f "/reg:$view" || true
    fi
  done
  rm -rf "${added[@]}" "${made[@]}"
  WINEPREFIX=$prefix wineserver -w || true
  rm -rf "$work"
}
trap tidy EXIT

# CC 2015 (a Chinese folder name) is registered in the 64-bit view and lies in Program
# Files; CC 2017 is registered in the 32-bit view and lies in Program Files (x86); release
# 19 is registered outside both, on drive Z; the 32-bit view also names a folder that
# holds no Photoshop.exe.
mkdir -p "${added[@]}" "$work/PS19"
cp "$stubs/v16.1.2/Photoshop.exe" "${added[0]}/"
cp "$stubs/v18.0.0/Photoshop.exe" "${added[1]}/"
cp "$stubs/v19.1/Photoshop.exe" "$work/PS19/"
reg add "$key\\lumaset-find-a" /v ApplicationPath /d 'C:\Program Files\Adobe\Adobe Photoshop LumasetFind 中文\' /f /reg:64
reg add "$key\\lumaset-find-b" /v ApplicationPath /d 'C:\Program Files (x86)\Adobe\Adobe Photoshop LumasetFind 32\' \
  /f /reg:32
reg add "$key\\lumaset-find-c" /v ApplicationPath /d "$(winpath "$work/PS19")\\" /f /reg:64
reg add "$key\\lumaset-find-d" /v ApplicationPath /d 'C:\Program Files\Adobe\LumasetFind Empty\' /f /reg:32

# Hosts another test left in the shared prefix do not count.
ours() { tr -d '\r' | grep -e LumasetFind -e PS19 || true; }
out=$(wcli find) || fail "find exited $?: $out"
expected=$(printf '%s\t%s\t%s\n' \
  "$(winpath "$work/PS19")\\" 19.1 "registry 64-bit lumaset-find-c" \
  'C:\Program Files (x86)\Adobe\Adobe Photoshop LumasetFind 32\' 18.0.0 \
  "registry 32-bit lumaset-find-b, Program Files (x86)" \
  'C:\Program Files\Adobe\Adobe Photoshop LumasetFind 中文\' 16.1.2 "registry 64-bit lumaset-find-a, Program Files")
[ "$(ours <<<"$out")" = "$expected" ] || fail "find listed: $out"
grep -q 'LumasetFind Empty' <<<"$out" && fail "a folder without Photoshop.exe was listed: $out"
json=$(wcli --json find) || fail "find --json exited $?"
grep -qF '"folder":"C:\\Program Files\\Adobe\\Adobe Photoshop LumasetFind 中文\\","exe":"C:\\Program Files\\Adobe\\Adobe Photoshop LumasetFind 中文\\Photoshop.exe","version":"16.1.2","foundIn":["registry 64-bit lumaset-find-a","Program Files"]' <<<"$json" \
  || fail "find --json said: $json"
echo "ok: lumaset-cli.exe find lists the registered and installed hosts, newest first"

# The native command line on the same prefix, once wine has written its registry out.
WINEPREFIX=$prefix wineserver -w
native_out=$("$native/lumaset-cli" find --prefix "$prefix") || fail "native find exited $?: $native_out"
expected=$(printf '%s\t%s\t%s\n' \
  "$prefix/dosdevices/z:$work/PS19/" 19.1 "registry 64-bit lumaset-find-c" \
  "$pf86/Adobe Photoshop LumasetFind 32/" 18.0.0 "registry 32-bit lumaset-find-b, Program Files (x86)" \
  "$pf/Adobe Photoshop LumasetFind 中文/" 16.1.2 "registry 64-bit lumaset-find-a, Program Files")
[ "$(ours <<<"$native_out")" = "$expected" ] || fail "native find listed: $native_out"
echo "ok: the native find reads the same hosts from the prefix's system.reg"
