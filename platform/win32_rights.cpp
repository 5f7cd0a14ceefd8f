// Whether this process may change a folder's content or a file, found by trying: under
// Program Files a process without administrator rights may read everything and create
// nothing, and a read-only file refuses to be written or replaced.
#include <windows.h>

#include "platform/win32_file_io.h"
#include "platform/win32_files.h"
#include "platform/win32_scoped.h"

namespace lumaset {

bool Win32Files::mayChange(const std::string& path) {
  const std::wstring wide = win32::widePath(path);
  if (entryKind(path) == EntryKind::File) {
    // Opened for what an edit does to it (append, cut back, replace) and closed unchanged.
    win32::Handle file(CreateFileW(wide.c_str(), FILE_WRITE_DATA | FILE_APPEND_DATA | DELETE, win32::kShareAll,
                                   nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    // Another process's open handle without shared delete access is no lack of rights.
    return file.ok() || GetLastError() == ERROR_SHARING_VIOLATION;
  }
  if (!info(path).isFolder) return false;
  // A temporary name, removed when the probe goes; should the process die first, the
  // next edit of the host removes it with the other leftovers.
  win32::TempFile probe(win32::childPath(wide, L"rights"));
  return probe.ok();
}

}  // namespace lumaset
