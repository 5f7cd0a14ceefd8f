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
expect_sound() {  # expect_sound WHAT
  out=$(python3 "$script" "$work") || { echo "FAIL: $1 was refused: $out"; exit 1; }
  rm -rf "${work:?}"/*
}
calls() { seq 1 "$1" | sed 's/.*/  g();/'; }  # calls N: N lines of a body

mkdir -p "$work/iconstore" "$work/app"
printf '#include "run/run_state.h"\n' > "$work/iconstore/a.h"
expect_breach "an upward include" "iconstore/ may not include run/"

mkdir -p "$work/ui" "$work/cli"
printf '#include "cli/cli.h"\n' > "$work/ui/a.h"
expect_breach "an include between folders of one rank" "ui/ may not include cli/"

mkdir -p "$work/themes"
seq 1 401 | sed 's/.*/\/\/ line/' > "$work/themes/long.cpp"
expect_breach "a file over 400 lines" "401 lines"

# ---- Long functions, however their signatures are laid out.
mkdir -p "$work/backup"
{ echo 'void f() {'; calls 60; echo '}'; } > "$work/backup/f.cpp"
expect_breach "a function over 60 lines" "a function of 62 lines (at most 60): f$"

mkdir -p "$work/backup"
{ echo 'std::optional<Plan> planFor(const std::string& first,'
  echo '                            const std::string& second) const {'
  calls 59; echo '}'; } > "$work/backup/wrapped.cpp"
expect_breach "a function whose parameters wrap" "wrapped.cpp:1: a function of 62 lines.*: planFor"

mkdir -p "$work/themes"
{ echo 'namespace lumaset {'; echo 'Bytes'; echo 'Reader::read(int a, int b)'; echo '{'
  calls 58; echo '}'; echo '}  // namespace lumaset'; } > "$work/themes/brace_alone.cpp"
expect_breach "a function whose type and brace stand on lines of their own" "brace_alone.cpp:2: .*62 lines.*Reader::read"

mkdir -p "$work/run"
{ echo 'class Holder {'; echo ' public:'; echo '  explicit Holder(int a,'; echo '                  int b)'
  echo '      : a_{a},'; echo '        b_(b) {'; calls 56; echo '  }'; echo '};'; } > "$work/run/holder.h"
expect_breach "a constructor in a class, with braced members" "holder.h:3: a function of 61 lines.*: Holder"

mkdir -p "$work/cli"
{ echo 'auto Json::operator()(std::string_view key,'; echo '                      int value) -> Json& {'
  calls 59; echo '}'; } > "$work/cli/op.cpp"
expect_breach "an operator with a trailing return type" "op.cpp:1: a function of 62 lines.*: Json::operator()"

# Long things that are not functions, and functions at the limit, are sound.
mkdir -p "$work/formats"
{ echo 'namespace lumaset {'; echo 'namespace {'
  echo 'const int kTable[] = {'; seq 1 90 | sed 's/$/,/'; echo '};'
  echo 'enum class Kind {'; seq 1 90 | sed 's/^/  k/; s/$/,/'; echo '};'
  echo 'class Wide : public Base {'; echo ' public:'
  for i in $(seq 1 30); do echo "  int get$i() const { return $i; }"; done
  echo ' private:'; echo '  std::function<void(int)> done_ = [this](int code) {'; calls 85; echo '  };'; echo '};'
  echo '// void commented() {'; echo 'const char* kText = "void text() {";'
  echo 'void atTheLimit(int a,'; echo '                int b) {'; calls 57; echo '}'
  echo '}  // namespace'; echo '}  // namespace lumaset'; } > "$work/formats/sound.cpp"
expect_sound "long tables, enumerations, classes, lambdas and a function of 60 lines"

# ---- The types that change files, in the core: only in the files allowed to write places
# that are not the host's files nor the backups (the compiler keeps the rest to reading).
mkdir -p "$work/backup"
printf 'void f(Files& files) { files.copyFile("a", "b"); }\n' > "$work/backup/copy.cpp"
expect_breach "the writing type in the core" "backup/copy.cpp:1: backup/ holds Files, which changes files past the edit"

for folder in run themes; do
  mkdir -p "$work/$folder"
  printf 'struct Store {\n  FileChanges *\n      changes;\n};\n' > "$work/$folder/store.h"
  expect_breach "a pointer to the changing half in $folder/" "$folder/store.h:2: $folder/ holds FileChanges"
done

mkdir -p "$work/themes" "$work/starttext" "$work/platform"
printf 'void f(Files& files) { files.createFolder(p); }\n' > "$work/themes/import.cpp"
printf 'void f(SystemReading& files, HostEdit& edit) {\n  edit.truncateFile(p, 0);\n}\n' > "$work/starttext/step.cpp"
printf '// void g(Files& files) is not here\nconst char* k = "Files& files";\nint n = sizeof(lumaset::Files);\n' \
  > "$work/starttext/note.cpp"
printf 'bool f(Files& files) { return files.removeFile(p); }\n' > "$work/platform/outside_the_core.cpp"
expect_sound "the writing type in an allowed file, in comments and texts, and outside the core"

mkdir -p "$work/themes"
printf 'bool f(SystemReading& files) { return files.exists(p); }\n' > "$work/themes/unzip.cpp"
expect_breach "an allowed file that no longer writes" "themes/unzip.cpp: holds no type that changes files any more"

mkdir -p "$work/formats"
printf '#include "formats/bytes.h"\n' > "$work/formats/ok.h"
expect_sound "a sound tree"
echo "layer check: all rules hold and each breach is found"
