#!/usr/bin/env bash
# A user without write rights in the host's folders: the backup and the apply refuse
# before they change anything, with one message that says administrator rights are
# needed, and every host file keeps its bytes. Root may write anywhere, so
# the program runs as "nobody"; the test is skipped (77) when it cannot drop rights.
# Usage: no_rights.sh NATIVE_BUILD_DIR
set -euo pipefail
build=$1
if [ "$(id -u)" -ne 0 ] || ! command -v setpriv >/dev/null || ! id nobody >/dev/null 2>&1; then
  echo "skipped: needs root and setpriv to run as nobody"
  exit 77
fi
fail() { echo "FAIL: $*" >&2; exit 1; }
# shellcheck source=other_user.sh
source "$(dirname "$0")/other_user.sh"
# The host, the program folder and the command line lie where nobody can reach them.
work=$(nobody_folder) || fail "no temporary folder that nobody can enter"
trap 'rm -rf "$work"' EXIT
cp "$build/lumaset-cli" "$work/lumaset-cli"

"$build/make-sample-host" "$work/PS" --stub "$build/stubs/v16.1.2/Photoshop.exe" >/dev/null
mkdir -p "$work/home/LumasetTheme/Sakura"
printf '[Lumaset_theme]\r\ninfo=x\r\n' >"$work/home/LumasetTheme/Sakura/info.ini"
printf '\x89PNG\r\n\x1a\nrest' >"$work/home/LumasetTheme/Sakura/loading_low.png"
chmod -R a+rX "$work/PS" "$work/home"
chmod 777 "$work/home"   # the program folder is the user's own
before=$(cd "$work/PS" && find . -type f -exec sha256sum {} + | sort)

as_nobody() { nobody_runs "$work/lumaset-cli" --lang zh --home "$work/home" "$@"; }

# The location succeeds and writes nothing in the host's folders: Locales_BAK belongs to
# the first backup.
set +e
out=$(as_nobody locate "$work/PS/Photoshop.exe"); code=$?
set -e
[ "$code" = 0 ] || fail "locate exited $code: $out"
grep -q "^path box: $work/PS/\$" <<<"$out" || fail "not located: $out"
grep -q "错误" <<<"$out" && fail "locate reported an error: $out"
[ ! -e "$work/PS/Locales_BAK" ] || fail "locate made Locales_BAK"

set +e
out=$(as_nobody --json backup); code=$?
set -e
[ "$code" = 1 ] || fail "backup exited $code: $out"
rights="{\"caption\":\"需要管理员权限\",\"text\":\"Lumaset 没有修改这个文件夹的权限，未作任何修改：\\\\r\\\\n$work/PS/Resources\\\\r\\\\n"
[ "$(grep -c "^$rights" <<<"$out")" = 1 ] && [ "$(grep -c caption <<<"$out")" = 1 ] || fail "backup message: $out"

set +e
out=$(as_nobody --json apply Sakura); code=$?
set -e
[ "$code" = 1 ] || fail "apply exited $code: $out"
[ "$(grep -c "^$rights" <<<"$out")" = 1 ] && [ "$(grep -c caption <<<"$out")" = 1 ] || fail "apply message: $out"
grep -q '修改完成' <<<"$out" && fail "a refused apply reported success"

after=$(cd "$work/PS" && find . -type f -exec sha256sum {} + | sort)
[ "$before" = "$after" ] || fail "host files changed"

# The host's folder read-only to the user while Resources and the language folders are
# writable: the edit locks in the folders it changes, never in the host's, and a lock
# there held by another run keeps a second run out.
rm -rf "$work/PS"
"$build/make-sample-host" "$work/PS" --stub "$build/stubs/v16.1.2/Photoshop.exe" >/dev/null
mkdir "$work/PS/Locales_BAK"
chmod 755 "$work/PS"
chmod -R a+rwX "$work/PS/Resources" "$work/PS/Locales" "$work/PS/Locales_BAK"
as_nobody locate "$work/PS/Photoshop.exe" >/dev/null || fail "locate in a read-only host folder"
cp "$build/LumasetTheme/Aurora/loading_low.png" "$work/home/LumasetTheme/Sakura/loading_low.png"
lock=$(as_nobody --json status | python3 -c 'import json,sys; print([l for l in json.loads(sys.stdin.readline())["locks"] if l.endswith("/Resources/.lumaset.lock")][0])')
[ -n "$lock" ] || fail "status names no lock in Resources"
nobody_runs flock "$lock" \
  sh -c "touch '$work/home/held'; while [ ! -f '$work/home/release' ]; do sleep 0.1; done" &
holder=$!
for _ in $(seq 100); do [ -f "$work/home/held" ] && break; sleep 0.1; done
[ -f "$work/home/held" ] || fail "the holder did not take $lock"
set +e
out=$(as_nobody --json apply Sakura); code=$?
set -e
touch "$work/home/release"
wait "$holder"
[ "$code" = 1 ] && grep -q '"text":"另一个 Lumaset 正在修改这个 Photoshop 的文件，请稍后再试"' <<<"$out" \
  || fail "apply beside a holder of the lock in Resources: $code $out"
[ ! -e "$work/PS/.lumaset.lock" ] || fail "a lock was made in the read-only host folder"
out=$(as_nobody --json apply Sakura) || fail "apply once the lock is free: $out"
grep -q '"text":"修改完成"' <<<"$out" || fail "apply once the lock is free said: $out"

# A program folder the user may not write to (unpacked into Program Files, say): the
# location holds for the run but cannot be stored, says where the program belongs and
# exits 1; the next start asks for the host again.
mkdir "$work/readonly-home"
chmod 555 "$work/readonly-home"
set +e
out=$(nobody_runs "$work/lumaset-cli" --lang zh --home "$work/readonly-home" \
  --json locate "$work/PS/Photoshop.exe"); code=$?
set -e
[ "$code" = 1 ] || fail "locate into a read-only program folder exited $code: $out"
grep -qF "{\"caption\":\"错误\",\"text\":\"无法保存设置：$work/readonly-home/setting.ini\\r\\n" <<<"$out" \
  || fail "no message about the settings: $out"
[ "$(grep -c '无法保存设置' <<<"$out")" = 1 ] || fail "more than one settings message: $out"
grep -qF "{\"pathBox\":\"$work/PS/\"}" <<<"$out" || fail "the host was not located for the run: $out"
[ ! -e "$work/readonly-home/setting.ini" ] || fail "setting.ini appeared in a read-only folder"
out=$(nobody_runs "$work/lumaset-cli" --lang zh --home "$work/readonly-home" \
  --json status) || fail "status after an unstored location: $out"
grep -qF '"hostFolder":""' <<<"$out" || fail "a host was kept without settings: $out"
echo "no rights: 1 passed, 0 failed"
