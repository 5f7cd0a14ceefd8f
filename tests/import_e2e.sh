#!/usr/bin/env bash
# Imports end to end with the command line (the Windows one under wine, or the native
# one): two imports at once, a fixed number of rounds, each theme whole afterwards; a
# name that exists needs --replace; dropped links and pipes are left out and named; pipes
# as a theme's files, setting.ini or the backup's record never hang a command (nor keep
# the host's lock); under wine, a program folder whose path passes 260 characters.
# Usage: import_e2e.sh LUMASET-CLI[.EXE] NATIVE_BUILD_DIR STUB_DIR ROUNDS
set -euo pipefail

# Wine runs that overlap share one display: a display of each run's own would end with
# that run and take the other runs' wine (its desktop process) down with it.
if [[ "$1" == *.exe ]] && [ -z "${LUMASET_USE_DISPLAY:-}" ]; then
  LUMASET_USE_DISPLAY=1 exec "$(dirname "$0")/../scripts/with-display" \
    "${LUMASET_WINEPREFIX:-$(cd "$(dirname "$1")" && pwd)/wineprefix}" bash "$0" "$@"
fi
cli_exe=$1 native=$2 stubs=$3 rounds=$4
# shellcheck source=support/cli_run.sh
source "$(dirname "$0")/support/cli_run.sh"
limit=$([ "$windows" = 1 ] && echo 90 || echo 20)
# The command line with a time limit: a command that hangs fails the test instead.
tcli() {
  local code=0
  if [ "$windows" = 1 ]; then
    timeout -k 5 "$limit" "$wine_run" "$cli_exe" --lang zh --home "$(winpath "$work/home")" "$@" 2>>"$work/wine-stderr.txt" ||
      code=$?
  else
    timeout -k 5 "$limit" "$cli_exe" --lang zh --home "$work/home" "$@" || code=$?
  fi
  [ "$code" != 124 ] && [ "$code" != 137 ] || fail "lumaset-cli $* hung"
  return "$code"
}
expect_in() { grep -qF -- "$2" <<<"$1" || fail "expected \"$2\", got: $1"; }
library=$work/home/LumasetTheme
# Writes the package ZIP holding the theme NAME: info.ini and per image a PNG whose image
# data is SIZE KiB of noise (the import takes only images whose PNG structure is sound).
make_package() {
  python3 - "$1" "$2" "$3" <<'PY'
import os, struct, sys, zipfile, zlib
path, name, size = sys.argv[1], sys.argv[2], int(sys.argv[3])
def chunk(kind, body):
    return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))
def png(data):
    header = chunk(b"IHDR", struct.pack(">IIBBBBB", 64, 64, 8, 6, 0, 0, 0))
    return b"\x89PNG\r\n\x1a\n" + header + chunk(b"IDAT", data) + chunk(b"IEND", b"")
with zipfile.ZipFile(path, "w", zipfile.ZIP_STORED) as z:
    z.writestr("info.ini", "[Lumaset_theme]\r\ninfo=%s\r\n" % name)
    for image in ("loading_low", "loading_high", "ico_dark_low", "ico_dark_high", "ico_light_low", "ico_light_high"):
        z.writestr(image + ".png", png(os.urandom(size << 10)))
PY
}
# Whether the theme folder holds exactly what the package does.
same_as_package() {
  python3 - "$1" "$2" <<'PY'
import os, sys, zipfile
package, folder = sys.argv[1], sys.argv[2]
with zipfile.ZipFile(package) as z:
    want = {n: z.read(n) for n in z.namelist()}
have = {}
for root, _, names in os.walk(folder):
    for n in names:
        p = os.path.join(root, n)
        have[os.path.relpath(p, folder)] = open(p, "rb").read()
sys.exit(0 if have == want else 1)
PY
}
mkdir -p "$work/dl" "$work/home"

# Two imports at once: the same package twice (with --replace), and two new packages.
make_package "$work/dl/Twin.zip" Twin 600
for round in $(seq 1 "$rounds"); do
  make_package "$work/dl/A$round.zip" "A$round" 400
  make_package "$work/dl/B$round.zip" "B$round" 400
  tcli import "$(winpath "$work/dl/Twin.zip")" --replace >"$work/t1" & p1=$!
  tcli import "$(winpath "$work/dl/Twin.zip")" --replace >"$work/t2" & p2=$!
  tcli import "$(winpath "$work/dl/A$round.zip")" >"$work/a" & p3=$!
  tcli import "$(winpath "$work/dl/B$round.zip")" >"$work/b" & p4=$!
  for p in $p1 $p2 $p3 $p4; do
    wait "$p" || fail "round $round: an import at the same time as others failed: $(cat "$work/t1" "$work/t2" "$work/a" "$work/b")"
  done
  same_as_package "$work/dl/Twin.zip" "$library/Twin" || fail "round $round: Twin is not the package"
  same_as_package "$work/dl/A$round.zip" "$library/A$round" || fail "round $round: A$round is not whole"
  same_as_package "$work/dl/B$round.zip" "$library/B$round" || fail "round $round: B$round is not whole"
  leftovers=$(find "$library" -maxdepth 1 -name '.lumaset-*' ! -name .lumaset-library.lock)
  [ -z "$leftovers" ] || fail "round $round: left behind: $leftovers"
