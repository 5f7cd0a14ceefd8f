#!/usr/bin/env bash
# The way back with the command line (the Windows one under wine, or the native one),
# across the host's life: an update of the executable alone, of the language file alone,
# of every icon file; folders at the locks' places and a lock held elsewhere; host files
# that are links (kept links) or hard links (refused); backup files lost or changed in
# place one at a time; "备份" with a theme on; an image that refuses an apply; an update
# that took a theme off, given back by reapply; a host whose own index is damaged before
# any backup. Each sequence ends with "[默认]" giving the host's own bytes
# or the update's, and no backup file holding a byte of a theme.
# Usage: way_back_e2e.sh LUMASET-CLI[.EXE] NATIVE_BUILD_DIR STUB_DIR [HOLDER.EXE]
set -euo pipefail
# Under wine, one virtual display and one wine server serve every run of the script
# (a display for each run costs a second or more).
if [[ "$1" == *.exe ]] && [ -z "${LUMASET_USE_DISPLAY:-}" ]; then
  LUMASET_USE_DISPLAY=1 exec "$(dirname "$0")/../scripts/with-display" \
    "${LUMASET_WINEPREFIX:-$(cd "$(dirname "$1")" && pwd)/wineprefix}" bash "$0" "$@"
fi

cli_exe=$1 native=$2 stubs=$3 holder_exe=${4:-}
prefix=${LUMASET_WINEPREFIX:-$(cd "$(dirname "$cli_exe")" && pwd)/wineprefix}
# shellcheck source=support/cli_run.sh
source "$(dirname "$0")/support/cli_run.sh"
# The host's own files (the backup folders and the lock aside), with their hashes.
host_files() { (cd "$work/PS" && find Resources Locales -type f -not -path '*lumaset_BAK*' -exec sha256sum {} + | sort); }
# The backup's copies, each under the name of the host file it stands for.
backup_files() {
  local r=$work/PS/Resources/lumaset_BAK l=$work/PS/Locales_BAK/lumaset_BAK f
  for f in IconResources.idx PSIconsLowRes.dat PSIconsHighRes.dat PSIconsXLowRes.dat PSIconsXHighRes.dat; do
    printf '%s %s\n' "$(sha256sum <"$r/$f" | cut -d' ' -f1)" "$f"
  done
  printf '%s second-index\n' "$(sha256sum <"$l/IconResources.idx" | cut -d' ' -f1)"
  printf '%s language\n' "$(sha256sum <"$l/tw10428.dat" | cut -d' ' -f1)"
  printf '%s second-language\n' "$(sha256sum <"$r/tw10428.dat" | cut -d' ' -f1)"
}
# What backup_files gives when every copy holds the host's bytes now.
host_as_backup() {
  local res=$work/PS/Resources f
  for f in IconResources.idx PSIconsLowRes.dat PSIconsHighRes.dat PSIconsXLowRes.dat PSIconsXHighRes.dat; do
    printf '%s %s\n' "$(sha256sum <"$res/$f" | cut -d' ' -f1)" "$f"
  done
  printf '%s second-index\n' "$(sha256sum <"$res/IconResources.idx" | cut -d' ' -f1)"
  printf '%s language\n' "$(sha256sum <"$lang" | cut -d' ' -f1)"
  printf '%s second-language\n' "$(sha256sum <"$lang" | cut -d' ' -f1)"
}
expect_box() {  # expect_box OUTPUT TEXT
  grep -qF "$2" <<<"$1" || fail "expected \"$2\", got: $1"
}
apply_ok() { local out; out=$(wcli apply "$@") || fail "apply $* exited $?: $out"; expect_box "$out" "[应用] 修改完成"; }
apply_refused() {  # apply_refused ENTRY TEXT: exit 1 with TEXT, the host unchanged
  local before out code
  before=$(host_files)
  set +e
  out=$(wcli apply "$1"); code=$?
  set -e
  [ "$code" = 1 ] || fail "apply $1 exited $code: $out"
  expect_box "$out" "$2"
  [ "$(host_files)" = "$before" ] || fail "a refused apply of $1 changed the host"
}
clear_records() { rm -f "$work/PS/Resources/lumaset_BAK/lumaset.record" "$work/PS/Locales_BAK/lumaset_BAK/lumaset.record"; }

