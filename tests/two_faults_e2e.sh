#!/usr/bin/env bash
# The way back with two faults at once, with the command line (the Windows one under wine,
# or the native one), on a host with 墨竹 and its startup text on: the records lost with a
# backup copy damaged or lost, a stale or re-signed record, an update that removes the
# language folder or two of the four packs, a host pack or index damaged. Each sequence
# ends with the host's own bytes back, or a true refusal that destroyed nothing.
# Usage: two_faults_e2e.sh LUMASET-CLI[.EXE] NATIVE_BUILD_DIR STUB_DIR
set -euo pipefail
if [[ "$1" == *.exe ]] && [ -z "${LUMASET_USE_DISPLAY:-}" ]; then
  LUMASET_USE_DISPLAY=1 exec "$(dirname "$0")/../scripts/with-display" \
    "${LUMASET_WINEPREFIX:-$(cd "$(dirname "$1")" && pwd)/wineprefix}" bash "$0" "$@"
fi

cli_exe=$1 native=$2 stubs=$3
# shellcheck source=support/cli_run.sh
source "$(dirname "$0")/support/cli_run.sh"
[ -x "$native/make-sample-host" ] || fail "no native build at $native (build the native preset first)"
mkdir -p "$work/home/LumasetTheme"
cp -r "$root/assets/LumasetTheme/墨竹" "$work/home/LumasetTheme/"
R=$work/PS/Resources L=$work/PS/Locales_BAK/lumaset_BAK
lang="$work/PS/Locales/zh_CN/Support Files/tw10428.dat"

host_files() { (cd "$work/PS" && find Resources Locales -type f -not -path '*lumaset_BAK*' -exec sha256sum {} + | sort); }
run() {  # run EXPECTED-EXIT ARGS...: the command's output, its exit checked
  local want=$1 out code
  shift
  set +e
  out=$(wcli "$@" 2>&1)
  code=$?
  set -e
  [ "$code" = "$want" ] || fail "$* exited $code (expected $want): $out"
  printf '%s' "$out"
}
expect() { grep -qF "$2" <<<"$1" || fail "expected \"$2\", got: $1"; }
# A fresh host with 墨竹 and its startup text on; `original` holds its own files.
themed_host() {
  rm -rf "$work/PS"
  "$native/make-sample-host" "$work/PS" --stub "$stubs/v16.1.2/Photoshop.exe" "$@" >/dev/null
  run 0 locate "$(winpath "$work/PS/Photoshop.exe")" >/dev/null
  original=$(host_files)
  run 0 backup >/dev/null
  cp "$L/lumaset.record" "$work/record-before-apply"
  cp "$lang" "$work/language-before-apply"
  run 0 apply 墨竹 --hide-text on >/dev/null
}
default_gives_original() {  # default_gives_original SEQUENCE
  expect "$(run 0 apply '[默认]')" "[应用] 修改完成"
  [ "$(host_files)" = "$original" ] || fail "$1: [默认] did not give the host's own files"
}
lose_records() { rm -f "$R/lumaset_BAK/lumaset.record" "$L/lumaset.record"; }
flip() { python3 -c 'import sys; b = bytearray(open(sys.argv[1], "rb").read()); b[len(b) // 2] ^= 1; open(sys.argv[1], "wb").write(b)' "$1"; }
# Rewrites a record with Python: "generation N" set, every backup line given the size and
# hash of the host's file now, or one file's size alone; the check line made anew, as
# anyone could.
rewrite_record() {  # rewrite_record FILE generation N | FILE resign | FILE size FILE N
  python3 - "$@" "$work/PS" "$lang" <<'EOF'
import hashlib, os, sys
path, what = sys.argv[1], sys.argv[2]
host, lang = sys.argv[-2], sys.argv[-1]
lines = open(path, encoding="utf-8").read().split("\n")
body = [l for l in lines if l and not l.startswith("check\t") and l != "end"]
for i, l in enumerate(body):
    f = l.split("\t")
    if what == "generation" and f[0] == "generation":
        body[i] = "generation\t" + sys.argv[3]
    if what == "resign" and f[0] == "backup":
        file = lang if f[1] == "language" else os.path.join(host, "Resources", f[1])
        data = open(file, "rb").read()
        body[i] = "\t".join(["backup", f[1], str(len(data)), hashlib.sha256(data).hexdigest()])
    if what == "size" and f[0] == "backup" and f[1] == sys.argv[3]:
        body[i] = "\t".join(["backup", f[1], sys.argv[4]] + f[3:])
text = "\n".join(body) + "\n"
open(path, "w", encoding="utf-8", newline="").write(text + "check\t" + hashlib.sha256(text.encode()).hexdigest() + "\nend\n")
EOF
}

