#!/usr/bin/env bash
# The Windows command line under wine on sample hosts: locate, status, index and extract,
# checked by bytes against the images the sample host packed and against the native
# command line's answers on the same host.
# A second Windows process holding a pack or the host's lock stops an apply with its
# message and changes nothing. "/?" and "help" print the usage; the text reaches a file
# as UTF-8 bytes and wine's console (a terminal from `script`) as whole characters.
# Usage: cli_e2e.sh LUMASET-CLI.EXE NATIVE_BUILD_DIR STUB_DIR HOLDER.EXE
set -euo pipefail
# Under wine, one virtual display and one wine server serve every run of the script
# (a display for each run costs a second or more).
if [[ "$1" == *.exe ]] && [ -z "${LUMASET_USE_DISPLAY:-}" ]; then
  LUMASET_USE_DISPLAY=1 exec "$(dirname "$0")/../../scripts/with-display" \
    "${LUMASET_WINEPREFIX:-$(cd "$(dirname "$1")" && pwd)/wineprefix}" bash "$0" "$@"
fi

cli_exe=$1 native=$2 stubs=$3 holder_exe=$4
# shellcheck source=../support/cli_run.sh
source "$(dirname "$0")/../support/cli_run.sh"
ncli() { "$native/lumaset-cli" --home "$work/native-home" "$@"; }

[ -x "$native/make-sample-host" ] || fail "no native build at $native (build the native preset first)"
mkdir -p "$work/home" "$work/native-home"

# Windows' way of asking for the usage, and the word "help", print what --help prints.
usage=$(wcli --help) || fail "--help exited $?"
for asked in '/?' help; do
  out=$(wcli "$asked") || fail "$asked exited $?: $out"
  [ "$out" = "$usage" ] || fail "$asked printed: $out"
done

# A four-pack host of version 16.1.2.
"$native/make-sample-host" "$work/PS" --stub "$stubs/v16.1.2/Photoshop.exe" --dump "$work/expect" >/dev/null

# The text reaches a file or a pipe as its UTF-8 bytes, and wine's console (on the
# terminal that `script` gives it) as the same characters: written whole through
# WriteConsoleW, none turned into U+FFFD.
ink="$work/console-home/LumasetTheme/墨竹"
mkdir -p "$ink"
printf '[Lumaset_theme]\r\ninfo=ink\r\n' >"$ink/info.ini"
cp "$work/expect/Splash1080Background.low.png" "$ink/loading_low.png"
console_cli=("$wine_run" "$cli_exe" --home "$(winpath "$work/console-home")" themes)
"${console_cli[@]}" >"$work/themes.txt" 2>>"$work/wine-stderr.txt" || fail "themes into a file exited $?"
printf '[当前]\n[默认]\n墨竹\n' | cmp -s - "$work/themes.txt" || fail "themes into a file: $(od -c "$work/themes.txt")"
LC_ALL=C.UTF-8 script -qec "$(printf '%q ' "${console_cli[@]}")" /dev/null >"$work/console.txt" 2>&1 \
  || fail "themes on a console exited $?: $(cat -v "$work/console.txt")"
# What wine's console adds: cursor and colour sequences, CR before each LF.
shown=$(sed 's/\x1b\[[0-9;?]*[A-Za-z]//g' "$work/console.txt" | tr -d '\r')
for entry in '[当前]' '[默认]' '墨竹'; do
  grep -qxF "$entry" <<<"$shown" || fail "the console does not show $entry: $(cat -v "$work/console.txt")"
done
if grep -qF $'\xEF\xBF\xBD' <<<"$shown"; then fail "the console shows U+FFFD: $shown"; fi

out=$(wcli --json locate "$(winpath "$work/PS/Photoshop.exe")") || fail "locate exited $?"
grep -q '"caption":"可以使用","text":"选择的 Photoshop 版本为：16.1.2\\r\\n' <<<"$out" || fail "no supported-version box: $out"
grep -q "\"pathBox\":\"Z:\\\\\\\\" <<<"$out" || fail "path box not set: $out"
ncli locate "$work/PS/Photoshop.exe" >/dev/null || fail "native locate"