[ -x "$native/make-sample-host" ] || fail "no native build at $native (build the native preset first)"
mkdir -p "$work/home/LumasetTheme/Sakura"
"$native/make-sample-host" "$work/PS" --stub "$stubs/v16.1.2/Photoshop.exe" --dump "$work/expect" >/dev/null
"$native/make-sample-host" "$work/release" --stub "$stubs/v16.1.2/Photoshop.exe" --pad-mib 1,1,1,1 >/dev/null
theme=$work/home/LumasetTheme/Sakura
printf '[Lumaset_theme]\r\ninfo=test\r\nloadtext=no\r\n' >"$theme/info.ini"
cp "$work/expect/Splash1080Background.high.png" "$theme/loading_low.png"
cp "$work/expect/PS_OWL_appbar_light_win.low.png" "$theme/ico_dark_low.png"
cp "$work/expect/Splash1080Background.low.png" "$theme/loading_high.png"
lang="$work/PS/Locales/zh_CN/Support Files/tw10428.dat"
changed="另一个 Lumaset 正在修改这个 Photoshop 的文件，请稍后再试"
updated_msg="Photoshop 的文件在备份之后被改动过（可能是 Photoshop 更新了）。为免损坏，本次未作任何修改。"
wcli locate "$(winpath "$work/PS/Photoshop.exe")" >/dev/null || fail "locate"
original=$(host_files)
original_backup=$(host_as_backup)

# The executable alone updated: "[默认]" goes through at once, the backup stays.
apply_ok Sakura
cp "$stubs/v17.0.1/Photoshop.exe" "$work/PS/Photoshop.exe"
apply_ok '[默认]'
[ "$(host_files)" = "$original" ] || fail "exe update: [默认] did not give the host back"
[ "$(backup_files)" = "$original_backup" ] || fail "exe update: the backup changed"

# The language file alone updated: an apply is refused until "备份" makes the update the
# language file's original; "[默认]" then gives back the icons and keeps the update.
apply_ok Sakura
python3 - "$lang" "$work/PS/Locales_BAK/lumaset_BAK/tw10428.dat" <<'EOF'
import sys
with open(sys.argv[2], "rb") as f:
    original = f.read()
with open(sys.argv[1], "wb") as f:
    f.write(original + '\r\n"$$$/Update/Key=新版"'.encode("utf-16-le"))
EOF
apply_refused Sakura "$updated_msg"
out=$(wcli backup --refresh) || fail "refresh after the language update exited $?: $out"
apply_ok '[默认]'
[ "$(backup_files)" = "$(host_as_backup)" ] || fail "language update: the backup is not the host's own"
grep -q 'Update/Key' <<<"$(iconv -f UTF-16LE -t UTF-8 "$lang")" || fail "language update: [默认] lost the update"

# Every icon file updated: the same, with the update's index and packs.
apply_ok Sakura
for f in IconResources.idx PSIconsLowRes.dat PSIconsHighRes.dat PSIconsXLowRes.dat PSIconsXHighRes.dat; do
  cp "$work/release/Resources/$f" "$work/PS/Resources/$f"
done
apply_refused Sakura "$updated_msg"
out=$(wcli backup --refresh) || fail "refresh after the update exited $?: $out"
apply_ok '[默认]'
[ "$(backup_files)" = "$(host_as_backup)" ] || fail "icon update: the backup is not the update's"
for f in IconResources.idx PSIconsLowRes.dat PSIconsHighRes.dat PSIconsXLowRes.dat PSIconsXHighRes.dat; do
  cmp -s "$work/PS/Resources/$f" "$work/release/Resources/$f" || fail "icon update: [默认] did not give the update's $f"
