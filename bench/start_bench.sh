#!/usr/bin/env bash
# Start to first drawn frame under wine: lumaset.exe on a located sample host against a
# minimal window program, in alternating pairs (bench/windows/start_bench.cpp).
# Usage: bench/start_bench.sh [PAIRS]   (after scripts/build native windows)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
pairs=${1:-15}
win=$root/build/windows native=$root/build/native
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
winpath() { printf 'Z:%s' "${1//\//\\}"; }

"$native/make-sample-host" "$work/PS" --stub "$win/stubs/v16.1.2/Photoshop.exe" >/dev/null
mkdir -p "$work/program"
cp "$win/lumaset.exe" "$win/lumaset-cli.exe" "$win/minimal-window.exe" "$work/program/"
cp -r "$root/assets/LumasetTheme" "$root/assets/模板" "$work/program/"
"$root/scripts/wine-run" "$work/program/lumaset-cli.exe" locate "$(winpath "$work/PS/Photoshop.exe")" >/dev/null
# The main window, the splash preview and the frame make lumaset's first frame.
"$root/scripts/wine-run" "$win/start-bench.exe" "$(winpath "$work/program/lumaset.exe")" 3 \
  "$(winpath "$work/program/minimal-window.exe")" 1 "$pairs"
