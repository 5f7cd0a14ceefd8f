#!/usr/bin/env bash
# A user without write rights in the host's folders: the backup and the apply refuse
# with their messages and every host file keeps its bytes. Root may write anywhere, so
# the program runs as "nobody"; the test is skipped (77) when it cannot drop rights.
# Usage: no_rights.sh NATIVE_BUILD_DIR
set -euo pipefail
build=$1
if [ "$(id -u)" -ne 0 ] || ! command -v setpriv >/dev/null || ! id nobody >/dev/null 2>&1; then
  echo "skipped: needs root and setpriv to run as nobody"
  exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
chmod 755 "$work"
fail() { echo "FAIL: $*" >&2; exit 1; }

"$build/make-sample-host" "$work/PS" --stub "$build/stubs/v16.1.2/Photoshop.exe" >/dev/null
mkdir -p "$work/home/LumasetTheme/Sakura"
printf '[Lumaset_theme]\r\ninfo=x\r\n' >"$work/home/LumasetTheme/Sakura/info.ini"
printf '\x89PNG\r\n\x1a\nrest' >"$work/home/LumasetTheme/Sakura/loading_low.png"
chmod -R a+rX "$work/PS" "$work/home"
chmod 777 "$work/home"   # the program folder is the user's own
before=$(cd "$work/PS" && find . -type f -exec sha256sum {} + | sort)

as_nobody() { setpriv --reuid=nobody --regid=nogroup --clear-groups "$build/lumaset-cli" --home "$work/home" "$@"; }

# The location itself succeeds; the startup check cannot create Locales_BAK and says so.
set +e
out=$(as_nobody locate "$work/PS/Photoshop.exe"); code=$?
set -e
[ "$code" = 1 ] || fail "locate exited $code: $out"
grep -q "^\[错误\] 创建语言文件备份路径失败：$work/PS/Locales_BAK\$" <<<"$out" || fail "Locales_BAK not reported: $out"
grep -q "^path box: $work/PS/\$" <<<"$out" || fail "not located: $out"

set +e
out=$(as_nobody --json backup); code=$?
set -e
[ "$code" = 1 ] || fail "backup exited $code: $out"
grep -q "{\"caption\":\"错误\",\"text\":\"创建备份文件失败：$work/PS/Resources/lumaset_BAK\",\"icon\":\"error\"}" <<<"$out" \
  || fail "backup message: $out"

set +e
out=$(as_nobody --json apply Sakura); code=$?
set -e
[ "$code" = 1 ] || fail "apply exited $code: $out"
grep -q '"text":"没有创建备份，所以无法为你进行下一步操作' <<<"$out" || fail "no no-backup message: $out"
grep -q '修改完成' <<<"$out" && fail "a refused apply reported success"

after=$(cd "$work/PS" && find . -type f -exec sha256sum {} + | sort)
[ "$before" = "$after" ] || fail "host files changed"
echo "no rights: 1 passed, 0 failed"