done
update=$(host_files)
# Then a theme, and the executable alone once more: "备份" has nothing to take.
apply_ok Sakura
cp "$stubs/v16.1.2/Photoshop.exe" "$work/PS/Photoshop.exe"
out=$(wcli backup --refresh) || fail "second refresh exited $?: $out"
expect_box "$out" "[备份] 备份已是最新"
apply_ok '[默认]'
[ "$(host_files)" = "$update" ] || fail "second round: [默认] did not give the update's bytes"
update_backup=$(backup_files)

# The host's own folder holds no lock once the backup folders are made: a folder at a
# lock's name there is passed over. One in Resources, where a lock belongs, refuses; the
# lock of the language folder held by another process keeps a second Lumaset out.
mkdir "$work/PS/.lumaset.lock" "$work/PS/Resources/.lumaset.lock"
apply_refused Sakura "无法创建锁文件，为免与另一个 Lumaset 同时修改，未作任何修改："
rmdir "$work/PS/Resources/.lumaset.lock"
held_lock=$(wcli --json status | python3 -c 'import json,sys; print([l for l in json.loads(sys.stdin.readline())["locks"] if "zh_CN" in l][0])')
[ -n "$held_lock" ] || fail "status names no lock in the language folder"
if [ "$windows" = 1 ]; then
  "$wine_run" "$holder_exe" --hold "$held_lock" 65535 >/dev/null 2>&1 &
  # The holder marks its hold beside the file; the same file seen from this side.
  held_lock=$(python3 -c 'import sys; p = sys.argv[1].replace("\\", "/"); print(sys.argv[2] + "/drive_c/" + p[3:] if p[:2].lower() == "c:" else p[2:])' "$held_lock" "$prefix")
else
  flock "$held_lock" sh -c "touch '$held_lock.held'; while [ ! -f '$held_lock.release' ]; do sleep 0.1; done" &
fi
holder=$!
waited=0
while [ ! -f "$held_lock.held" ] && [ "$waited" -lt 300 ]; do sleep 0.1; waited=$((waited + 1)); done
[ -f "$held_lock.held" ] || fail "the holder did not take $held_lock"
apply_refused Sakura "$changed"
touch "$held_lock.release"
wait "$holder" 2>/dev/null || true
rm -f "$held_lock.held" "$held_lock.release"
apply_ok Sakura
apply_ok '[默认]'
rmdir "$work/PS/.lumaset.lock"

# The index and a pack as links to files elsewhere: the theme goes to the targets, the
# links stay links, and "[默认]" without the record gives the targets their bytes back.
for f in IconResources.idx PSIconsLowRes.dat; do
  mv "$work/PS/Resources/$f" "$work/elsewhere-$f"
  ln -s "$work/elsewhere-$f" "$work/PS/Resources/$f"
done
apply_ok Sakura
cmp -s "$work/elsewhere-PSIconsLowRes.dat" "$work/release/Resources/PSIconsLowRes.dat" \
  && fail "links: the theme did not reach the pack's target"
clear_records
apply_ok '[默认]'
for f in IconResources.idx PSIconsLowRes.dat; do
  [ -L "$work/PS/Resources/$f" ] || fail "links: $f is no longer a link"
  cmp -s "$work/elsewhere-$f" "$work/release/Resources/$f" || fail "links: $f's target did not get its bytes back"
done
[ "$(backup_files)" = "$update_backup" ] || fail "links: the backup changed"

# A hard-linked pack is refused before anything changes.
ln "$work/PS/Resources/PSIconsHighRes.dat" "$work/second-name.dat"
apply_refused Sakura "这个文件还有别的名字（硬链接），修改它会同时改动别处的文件，未作任何修改："

