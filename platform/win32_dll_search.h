// The first call of both programs' entries: every DLL loaded by name from then on comes
// from System32 alone. The program's folder is one the user may write, the command line
// runs from it with administrator rights, and Windows looks there first for a DLL that is
// not a KnownDLL. The import tables name only KnownDLLs; gdiplus.dll, comctl32.dll and
// oleacc.dll are imported at their first call, after this, and so is what they import.
#pragma once
#include <windows.h>

namespace lumaset::win32 {

// Found at run time: Windows 7 has the call only with its update KB2533623, and an import
// of a function a system lacks keeps the program from starting at all.
inline bool searchDllsInSystemFolderOnly() {
  using SetDirectories = BOOL(WINAPI*)(DWORD);
  HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
  FARPROC found = kernel ? GetProcAddress(kernel, "SetDefaultDllDirectories") : nullptr;
  if (!found) return false;
  auto set = reinterpret_cast<SetDirectories>(reinterpret_cast<void (*)()>(found));
  return set(LOAD_LIBRARY_SEARCH_SYSTEM32) != 0;
}

}  // namespace lumaset::win32