# A folder "PS.." beside it: Windows drops the dots and would reach PS through it, so the
# location refuses it with one box naming the folder as given, and the stored host stays PS.
"$native/make-sample-host" "$work/PS.." --stub "$stubs/v18.0.0/Photoshop.exe" >/dev/null
set +e
out=$(wcli --json locate "$(winpath "$work/PS../Photoshop.exe")"); code=$?
set -e
[ "$code" = 1 ] || fail "locate in PS.. exited $code: $out"
python3 - "$out" "$(winpath "$work/PS..")" <<'EOF' || fail "no refusal of PS..: $out"
import json, sys
boxes = [json.loads(line) for line in sys.argv[1].splitlines() if line.startswith('{"caption"')]
text = ("Photoshop 所在路径中有文件夹的名字以点或空格结尾，Windows 会去掉这些点和空格，把它当成另一个文件夹："
        + sys.argv[2] + "\r\n请给这个文件夹改名（去掉名字结尾的点或空格）后再选择 Photoshop.exe。")
sys.exit(boxes != [{"caption": "无效路径", "text": text, "icon": "none"}])
EOF

status=$(wcli --json status) || fail "status exited $?"
python3 -c 'import json, sys; sys.exit(json.loads(sys.argv[1])["hostFolder"] != sys.argv[2])' \
  "$(tail -n 1 <<<"$status")" "$(winpath "$work/PS/")" || fail "the stored host changed: $status"
grep -q '"indexExists":true,"layout":"four-pack","records":36' <<<"$status" || fail "status: $status"
grep -qF '"lacks":[],' <<<"$status" || fail "status: $status"
grep -q '"languageFileExists":true,"startupTextAvailable":true,"marker":false,"backup":false' <<<"$status" || fail "status: $status"

windows_index=$(wcli index) || fail "index exited $?"
native_index=$(ncli index)
[ "$windows_index" = "$native_index" ] || fail "the two builds list different records"
grep -q 'Splash1080Background' <<<"$windows_index" || fail "index lacks the splash"

for pack in low high; do
  for name in Splash1080Background PS_OWL_appbar_dark_win PS_OWL_appbar_light_win; do
    wcli extract "$name" --pack "$pack" -o "$(winpath "$work/$name.$pack.png")" >/dev/null || fail "extract $name $pack"
    cmp -s "$work/$name.$pack.png" "$work/expect/$name.$pack.png" || fail "$name ($pack) differs from the packed image"
  done
done

# No backup yet: the default look is the current one, without a message, and nothing
# is written in the host's folders.
wcli look default >"$work/default.txt" || fail "look default: $(cat "$work/default.txt")"
grep -q '^\[' "$work/default.txt" && fail "look default showed a message: $(cat "$work/default.txt")"
[ ! -e "$work/PS/Locales_BAK" ] || fail "a read-only command made Locales_BAK"

# Apply a theme, then the host's own look: bytes are checked at each step.
theme="$work/home/LumasetTheme/Sakura"
mkdir -p "$theme"
printf '[Lumaset_theme]\r\ninfo=test\r\nloadtext=no\r\n' >"$theme/info.ini"
cp "$work/expect/Splash1080Background.high.png" "$theme/loading_low.png"
cp "$work/expect/PS_OWL_appbar_light_win.low.png" "$theme/ico_dark_low.png"
cp "$work/expect/Splash1080Background.low.png" "$theme/loading_high.png"
originals=$(cd "$work/PS" && find Resources Locales -type f -exec sha256sum {} + | sort)
out=$(wcli --json apply Sakura) || fail "apply exited $?: $out"
[ "$out" = '{"caption":"应用","text":"修改完成","icon":"none"}' ] || fail "apply said: $out"
cat "$work/PS/Resources/lumaset_BAK/PSIconsLowRes.dat" "$theme/loading_low.png" "$theme/ico_dark_low.png" \
  | cmp -s - "$work/PS/Resources/PSIconsLowRes.dat" || fail "LowRes pack is not the backup plus the theme's images"
