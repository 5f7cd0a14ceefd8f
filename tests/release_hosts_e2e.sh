#!/usr/bin/env bash
# Hosts shaped as real releases, with the command line (the Windows one under wine, or
# the native one): a release-19 index (1,698 records, extra packs of 4 bytes, HighRes
# slots of length 0, the splash past 2.7 and 4.4 MB), a later one with a single app-bar
# icon (1,822 records), and an installation without zh_CN. On each: locate, apply a
# theme, "[当前]", "[默认]" byte for byte, preview, check and status.
# Usage: release_hosts_e2e.sh LUMASET-CLI[.EXE] NATIVE_BUILD_DIR STUB_DIR
set -euo pipefail
# Under wine, one virtual display and one wine server serve every run of the script.
if [[ "$1" == *.exe ]] && [ -z "${LUMASET_USE_DISPLAY:-}" ]; then
  LUMASET_USE_DISPLAY=1 exec "$(dirname "$0")/../scripts/with-display" \
    "${LUMASET_WINEPREFIX:-$(cd "$(dirname "$1")" && pwd)/wineprefix}" bash "$0" "$@"
fi

cli_exe=$1 native=$2 stubs=$3
# shellcheck source=support/cli_run.sh
source "$(dirname "$0")/support/cli_run.sh"

host_files() { (cd "$work/PS" && find Resources Locales -type f -not -path '*lumaset_BAK*' -exec sha256sum {} + | sort); }
expect() {  # expect OUTPUT TEXT
  grep -qF -- "$2" <<<"$1" || fail "expected \"$2\", got: $1"
}
refuse() {  # refuse OUTPUT TEXT
  if grep -qF -- "$2" <<<"$1"; then fail "did not expect \"$2\" in: $1"; fi
}
run() { local out; out=$(wcli "$@") || fail "$* exited $?: $out"; printf '%s' "$out"; }
size() { stat -c %s "$1"; }
# A new host of a shape in $work/PS, located, with nothing of the host before it.
new_host() {  # new_host STUB VERSION MAKE-SAMPLE-HOST-OPTIONS...
  local stub=$1 version=$2
  shift 2
  rm -rf "$work/PS" "$work/home/setting.ini" "$work/dump"
  "$native/make-sample-host" "$work/PS" --stub "$stubs/$stub/Photoshop.exe" --version "$version" \
    --dump "$work/dump" "$@" >/dev/null
  located=$(run locate "$(winpath "$work/PS/Photoshop.exe")")
  original=$(host_files)
}

[ -x "$native/make-sample-host" ] || fail "no native build at $native (build the native preset first)"
# A theme with all six images, each different from every image of the hosts.
"$native/make-sample-host" "$work/art" --stub "$stubs/v16.1.2/Photoshop.exe" --dump "$work/art-dump" >/dev/null
theme=$work/home/LumasetTheme/Sakura
mkdir -p "$theme"
printf '[Lumaset_theme]\r\ninfo=test\r\n' >"$theme/info.ini"
cp "$work/art-dump/Splash1080Background.high.png" "$theme/loading_low.png"
cp "$work/art-dump/Splash1080Background.low.png" "$theme/loading_high.png"
cp "$work/art-dump/PS_OWL_appbar_light_win.low.png" "$theme/ico_dark_low.png"
cp "$work/art-dump/PS_OWL_appbar_light_win.high.png" "$theme/ico_dark_high.png"
cp "$work/art-dump/PS_OWL_appbar_dark_win.low.png" "$theme/ico_light_low.png"
cp "$work/art-dump/PS_OWL_appbar_dark_win.high.png" "$theme/ico_light_high.png"
printf '"$$$/Splash/Initializing=test"\r\n' >"$theme/word.text"
res=$work/PS/Resources

# Release 19: both icons, every extra-pack slot of length 0; the theme goes on whole.
new_host v19.1 19.1 --shape release19
low=$(size "$res/PSIconsLowRes.dat") high=$(size "$res/PSIconsHighRes.dat")
[ "$low" -gt 2700000 ] && [ "$high" -gt 4400000 ] || fail "the release-19 packs are too small: $low, $high"
out=$(run apply Sakura)
expect "$out" "[应用] 修改完成"
refuse "$out" "已跳过"
[ "$(size "$res/PSIconsXLowRes.dat")" = 4 ] && [ "$(size "$res/PSIconsXHighRes.dat")" = 4 ] ||
  fail "release 19: an extra pack changed"
