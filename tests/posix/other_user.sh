# Sourced by the tests that run programs as the user nobody. A clone may lie below a
# folder only its owner may enter (/root, say), where nobody reaches nothing of the build
# tree: what nobody runs or reads is put into a folder of its own.
#   nobody_runs COMMAND...  runs COMMAND as nobody, from the root folder
#   nobody_folder           makes a folder (mode 755, the caller's) that nobody can enter
#                           and run programs from, under the first of $TMPDIR, /tmp and
#                           /dev/shm that allows both, and prints its path
nobody_runs() { (cd / && setpriv --reuid=nobody --regid=nogroup --clear-groups "$@"); }
nobody_folder() {
  local base dir
  for base in "${TMPDIR:-}" /tmp /dev/shm; do
    [ -n "$base" ] && [ -d "$base" ] || continue
    dir=$(mktemp -d "$base/lumaset-nobody.XXXXXX" 2>/dev/null) || continue
    chmod 755 "$dir"
    cp /bin/true "$dir/probe"
    if nobody_runs "$dir/probe" 2>/dev/null; then
      rm -f "$dir/probe"
      printf '%s\n' "$dir"
      return 0
    fi
    rm -rf "$dir"
  done
  return 1
}
