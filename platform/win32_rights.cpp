// Whether this process may change what a folder holds, found by trying: under Program
// Files a process without administrator rights may read everything and create nothing.
#include <windows.h>

#include "platform/win32_file_io.h"
#include "platform/win32_files.h"

namespace lumaset {

bool Win32Files::canCreateIn(const std::string& folder) {
  if (!info(folder).isFolder) return false;
  // A temporary name, removed when the probe goes; should the process die first, the
  // next edit of the host removes it with the other leftovers.
  win32::TempFile probe(win32::childPath(win32::widePath(folder), L"rights"));
  return probe.ok();
}

}  // namespace lumaset
