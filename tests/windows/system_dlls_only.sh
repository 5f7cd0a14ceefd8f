#!/usr/bin/env bash
# The shipped executables may import only DLLs that every Windows has. Wine brings
# builtin copies of DLLs that Windows lacks (zlib1.dll among them), so a run under wine
# proves nothing here: the import tables are read instead.
# Usage: system_dlls_only.sh OBJDUMP EXE...
set -euo pipefail
objdump=$1
shift

# Part of Windows itself (lower case).
allowed="kernel32.dll user32.dll gdi32.dll gdiplus.dll comctl32.dll comdlg32.dll shell32.dll ole32.dll
  oleaut32.dll advapi32.dll version.dll msvcrt.dll shlwapi.dll uxtheme.dll psapi.dll ws2_32.dll
  msimg32.dll imm32.dll winmm.dll bcrypt.dll crypt32.dll rpcrt4.dll ntdll.dll dwmapi.dll"
allowed=" $(echo $allowed) "

status=0
for exe in "$@"; do
  dlls=$("$objdump" -p "$exe" | sed -n 's/^[[:space:]]*DLL Name:[[:space:]]*//p' | tr 'A-Z' 'a-z' | tr -d '\r' | sort -u)
  # An unreadable table would pass every check below: every Windows program imports kernel32.
  if ! grep -qx 'kernel32.dll' <<<"$dlls"; then
    echo "FAIL $exe: no import of kernel32.dll found; the import table was not read"
    status=1
    continue
  fi
  for dll in $dlls; do
    if [[ "$allowed" != *" $dll "* ]]; then
      echo "FAIL $exe imports $dll, which Windows does not have"
      status=1
    fi
  done
  echo "$(basename "$exe"): $(echo $dlls)"
done
if [ "$status" -eq 0 ]; then echo "$# passed, 0 failed"; fi
exit "$status"