cat "$work/PS/Resources/lumaset_BAK/PSIconsHighRes.dat" "$theme/loading_high.png" \
  | cmp -s - "$work/PS/Resources/PSIconsHighRes.dat" || fail "HighRes pack is not the backup plus the theme's image"
wcli extract Splash1080Background --pack low -o "$(winpath "$work/applied.png")" >/dev/null || fail "extract applied"
cmp -s "$work/applied.png" "$theme/loading_low.png" || fail "the index does not point at the theme's splash"
lang="$work/PS/Locales/zh_CN/Support Files/tw10428.dat"
[ $(( $(stat -c %s "$lang") - $(stat -c %s "$work/PS/Locales_BAK/lumaset_BAK/tw10428.dat") )) = 4870 ] \
  || fail "the startup text block was not appended"
out=$(wcli --json apply '[默认]') || fail "restore exited $?: $out"
restored=$(cd "$work/PS" && find Resources Locales -type f -not -path '*lumaset_BAK*' -exec sha256sum {} + | sort)
[ "$originals" = "$restored" ] || fail "the host was not given back byte for byte"

# Only a listed theme is applied, and only a language file inside the host is written.
set +e
for entry in NoSuchTheme '' '..\..\PS\Resources' "$(winpath "$theme")"; do
  out=$(wcli --json apply -- "$entry"); code=$?
  [ "$code" = 1 ] && [[ "$out" == *"主题库里没有这个主题，未作任何修改"* ]] || fail "apply '$entry': $code $out"
done
mkdir -p "$work/outside" && echo mine >"$work/outside/tw10428.dat"
out=$(wcli --host "$(winpath "$work/PS")\\" --host-version 16.1 --language-folder "$(winpath "$work/outside")" \
  --language-file tw10428.dat apply Sakura --hide-text on 2>&1); code=$?
set -e
[ "$code" = 1 ] && [ "$(cat "$work/outside/tw10428.dat")" = mine ] || fail "a language folder outside the host: $code $out"
restored=$(cd "$work/PS" && find Resources Locales -type f -not -path '*lumaset_BAK*' -exec sha256sum {} + | sort)
[ "$originals" = "$restored" ] || fail "a refused apply changed the host"

# Another process holds a pack (as a running host does), or the lock in Resources (as
# another Lumaset does): the apply says why and changes nothing.
expect_refusal() {  # expect_refusal FILE SHARE MESSAGE
  local held=$1 share=$2 message=$3 before after code out waited=0
  "$wine_run" "$holder_exe" --hold "$(winpath "$held")" "$share" >/dev/null 2>&1 &
  local holder=$!
  while [ ! -f "$held.held" ] && [ "$waited" -lt 300 ]; do sleep 0.1; waited=$((waited + 1)); done
  [ -f "$held.held" ] || fail "the holder did not take $held"
  before=$(cd "$work/PS" && find Resources Locales -type f -not -name '*.held' -not -name .lumaset.lock -exec sha256sum {} + | sort)
  set +e
  out=$(wcli --json apply Sakura); code=$?
  set -e
  touch "$held.release"
  wait "$holder" 2>/dev/null || true
  rm -f "$held.held" "$held.release"
  [ "$code" = 1 ] && grep -qF "{\"caption\":\"错误\",\"text\":\"$message\",\"icon\":\"error\"}" <<<"$out" \
    || fail "apply beside a holder of $held: $code $out"
  after=$(cd "$work/PS" && find Resources Locales -type f -not -name '*.held' -not -name .lumaset.lock -exec sha256sum {} + | sort)
  [ "$before" = "$after" ] || fail "an apply beside a holder of $held changed the host"
}
expect_refusal "$work/PS/Resources/PSIconsHighRes.dat" 7 "Photoshop 正在运行，请先关闭 Photoshop 再修改"
expect_refusal "$work/PS/Resources/.lumaset.lock" 65535 "另一个 Lumaset 正在修改这个 Photoshop 的文件，请稍后再试"
out=$(wcli --json apply Sakura) || fail "apply after the holders exited $?: $out"

