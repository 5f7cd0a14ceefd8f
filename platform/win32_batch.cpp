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
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return false;
  bool ok = true;
  do {
    std::wstring name = data.cFileName;
    if (name == L"." || name == L"..") continue;
    std::wstring child = folder + L"\\" + name;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      ok = flushTree(child) && ok;
      continue;
    }
    Handle file(CreateFileW(child.c_str(), GENERIC_WRITE, win32::kShareAll, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
    ok = file.ok() && FlushFileBuffers(file.get()) && file.close() && ok;
  } while (FindNextFileW(find, &data));
  FindClose(find);
  return ok;
}

}  // namespace

bool Win32Files::writeNewFile(const std::string& path, const Bytes& data) {
  Handle file(CreateFileW(toWide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.ok()) return false;
  bool written = win32::writeAll(file.get(), data.data(), data.size());
  return file.close() && written;
}

bool Win32Files::flushFolder(const std::string& folder) { return flushTree(toWide(folder)); }

}  // namespace lumaset
