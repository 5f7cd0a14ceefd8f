// Files written as one batch: each without waiting for the disk, then every file below
// the folder flushed in one pass at the end.
#include <windows.h>

#include "platform/win32_file_io.h"
#include "platform/win32_files.h"
#include "platform/win32_text.h"

namespace lumaset {
namespace {

using win32::Handle;

bool flushTree(const std::wstring& folder) {
  win32::FolderSearch search(win32::childPath(folder, L"*"));
  if (!search.started()) return false;
  bool ok = true;
  for (; search.found(); search.next()) {
    const WIN32_FIND_DATAW& data = search.entry();
    std::wstring name = data.cFileName;
    if (name == L"." || name == L"..") continue;
    std::wstring child = win32::childPath(folder, name);
    // Links are not followed; devices and pipes are not opened.
    if (data.dwFileAttributes & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DEVICE)) continue;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      ok = flushTree(child) && ok;
      continue;
    }
    Handle file(win32::openDiskFile(child, GENERIC_WRITE, win32::kShareAll, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL));
    if (!file.ok() && GetLastError() == ERROR_BAD_FILE_TYPE) continue;
    ok = file.ok() && FlushFileBuffers(file.get()) && file.close() && ok;
  }
  return ok;
}

}  // namespace

bool Win32Files::writeNewFile(const std::string& path, const Bytes& data) {
  Handle file(CreateFileW(win32::widePath(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                          nullptr));
  if (!file.ok()) return false;
  bool written = win32::writeAll(file.get(), data.data(), data.size());
  return file.close() && written;
}

bool Win32Files::flushFolder(const std::string& folder) { return flushTree(win32::widePath(folder)); }

}  // namespace lumaset
