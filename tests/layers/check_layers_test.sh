#!/usr/bin/env bash
# The layer check on the real tree, and on small trees that break each of its rules.
set -euo pipefail
script="$1/scripts/check-layers"
python3 "$script"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
expect_breach() {  # expect_breach WHAT PATTERN
  if out=$(python3 "$script" "$work"); then
    echo "FAIL: $1 passed the check"; exit 1
  fi
  grep -q -- "$2" <<<"$out" || { echo "FAIL: $1 not named: $out"; exit 1; }
  rm -rf "${work:?}"/*
}

mkdir -p "$work/iconstore" "$work/app"
printf '#include "run/run_state.h"\n' > "$work/iconstore/a.h"
expect_breach "an upward include" "iconstore/ may not include run/"

mkdir -p "$work/ui" "$work/cli"
printf '#include "cli/cli.h"\n' > "$work/ui/a.h"
expect_breach "an include between folders of one rank" "ui/ may not include cli/"

mkdir -p "$work/themes"
seq 1 401 | sed 's/.*/\/\/ line/' > "$work/themes/long.cpp"
expect_breach "a file over 400 lines" "401 lines"

mkdir -p "$work/backup"
{ echo 'void f() {'; seq 1 80 | sed 's/.*/  g();/'; echo '}'; } > "$work/backup/f.cpp"
expect_breach "a function over 80 lines" "a function of 82 lines"

mkdir -p "$work/backup"
printf 'void f(Files& files) { files.copyFile("a", "b"); }\n' > "$work/backup/copy.cpp"
expect_breach "a write past the edit" "writes past the edit of the host"

# Every method of FileChanges counts, not only those a list once named.
mkdir -p "$work/starttext"
printf 'void f(Files* files_) { files_->writeNewFile("a", "b"); }\n' > "$work/starttext/new.cpp"
expect_breach "a new file written past the edit" "starttext/new.cpp:1: starttext/ writes past the edit of the host"

mkdir -p "$work/formats"
printf '#include "formats/bytes.h"\n' > "$work/formats/ok.h"
python3 "$script" "$work" >/dev/null || { echo "FAIL: a sound tree was refused"; exit 1; }
echo "layer check: all rules hold and each breach is found"