# 1. Records lost, the index copy in Resources flipped: the second copy is the original.
themed_host
lose_records
flip "$R/lumaset_BAK/IconResources.idx"
default_gives_original "records lost, index copy flipped"
cmp -s "$R/lumaset_BAK/IconResources.idx" "$L/IconResources.idx" || fail "the index copies differ after the way back"
[ "$(sha256sum <"$R/lumaset_BAK/IconResources.idx")" = "$(sha256sum <"$R/IconResources.idx")" ] ||
  fail "the index copy is not the original"

# 2. Records lost, the LowRes copy lost: "备份" takes no themed byte, "[默认]" gives the host back.
themed_host
lose_records
rm "$R/lumaset_BAK/PSIconsLowRes.dat"
run 0 backup --refresh >/dev/null
default_gives_original "records lost, LowRes copy lost"

# 3. Records lost, the language copy flipped: the copy in Resources is the original.
themed_host
lose_records
flip "$L/tw10428.dat"
default_gives_original "records lost, language copy flipped"
cmp -s "$L/tw10428.dat" "$lang" || fail "the language copy was not mended"

# 4. The language folder's record from before the apply, with a higher generation.
themed_host
cp "$work/record-before-apply" "$L/lumaset.record"
rewrite_record "$L/lumaset.record" generation 1000
default_gives_original "an old record with a higher generation"

# 5. Both records re-signed with the themed files' sizes and hashes.
themed_host
rewrite_record "$R/lumaset_BAK/lumaset.record" resign
rewrite_record "$L/lumaset.record" resign
default_gives_original "re-signed records"
cmp -s "$L/IconResources.idx" "$R/IconResources.idx" || fail "re-signed records: the second index copy is gone"

# 6. An update removes the language folder while the theme is on: the icons come back,
#    and "备份" and an apply go on without a language file.
themed_host
rm -rf "$work/PS/Locales/zh_CN"
out=$(run 0 apply '[默认]')
expect "$out" "[应用] 修改完成"
expect "$out" "中文语言文件已不在"
[ "$(host_files)" = "$(grep -v 'Locales/' <<<"$original")" ] || fail "language removed: the icons did not come back"
run 0 backup --refresh >/dev/null
run 0 apply 墨竹 >/dev/null
[ -f "$L/tw10428.dat" ] || fail "language removed: its backup copy is gone"

# 7. An update from four packs to two: "备份" reports nothing about the packs the host no
#    longer has.
themed_host
"$native/make-sample-host" "$work/two" --stub "$stubs/v16.1.2/Photoshop.exe" --layout two --pad-mib 1,1,0,0 >/dev/null
rm "$R/PSIconsXLowRes.dat" "$R/PSIconsXHighRes.dat"
for f in IconResources.idx PSIconsLowRes.dat PSIconsHighRes.dat; do cp "$work/two/Resources/$f" "$R/$f"; done
out=$(run 0 backup --refresh)
grep -qF "_更新备份_创建备份文件失败" <<<"$out" && fail "four to two packs: $out"
# The update's icon files, and the language file without the startup-text block.
original=$( (grep -v 'Locales/' <<<"$(host_files)"; grep 'Locales/' <<<"$original") | sort)
run 0 apply 墨竹 >/dev/null
default_gives_original "four to two packs"