theme_bytes=0
for f in "$theme"/*.png; do theme_bytes=$((theme_bytes + $(size "$f"))); done
[ $(($(size "$res/PSIconsLowRes.dat") + $(size "$res/PSIconsHighRes.dat") - low - high)) = "$theme_bytes" ] ||
  fail "release 19: the packs did not grow by the theme's six images"
run look current --save "$(winpath "$work/look")" >/dev/null
cmp -s "$work/look/dark.png" "$theme/ico_dark_low.png" || fail "release 19: the dark icon is not the theme's"
cmp -s "$work/look/light.png" "$theme/ico_light_low.png" || fail "release 19: the light icon is not the theme's"
after_theme=$(host_files)
expect "$(run apply '[当前]')" "[应用] 修改完成"
[ "$(host_files)" = "$after_theme" ] || fail "release 19: [当前] changed the host"
expect "$(run apply '[默认]')" "[应用] 修改完成"
[ "$(host_files)" = "$original" ] || fail "release 19: [默认] did not give the host's own bytes back"
expect "$(run preview Sakura)" "indicators: 1X on, 2X on, T on"
run check Sakura >/dev/null

# A later release with one app-bar icon: the dark icon goes there, the light one is
# skipped and said once; the way back works with and without the backup's record.
new_host v19.1 19.1 --shape single-icon
expect "$(run status)" "lacks: PS_OWL_appbar_light_win"
out=$(run apply Sakura)
expect "$out" "这个 Photoshop 只有一个应用栏图标 PS_OWL_appbar_win，已换成主题的暗色图标"
expect "$out" "这个 Photoshop 没有以下图标，已跳过：PS_OWL_appbar_light_win"
expect "$out" "[应用] 修改完成"
run look current --save "$(winpath "$work/look2")" >/dev/null
cmp -s "$work/look2/dark.png" "$theme/ico_dark_low.png" || fail "single icon: PS_OWL_appbar_win is not the theme's dark icon"
[ ! -e "$work/look2/light.png" ] || fail "single icon: a light icon was shown"
expect "$(run --lang en check Sakura)" "ico_light_low.png is not applied to this host: it has no PS_OWL_appbar_light_win"
expect "$(run preview Sakura)" "host lacks: PS_OWL_appbar_light_win"
expect "$(run apply '[当前]')" "[应用] 修改完成"
expect "$(run apply '[默认]')" "[应用] 修改完成"
[ "$(host_files)" = "$original" ] || fail "single icon: [默认] did not give the host's own bytes back"
run apply Sakura >/dev/null
rm -f "$res/lumaset_BAK/lumaset.record" "$work/PS/Locales_BAK/lumaset_BAK/lumaset.record"
expect "$(run apply '[默认]')" "[应用] 修改完成"
[ "$(host_files)" = "$original" ] || fail "single icon: [默认] without the record did not give the host back"

# An installation in another language: located and stored without a language file; the
# images work, the startup text is left alone with one note, nothing is asked again.
new_host v16.1.2 16.1.2 --no-chinese
expect "$located" "这个 Photoshop 没有中文语言文件，启动文字不会修改"
status=$(run status)
expect "$status" "language file: none"
expect "$status" "host folder: $(winpath "$work/PS/")"
out=$(run apply Sakura --hide-text on)
expect "$out" "这个 Photoshop 没有中文语言文件，启动文字不会修改"
expect "$out" "[应用] 修改完成"
refuse "$(run apply Sakura)" "中文语言文件"
[ "$(host_files | grep -c 'Locales/en_US')" = 1 ] && grep -q "$(sha256sum <"$work/PS/Locales/en_US/Support Files/tw10428.dat" | cut -d' ' -f1)" <<<"$original" ||
  fail "no Chinese: the other language's file changed"
expect "$(run look current)" "startup-text toggle: not available"
expect "$(run apply '[默认]')" "[应用] 修改完成"
[ "$(host_files)" = "$original" ] || fail "no Chinese: [默认] did not give the host's own bytes back"
[ -z "$(find "$work/PS/Locales_BAK" -name '*.dat')" ] || fail "no Chinese: a language file was backed up"
echo "release-shaped hosts: ok"
