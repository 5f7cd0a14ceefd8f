#!/usr/bin/env bash
# Administrator rights on demand under wine, where every process may write everywhere
# unless wine itself runs as a user without rights:
#   forced  a writable host that the window is told it may not change (the process's
#           rights are taken away in the test): the elevated worker, the real
#           lumaset-cli.exe started with the verb "runas", gives the in-process bytes;
#   nobody  wine run as "nobody" on a host owned by root: the window offers the worker
#           once, starts it with the window's arguments, and the worker, which cannot
#           write either, ends it with a message; the host is unchanged.
# Usage: rights_e2e.sh LUMASET-CLI.EXE RIGHTS-TESTS.EXE NATIVE_BUILD_DIR STUB_DIR
set -euo pipefail
cli_exe=$1 tests_exe=$2 native=$3 stubs=$4
# shellcheck source=../support/cli_run.sh
source "$(dirname "$0")/../support/cli_run.sh"
chmod 755 "$work"

[ -x "$native/make-sample-host" ] || fail "no native build at $native (build the native preset first)"

# A located sample host and a program folder with the command line and the theme Ink.
prepare() {
  local at=$1
  mkdir -p "$at/home/LumasetTheme/Ink"
  "$native/make-sample-host" "$at/PS" --stub "$stubs/v16.1.2/Photoshop.exe" --dump "$at/expect" >/dev/null
  cp "$cli_exe" "$at/home/lumaset-cli.exe"
  printf '[Lumaset_theme]\r\ninfo=test\r\nloadtext=no\r\n' >"$at/home/LumasetTheme/Ink/info.ini"
  cp "$at/expect/Splash1080Background.high.png" "$at/home/LumasetTheme/Ink/loading_low.png"
  cp "$at/expect/PS_OWL_appbar_light_win.low.png" "$at/home/LumasetTheme/Ink/ico_dark_low.png"
}
host_sums() { (cd "$1" && find . -type f -print0 | sort -z | xargs -0 sha256sum); }

prepare "$work/forced"
"$wine_run" "$cli_exe" --home "$(winpath "$work/forced/home")" locate "$(winpath "$work/forced/PS/Photoshop.exe")" \
  >/dev/null 2>>"$work/wine-stderr.txt" || fail "locate"
LUMASET_RIGHTS_CASE=forced LUMASET_RIGHTS_HOST="$(winpath "$work/forced/PS")\\" \
  LUMASET_RIGHTS_HOME="$(winpath "$work/forced/home")" \
  "$wine_run" "$tests_exe" --gtest_filter='Win32Rights.*' --gtest_brief=1 >"$work/forced.txt" 2>&1 ||
  fail "forced through the worker: $(tail -30 "$work/forced.txt")"
grep -q '1 test.*PASSED\|PASSED.*1 test' "$work/forced.txt" || fail "the forced case did not run: $(cat "$work/forced.txt")"

# The worker writes its result only into an empty result file the window made: not into
# the host's index, and not through a link of either kind.
index="$work/forced/PS/Resources/IconResources.idx"
named="$work/lumaset-worker-0123456789abcdef0123456789abcdef.result"
: >"$work/other"
worker_apply() {
  "$wine_run" "$cli_exe" --result "$(winpath "$1")" --result-token 0a1b --home "$(winpath "$work/forced/home")" \
    apply -- Ink >/dev/null 2>>"$work/wine-stderr.txt"
}
if worker_apply "$index"; then fail "the worker wrote its result into the host's index"; fi
! grep -q "lumaset-outcome" "$index" || fail "the host's index holds the worker's result"
for link in hard symbolic; do
  rm -f "$named"
  if [ $link = hard ]; then ln "$work/other" "$named"; else ln -s "$work/other" "$named"; fi
  if worker_apply "$named"; then fail "the worker wrote its result through a $link link"; fi
  [ ! -s "$work/other" ] || fail "the worker wrote its result through a $link link"
done

if [ "$(id -u)" -ne 0 ] || ! command -v setpriv >/dev/null || ! id nobody >/dev/null 2>&1; then
  echo "the case of a user without rights skipped: needs root and setpriv to run as nobody"
  exit 0
fi

# nobody's own prefix, kept beside the test program and made once.
prefix=$(cd "$(dirname "$tests_exe")" && pwd)/wineprefix-nobody
mkdir -p "$prefix"
chown nobody:nogroup "$prefix"
as_nobody() {
  setpriv --reuid=nobody --regid=nogroup --clear-groups env HOME="$prefix" WINEPREFIX="$prefix/wine" \
    WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" "$@"
}
if [ ! -f "$prefix/wine/.lumaset-ready" ]; then
  as_nobody wineboot -i >/dev/null 2>&1 || true
  as_nobody wineserver -w || true
  as_nobody touch "$prefix/wine/.lumaset-ready"
fi
trap 'as_nobody wineserver -k 2>/dev/null || true; rm -rf "$work"' EXIT

prepare "$work/nobody"
chown -R nobody:nogroup "$work/nobody/home"
before=$(host_sums "$work/nobody/PS")
as_nobody wine "$cli_exe" --home "$(winpath "$work/nobody/home")" locate "$(winpath "$work/nobody/PS/Photoshop.exe")" \
  >/dev/null 2>>"$work/wine-stderr.txt" || fail "locate as nobody"
as_nobody env LUMASET_RIGHTS_CASE=nobody LUMASET_RIGHTS_HOST="$(winpath "$work/nobody/PS")\\" \
  LUMASET_RIGHTS_HOME="$(winpath "$work/nobody/home")" \
  wine "$tests_exe" --gtest_filter='Win32Rights.*' --gtest_brief=1 >"$work/nobody.txt" 2>&1 ||
  fail "as nobody: $(tail -30 "$work/nobody.txt")"
grep -q '1 test.*PASSED\|PASSED.*1 test' "$work/nobody.txt" || fail "the nobody case did not run: $(cat "$work/nobody.txt")"
[ "$(host_sums "$work/nobody/PS")" = "$before" ] || fail "the host changed"
[ ! -e "$work/nobody/PS/Locales_BAK" ] || fail "Locales_BAK was made"
# The command line asks for nothing: one message, exit 1.
set +e
out=$(as_nobody wine "$cli_exe" --home "$(winpath "$work/nobody/home")" --json apply Ink 2>>"$work/wine-stderr.txt")
code=$?
set -e
[ "$code" -eq 1 ] || fail "apply as nobody exited $code: $out"
[ "$(grep -c '"caption":"需要管理员权限"' <<<"$out")" -eq 1 ] || fail "apply as nobody: $out"
echo "ok: forced through the worker, and offered once to a user without rights"