done
listed=$(tcli themes) || fail "themes exited $?"
expect_in "$listed" "Twin"
expect_in "$listed" "B$rounds"

# A name that exists: refused without --replace (nothing changes), merged with it.
before=$(cd "$library/Twin" && sha256sum ./*)
set +e
out=$(tcli import "$(winpath "$work/dl/Twin.zip")" 2>"$work/err"); code=$?
set -e
[ "$code" = 1 ] || fail "an import over an existing theme without --replace exited $code"
expect_in "$out" "未添加主题：Twin.zip"
expect_in "$(cat "$work/err" "$work/wine-stderr.txt" 2>/dev/null)" "--replace"
[ "$(cd "$library/Twin" && sha256sum ./*)" = "$before" ] || fail "a refused import changed the theme"

# A dropped folder: links and a pipe are named and left out, the rest arrives.
mkdir -p "$work/dl/Ink/sub" "$work/secret"
unzip -q "$work/dl/A1.zip" -d "$work/dl/Ink"
echo secret >"$work/secret/word.text"
ln -s "$work/secret/word.text" "$work/dl/Ink/word.text"
ln -s "$work/secret" "$work/dl/Ink/outside"
ln -s . "$work/dl/Ink/a"
ln -s . "$work/dl/Ink/b"
mkfifo "$work/dl/Ink/sub/pipe"
out=$(tcli import "$(winpath "$work/dl/Ink")") || fail "the folder import exited $?: $out"
expect_in "$out" "已添加主题：Ink"
for name in word.text outside; do expect_in "$out" "  $name"; done
[ ! -e "$library/Ink/word.text" ] && [ ! -e "$library/Ink/outside" ] && [ ! -e "$library/Ink/a" ] ||
  fail "a link was copied"
[ "$(find "$library/Ink" | wc -l)" -lt 20 ] || fail "the links were followed"
same_as_package "$work/dl/A1.zip" "$library/Ink" || fail "the folder's own files did not arrive whole"

# Pipes where the program reads: a theme's image and text, setting.ini, the record.
"$native/make-sample-host" "$work/PS" --stub "$stubs/v16.1.2/Photoshop.exe" --dump "$work/expect" >/dev/null
tcli locate "$(winpath "$work/PS/Photoshop.exe")" >/dev/null || fail "locate"
piped=$library/Piped
mkdir -p "$piped"
printf '[Lumaset_theme]\r\ninfo=piped\r\n' >"$piped/info.ini"
cp "$work/expect/Splash1080Background.high.png" "$piped/loading_low.png"
mkfifo "$piped/loading_high.png" "$piped/word.text"
touch "$piped/word.txt"
tcli preview Piped >/dev/null || true
tcli apply Piped --hide-text off >/dev/null || true
out=$(tcli apply '[默认]') || fail "[默认] after an apply with a piped word.text exited $?: $out"
rm -f "$work/home/setting.ini"
mkfifo "$work/home/setting.ini"
tcli status >/dev/null || true
rm -f "$work/home/setting.ini"
tcli locate "$(winpath "$work/PS/Photoshop.exe")" >/dev/null || fail "locate again"
record=$work/PS/Resources/lumaset_BAK/lumaset.record
rm -f "$record"
mkfifo "$record"
tcli status >/dev/null || true
tcli apply '[默认]' >/dev/null || true

# A program folder whose path passes 260 characters (Windows only).
if [ "$windows" = 1 ]; then
  long=$work/long
  while [ ${#long} -lt 300 ]; do long=$long/一个很长的文件夹名称-abcdefghij; done
  mkdir -p "$long"
  out=$(timeout -k 5 "$limit" "$wine_run" "$cli_exe" --lang zh --home "$(winpath "$long")" import \
    "$(winpath "$work/dl/A1.zip")" "$(winpath "$work/dl/Ink")" 2>>"$work/wine-stderr.txt") ||
    fail "imports into a library at a long path exited $?: $out"
  same_as_package "$work/dl/A1.zip" "$long/LumasetTheme/A1" || fail "the long path's package is not whole"
  same_as_package "$work/dl/A1.zip" "$long/LumasetTheme/Ink" || fail "the long path's folder is not whole"
fi
echo "imports: $rounds rounds at once, --replace, links, pipes$([ "$windows" = 1 ] && echo ', long paths') passed"