# 8. A host pack overwritten with random bytes of its size: "备份" refuses it, "[默认]"
#    puts the original back.
themed_host
head -c "$(stat -c %s "$R/PSIconsHighRes.dat")" /dev/urandom >"$R/PSIconsHighRes.dat"
expect "$(run 0 status)" "host carries: unknown"
expect "$(run 1 backup --refresh)" "Photoshop 的这个文件已损坏，不能作为原版备份"
default_gives_original "a random HighRes pack"

# 9. A host index of random bytes, then one cut short (the start says what "[默认]" can
#    do about it): "[默认]" puts the original back.
themed_host
head -c "$(stat -c %s "$R/IconResources.idx")" /dev/urandom >"$R/IconResources.idx"
expect "$(run 0 status)" "host carries: unknown"
default_gives_original "a random index"
run 0 apply 墨竹 >/dev/null
truncate -s -100 "$R/IconResources.idx"
out=$(run 0 apply '[默认]')
expect "$out" "应用“[默认]”可以用备份把它恢复"
default_gives_original "an index cut short"

# 10. An update of every icon file and "备份" with the startup text on: status never calls
#     the host's look its own while the language file carries the block.
themed_host
"$native/make-sample-host" "$work/update" --stub "$stubs/v16.1.2/Photoshop.exe" --pad-mib 1,1,1,1 >/dev/null
for f in IconResources.idx PSIconsLowRes.dat PSIconsHighRes.dat PSIconsXLowRes.dat PSIconsXHighRes.dat; do
  cp "$work/update/Resources/$f" "$R/$f"
done
run 0 backup --refresh >/dev/null
grep -qF "host carries: its own look" <<<"$(run 0 status)" && fail "status calls a host with the block its own"

# 11. An editor's line break after the startup-text block: "[默认]" takes the block out and
#     keeps the line break, or it does not say done.
themed_host
printf '\r\0\n\0' >>"$lang"
expect "$(run 0 apply '[默认]')" "[应用] 修改完成"
{ cat "$work/language-before-apply"; printf '\r\0\n\0'; } | cmp -s - "$lang" ||
  fail "[默认] left the block or took the editor's line break"

# 12. A folder where the second index copy and the first language copy stood: each is
#     moved aside and the copy made again.
themed_host
rm "$L/IconResources.idx" "$R/lumaset_BAK/tw10428.dat"
mkdir "$L/IconResources.idx" "$R/lumaset_BAK/tw10428.dat"
default_gives_original "a folder at a copy's place"
[ -f "$L/IconResources.idx" ] && [ -d "$L/../lumaset_BAK_old/IconResources.idx" ] || fail "the folder was not moved aside"

# 13. One pack's size rewritten in both records: the copy's bytes hash to what the record
#     names, so the size is the record's fault.
themed_host
for record in "$R/lumaset_BAK/lumaset.record" "$L/lumaset.record"; do
  rewrite_record "$record" size PSIconsLowRes.dat 698000
done
default_gives_original "a pack's size rewritten in the records"

# 14. Records lost, an update of every icon file, then the second index copy flipped: the
#     copies disagree and nothing tells which was the original, but "备份" takes the
#     update's files (none carries a theme), and "[默认]" then keeps them.
themed_host
lose_records
for f in IconResources.idx PSIconsLowRes.dat PSIconsHighRes.dat PSIconsXLowRes.dat PSIconsXHighRes.dat; do
  cp "$work/update/Resources/$f" "$R/$f"
done
flip "$L/IconResources.idx"
run 0 backup --refresh >/dev/null
expect "$(run 0 apply '[默认]')" "[应用] 修改完成"
cmp -s "$work/update/Resources/IconResources.idx" "$R/IconResources.idx" || fail "[默认] did not keep the update's index"

echo "two faults ($([ "$windows" = 1 ] && echo "under wine" || echo native)): 1 passed, 0 failed"
