# What the end-to-end scripts of the command line share, sourced after they set cli_exe
# (a .exe runs under wine through scripts/wine-run): a work folder removed at exit,
# fail (with what wine said), winpath (a path as the program takes it) and wcli (the
# command line with its home in the work folder, in Chinese: the scripts read its Chinese
# messages).
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
  # The command line says something on every failure. A run that ends with an error and
  # without a word, on stdout or stderr, never started: wine under load sometimes gives up
  # a start so. It is tried once more, and the retry noted where fail() shows it.
  wcli() {
    local code=0 attempt before out
    out=$(mktemp "$work/wcli.XXXXXX")
    for attempt in 1 2; do
      before=$(stat -c %s "$work/wine-stderr.txt" 2>/dev/null || echo 0)
      "$wine_run" "$cli_exe" --lang zh --home "$(winpath "$work/home")" "$@" >"$out" 2>>"$work/wine-stderr.txt" ||
        code=$?
      if [ "$code" -eq 0 ] || [ -s "$out" ] || [ "$attempt" = 2 ] ||
        [ "$(stat -c %s "$work/wine-stderr.txt" 2>/dev/null || echo 0)" != "$before" ]; then
        break
      fi
      echo "wcli: $1 ended $code without a word; tried again" >>"$work/wine-stderr.txt"
      code=0
    done
    cat "$out"
    rm -f "$out"
    return "$code"
  }
else
  windows=0
  winpath() { printf '%s' "$1"; }
  wcli() { "$cli_exe" --lang zh --home "$work/home" "$@"; }
fi
