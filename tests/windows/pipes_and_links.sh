#!/usr/bin/env bash
# Runs the Win32 file tests under wine beside what only the POSIX side can make: a FIFO,
# a second one held open at both ends (a read of it waits for bytes that never come, a
# write fills it and then waits), a socket, symbolic links to a file, to a folder and to
# nowhere, and a folder holding links to files and folders (one of them empty) outside
# it. The test finds them through LUMASET_TEST_PIPES_AND_LINKS and a device node through
# LUMASET_TEST_DEVICE.
# Usage: pipes_and_links.sh WIN32_FILES_TESTS.EXE [GTEST ARGS...]
set -euo pipefail

exe=$1
shift
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
holder=
cleanup() {
  if [ -n "$holder" ]; then kill "$holder" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

mkdir -p "$work/outside/sub" "$work/empty" "$work/tree/real"
printf 'outside' >"$work/outside/file.txt"
printf 'inside' >"$work/outside/sub/kept.txt"
mkfifo "$work/fifo" "$work/held-fifo"
sleep 600 <>"$work/held-fifo" &
holder=$!
python3 -c 'import socket, sys; socket.socket(socket.AF_UNIX).bind(sys.argv[1])' "$work/socket"
ln -s outside/file.txt "$work/file-link"
ln -s outside "$work/folder-link"
ln -s nowhere "$work/dangling-link"
printf 'x' >"$work/tree/real/own.txt"
ln -s ../outside "$work/tree/folder-link"
ln -s ../outside/file.txt "$work/tree/file-link"
ln -s ../empty "$work/tree/empty-link"

winpath() { printf 'Z:%s' "${1//\//\\}"; }
LUMASET_TEST_PIPES_AND_LINKS=$(winpath "$work") LUMASET_TEST_DEVICE=$(winpath /dev/zero) "$root/scripts/wine-run" "$exe" "$@"