# Import a package and a dropped folder, then list them.
mkdir -p "$work/dl/Ink"
printf '[Lumaset_theme]\r\ninfo=ink\r\n' >"$work/dl/Ink/info.ini"
cp "$work/expect/Splash1080Background.low.png" "$work/dl/Ink/loading_low.png"
(cd "$work/dl/Ink" && zip -q "$work/dl/Sakura.blue.zip" info.ini loading_low.png)
out=$(wcli --json import --package "$(winpath "$work/dl/Sakura.blue.zip")") || fail "import package exited $?: $out"
grep -q '"caption":"添加主题","text":"已添加主题：Sakura.blue.zip\\r\\n' <<<"$out" || fail "import package said: $out"
out=$(wcli import "$(winpath "$work/dl/Ink")") || fail "import folder exited $?: $out"
themes=$(wcli themes | tr -d '\r')
for entry in '[当前]' '[默认]' 'Sakura.blue' 'Sakura' 'Ink'; do
  grep -qxF "$entry" <<<"$themes" || fail "theme list lacks $entry: $themes"
done
cmp -s "$work/home/LumasetTheme/Sakura.blue/loading_low.png" "$work/dl/Ink/loading_low.png" || fail "unpacked bytes differ"
# A theme whose splash is a JPEG under a PNG's name is refused, naming the file.
mkdir -p "$work/dl/Photo"
printf '[Lumaset_theme]\r\ninfo=photo\r\n' >"$work/dl/Photo/info.ini"
printf '\xff\xd8\xff\xe0\x00\x10JFIF\x00\x01\x01\x00\xff\xd9' >"$work/dl/Photo/loading_low.png"
set +e
out=$(wcli import "$(winpath "$work/dl/Photo")"); code=$?
set -e
[ "$code" = 1 ] && grep -qF '未添加主题：Photo' <<<"$out" && grep -qF '主题里的 loading_low.png 不是有效的 PNG 图片文件' <<<"$out" \
  && [ ! -e "$work/home/LumasetTheme/Photo" ] || fail "a JPEG splash: $code $out"
printf 'junk' >"$work/dl/bad.zip"
set +e
out=$(wcli import "$(winpath "$work/dl/bad.zip")"); code=$?
set -e
[ "$code" = 1 ] && grep -q '^\[错误代码：0\] 解压主题包错误：' <<<"$out" || fail "bad package: $code $out"

# Packages whose name is only dots would unpack beside the program or into the library
# itself: refused, with or without the dialog, whichever slash the path uses.
before=$(cd "$work/home" && find . -type f -exec sha256sum {} + | sort)
cp "$work/dl/Sakura.blue.zip" "$work/dl/...zip"
cp "$work/dl/Sakura.blue.zip" "$work/dl/..zip"
for args in "--package $(winpath "$work/dl/...zip")" "$(winpath "$work/dl/..zip")" "Z:$work/dl/...zip"; do
  set +e
  # shellcheck disable=SC2086
  out=$(wcli --json import $args); code=$?
  set -e
  [ "$code" = 1 ] && grep -q '"caption":"错误","text":"主题包名称无效：\.\.\?\.zip"' <<<"$out" \
    || fail "dot-named package $args: $code $out"
done
after=$(cd "$work/home" && find . -type f -exec sha256sum {} + | sort)
[ "$before" = "$after" ] || fail "a refused package changed the program folder"

# A two-pack host of version 18: the flag, the language folder and the layout follow.
"$native/make-sample-host" "$work/PS18" --stub "$stubs/v18.0.0/Photoshop.exe" --version 18.0.0 --layout two >/dev/null
wcli locate "$(winpath "$work/PS18/Photoshop.exe")" >/dev/null || fail "locate 18"
status=$(wcli --json status)
grep -q '"version18":true' <<<"$status" || fail "status 18: $status"
grep -q '"layout":"two-pack"' <<<"$status" || fail "status 18: $status"
grep -q 'Locales\\\\zh_CN\\\\tw10428_Photoshop_zh_CN.dat' <<<"$status" || fail "language file 18: $status"

echo "cli under wine: 1 passed, 0 failed"