# A fresh host for the losses: each backup file lost, then changed in place (same size,
# one byte off), one at a time with a theme on; "[默认]" gives the host's own bytes and
# the backup is whole again.
rm -f "$work/second-name.dat"
rm -rf "$work/PS"
"$native/make-sample-host" "$work/PS" --stub "$stubs/v16.1.2/Photoshop.exe" >/dev/null
wcli locate "$(winpath "$work/PS/Photoshop.exe")" >/dev/null || fail "locate the fresh host"
original=$(host_files)
apply_ok Sakura
apply_ok '[默认]'
original_backup=$(backup_files)
for part in Resources/lumaset_BAK/PSIconsLowRes.dat Resources/lumaset_BAK/IconResources.idx \
  Locales_BAK/lumaset_BAK/tw10428.dat; do
  for harm in lost changed; do
    apply_ok Sakura
    if [ "$harm" = lost ]; then
      rm "$work/PS/$part"
    else
      python3 -c 'import sys; b = bytearray(open(sys.argv[1], "rb").read()); b[len(b) // 2] ^= 1; open(sys.argv[1], "wb").write(b)' \
        "$work/PS/$part"
    fi
    apply_ok '[默认]'
    [ "$(host_files)" = "$original" ] || fail "$part $harm: [默认] did not give the host back"
    [ "$(backup_files)" = "$original_backup" ] || fail "$part $harm: the backup is not whole again"
  done
done

# "备份" while a theme is on and only the program changed the host: nothing to take, and
# the theme stays.
apply_ok Sakura
themed=$(host_files)
out=$(wcli backup --refresh) || fail "refresh with a theme on exited $?: $out"
expect_box "$out" "[备份] 备份已是最新"
[ "$(host_files)" = "$themed" ] || fail "a refresh with a theme on changed the host"
[ "$(backup_files)" = "$original_backup" ] || fail "a refresh with a theme on changed the backup"

# A theme with an image that is no PNG: refused before anything changes, the theme on the
# host stays.
cp -r "$theme" "$work/home/LumasetTheme/Broken"
printf 'GIF89a not a png' >"$work/home/LumasetTheme/Broken/ico_dark_low.png"
apply_refused Broken "不是有效的 PNG 图片文件，未作修改："
apply_ok '[默认]'
[ "$(host_files)" = "$original" ] || fail "after a refused apply, [默认] did not give the host back"

# An update while a theme is on takes it off: status says so, one reapply renews the
# backup of the changed files and puts the same theme on again, and "[默认]" then gives
# the update's bytes.
apply_ok Sakura
icon_files="IconResources.idx PSIconsLowRes.dat PSIconsHighRes.dat PSIconsXLowRes.dat PSIconsXHighRes.dat"
for f in $icon_files; do cp "$work/release/Resources/$f" "$work/PS/Resources/$f"; done
expect_box "$(wcli status)" "undone by an update: theme Sakura"
out=$(wcli reapply) || fail "reapply exited $?: $out"
expect_box "$out" "[应用] 已更新备份，并重新应用了主题「Sakura」"
out=$(wcli status)
expect_box "$out" "host carries: theme Sakura"
expect_box "$out" "undone by an update: none"
apply_ok '[默认]'
for f in $icon_files; do
  cmp -s "$work/PS/Resources/$f" "$work/release/Resources/$f" || fail "reapply: [默认] did not give the update's $f"
done
[ "$(backup_files)" = "$(host_as_backup)" ] || fail "reapply: the backup is not the update's"

# A host whose own index names bytes its pack lacks, before any backup: refused, and no
# backup is taken of it.
rm -rf "$work/PS"
"$native/make-sample-host" "$work/PS" --stub "$stubs/v16.1.2/Photoshop.exe" >/dev/null
wcli locate "$(winpath "$work/PS/Photoshop.exe")" >/dev/null || fail "locate the damaged host"
printf 'fdra' >"$work/PS/Resources/PSIconsHighRes.dat"
apply_refused Sakura "Photoshop 自己的图标索引文件已损坏"
[ ! -e "$work/PS/Resources/lumaset_BAK/IconResources.idx" ] || fail "a damaged host was backed up"

echo "way back ($([ "$windows" = 1 ] && echo "under wine" || echo native)): 1 passed, 0 failed"
