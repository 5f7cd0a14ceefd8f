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

[ -x "$native/make-sample-host" ] || fail "no native build at $native (build the native preset first)"

# nobody's own folder, which it can reach wherever the build lies: a new wine prefix, the
# host (root's) and the program folder (nobody's) with the command line and the tests,
# which find the worker beside them. The prefix is made while the forced case runs.
nobody=1
if [ "$(id -u)" -ne 0 ] || ! command -v setpriv >/dev/null || ! id nobody >/dev/null 2>&1; then nobody=0; fi
if [ "$nobody" = 1 ]; then
  # shellcheck source=../posix/other_user.sh
  source "$(dirname "$0")/../posix/other_user.sh"
  own=$(nobody_folder) || fail "no temporary folder that nobody can enter"
  mkdir "$own/prefix"
  chown nobody:nogroup "$own/prefix"
  as_nobody() {
    nobody_runs env HOME="$own/prefix" WINEPREFIX="$own/prefix/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" \
      "$@"
  }
  trap 'as_nobody wineserver -k 2>/dev/null || true; rm -rf "$work" "$own"' EXIT
  (as_nobody wineboot -i >/dev/null 2>&1 || true; as_nobody wineserver -w || true) &
  boot=$!
fi

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

if [ "$nobody" = 0 ]; then
  echo "the case of a user without rights skipped: needs root and setpriv to run as nobody"
  exit 0
fi
wait "$boot"
prepare "$own/nobody"
chown -R nobody:nogroup "$own/nobody/home"
cp "$tests_exe" "$own/nobody/home/rights-tests.exe"
own_cli=$own/nobody/home/lumaset-cli.exe
before=$(host_sums "$own/nobody/PS")
locate_as_nobody() {
  as_nobody wine "$own_cli" --home "$(winpath "$own/nobody/home")" locate "$(winpath "$own/nobody/PS/Photoshop.exe")" \
    >/dev/null 2>>"$work/wine-stderr.txt"
}
# A prefix whose boot stopped short cannot load kernel32.dll: it is booted again, once.
if ! locate_as_nobody; then
  grep -q 'could not load kernel32.dll' "$work/wine-stderr.txt" || fail "locate as nobody"
  as_nobody wineboot -i >/dev/null 2>&1 || true
  as_nobody wineserver -w || true
  locate_as_nobody || fail "locate as nobody, after the prefix was booted again"
fi
as_nobody env LUMASET_RIGHTS_CASE=nobody LUMASET_RIGHTS_HOST="$(winpath "$own/nobody/PS")\\" \
  LUMASET_RIGHTS_HOME="$(winpath "$own/nobody/home")" \
  wine "$own/nobody/home/rights-tests.exe" --gtest_filter='Win32Rights.*' --gtest_brief=1 >"$work/nobody.txt" 2>&1 ||
  fail "as nobody: $(tail -30 "$work/nobody.txt")"
grep -q '1 test.*PASSED\|PASSED.*1 test' "$work/nobody.txt" || fail "the nobody case did not run: $(cat "$work/nobody.txt")"
[ "$(host_sums "$own/nobody/PS")" = "$before" ] || fail "the host changed"
[ ! -e "$own/nobody/PS/Locales_BAK" ] || fail "Locales_BAK was made"
# The command line asks for nothing: one message, exit 1.
set +e
out=$(as_nobody wine "$own_cli" --lang zh --home "$(winpath "$own/nobody/home")" --json apply Ink 2>>"$work/wine-stderr.txt")
code=$?
set -e
[ "$code" -eq 1 ] || fail "apply as nobody exited $code: $out"
[ "$(grep -c '"caption":"需要管理员权限"' <<<"$out")" -eq 1 ] || fail "apply as nobody: $out"
echo "ok: forced through the worker, and offered once to a user without rights"
