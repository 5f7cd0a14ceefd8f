# The KnownDLLs that Windows 7 to 11 all list (HKLM\System\CurrentControlSet\Control\
# Session Manager\KnownDLLs): the loader maps them from the system folder and never
# looks beside a program for them. ntdll.dll is mapped into every process before any
# search. gdiplus.dll, combase.dll and shcore.dll joined the list only in later
# releases, and comctl32.dll, version.dll, bcrypt.dll, uxtheme.dll, dwmapi.dll are on
# none of them.
known_dlls="advapi32.dll clbcatq.dll comdlg32.dll difxapi.dll gdi32.dll imagehlp.dll imm32.dll kernel32.dll
  msctf.dll msvcrt.dll normaliz.dll nsi.dll ntdll.dll ole32.dll oleaut32.dll psapi.dll rpcrt4.dll sechost.dll
  setupapi.dll shell32.dll shlwapi.dll user32.dll wldap32.dll ws2_32.dll"
is_known_dll() { [[ " $(echo $known_dlls) " == *" $1 "* ]]; }
