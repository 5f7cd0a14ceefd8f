#!/usr/bin/env bash
# Start to first drawn frame under wine, in alternating pairs (bench/windows/start_bench.cpp):
# lumaset.exe on a located sample host against a minimal window program, then the floor
# program (lumaset's libraries, one splash decoded and shown, one line of Chinese text)
# against the same minimal window: what no program with these libraries can go below.
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
cp "$win/lumaset.exe" "$win/lumaset-cli.exe" "$win/minimal-window.exe" "$win/floor-window.exe" "$work/program/"
cp "$root/assets/LumasetTheme/Aurora/loading_low.png" "$work/program/floor-splash.png"
cp -r "$root/assets/LumasetTheme" "$root/assets/模板" "$work/program/"
"$root/scripts/wine-run" "$work/program/lumaset-cli.exe" locate "$(winpath "$work/PS/Photoshop.exe")" >/dev/null
minimal=$(winpath "$work/program/minimal-window.exe")
# The main window, the splash preview and the frame make lumaset's first frame; the
# floor's is its main window and its preview.
echo "lumaset against the minimal window (target: a ratio of at most 1.50):"
"$root/scripts/wine-run" "$win/start-bench.exe" "$(winpath "$work/program/lumaset.exe")" 3 "$minimal" 1 "$pairs"
echo "the floor against the minimal window:"
"$root/scripts/wine-run" "$win/start-bench.exe" "$(winpath "$work/program/floor-window.exe")" 2 "$minimal" 1 "$pairs"
