# What the end-to-end scripts of the command line share, sourced after they set cli_exe
# (a .exe runs under wine through scripts/wine-run): a work folder removed at exit,
# fail (with what wine said), winpath (a path as the program takes it) and wcli (the
# command line with its home in the work folder).
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
wine_run=$root/scripts/wine-run
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() {
  echo "FAIL: $*" >&2
  [ -f "$work/wine-stderr.txt" ] && sed "s/^/  wine: /" "$work/wine-stderr.txt" >&2
  exit 1
}
if [[ "$cli_exe" == *.exe ]]; then
  windows=1
  winpath() { printf 'Z:%s' "${1//\//\\}"; }
  wcli() { "$wine_run" "$cli_exe" --home "$(winpath "$work/home")" "$@" 2>>"$work/wine-stderr.txt"; }
else
  windows=0
  winpath() { printf '%s' "$1"; }
  wcli() { "$cli_exe" --home "$work/home" "$@"; }
fi
