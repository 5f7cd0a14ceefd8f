#!/usr/bin/env bash
# A DLL planted beside the programs is never loaded. The program folder is one the user
# may write, and the command line runs there with administrator rights as the window's
# worker: a DLL that Windows looks for beside the program before its own folder would run
# with those rights. A marker DLL (it leaves NAME.loaded when loaded) is copied beside
# both programs under the name of every DLL they import, delay-load or are known to load
# that is not a KnownDLL of Windows, and wine is told to prefer such a file to its own
# (WINEDLLOVERRIDES n,b), as Windows' search order does. Then the command line runs an
# operation and the window starts and shows its first box; no marker may appear.
# Usage: planted_dlls.sh OBJDUMP LUMASET.EXE LUMASET-CLI.EXE PLANT.DLL
set -euo pipefail
objdump=$1 gui_exe=$2 cli_exe=$3 plant=$4
# shellcheck source=../support/cli_run.sh
source "$(dirname "$0")/../support/cli_run.sh"
# shellcheck source=known_dlls.sh
source "$(dirname "$0")/known_dlls.sh"

# The names a planted DLL takes: every DLL the import tables name, and those the programs
# load at their first call (gdiplus.dll, comctl32.dll, oleacc.dll). version.dll is left out: wine's
# own advapi32.dll imports it, and wine looks for it beside the program before the
# program's first line whatever the program imports (seen in wine's loader trace); that
# no table names it, the import test reads.
names="gdiplus.dll comctl32.dll oleacc.dll"
for exe in "$gui_exe" "$cli_exe"; do
  names="$names $("$objdump" -p "$exe" | sed -n 's/^[[:space:]]*DLL Name:[[:space:]]*//p' | tr 'A-Z' 'a-z' | tr -d '\r')"
done
planted=()
for dll in $(printf '%s\n' $names | sort -u); do
  [ "$dll" = version.dll ] || is_known_dll "$dll" || planted+=("$dll")
done

prog=$work/program
# The build's own prefix, not a new one beside the copies.
export LUMASET_WINEPREFIX=${LUMASET_WINEPREFIX:-$(cd "$(dirname "$cli_exe")" && pwd)/wineprefix}
mkdir -p "$prog/home" "$work/PS"
cp "$gui_exe" "$prog/lumaset.exe"
cp "$cli_exe" "$prog/lumaset-cli.exe"
for dll in "${planted[@]}"; do cp "$plant" "$prog/$dll"; done
overrides=$(printf '%s,' "${planted[@]%.dll}")
export WINEDLLOVERRIDES="mscoree,mshtml=;${overrides%,}=n,b"

# The command line as the window's worker runs it, on a folder that is no host.
timeout 60 "$wine_run" "$prog/lumaset-cli.exe" --home "$(winpath "$prog/home")" status >/dev/null 2>>"$work/wine-stderr.txt" || true
timeout 60 "$wine_run" "$prog/lumaset-cli.exe" --home "$(winpath "$prog/home")" locate \
  "$(winpath "$work/PS/Photoshop.exe")" >/dev/null 2>>"$work/wine-stderr.txt" || true
# The window, until it has started the widget kit (which loads gdiplus.dll) and shows its
# first-start box; then it is ended. The loader's trace shows that it got that far.
export WINEPREFIX=$LUMASET_WINEPREFIX WINEDEBUG=+loaddll
timeout 120 "$root/scripts/with-display" "$WINEPREFIX" bash -c '
  wine "$1" >/dev/null 2>"$2/window-trace.txt" &
  window=$!
  for _ in $(seq 1 30); do
    sleep 1
    grep -qi "gdiplus.dll" "$2/window-trace.txt" && break
  done
  sleep 2
  kill "$window" || echo "the window ended by itself" >>"$2/window-trace.txt"
  wait "$window" || true' _ "$prog/lumaset.exe" "$work" || true
grep -qiF 'system32\\gdiplus.dll" at' "$work/window-trace.txt" ||
  fail "the window did not load gdiplus.dll from the system: $(grep -i 'gdiplus\|ended' "$work/window-trace.txt")"

loaded=$(cd "$prog" && ls -- *.loaded 2>/dev/null || true)
[ -z "$loaded" ] || fail "planted DLLs were loaded: $(echo $loaded)"
echo "ok: none of ${#planted[@]} planted DLLs loaded (${planted[*]})"
