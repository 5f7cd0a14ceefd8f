// Where a host file really lies on Windows: symbolic links (reparse points) followed to
// their target, the number of hard links of a file, and the user's folder for temporary
// files.
#include <windows.h>

#include <optional>

#include "platform/win32_file_io.h"
#include "platform/win32_files.h"
#include "platform/win32_text.h"

namespace lumaset {
namespace {

using win32::Handle;

// "\\?\C:\x" is "C:\x" and "\\?\UNC\server\share" is "\\server\share".
std::wstring withoutLongPrefix(std::wstring path) {
  if (path.rfind(L"\\\\?\\UNC\\", 0) == 0) return L"\\\\" + path.substr(8);
  if (path.rfind(L"\\\\?\\", 0) == 0) return path.substr(4);
  return path;
}

// The final name of an existing file or folder (links, junctions and short names
// resolved), or nothing.
std::optional<std::wstring> finalPath(const std::wstring& path) {
  Handle file(CreateFileW(path.c_str(), 0, win32::kShareAll, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS,
                          nullptr));
  if (!file.ok()) return std::nullopt;
  std::wstring target(32768, L'\0');
  DWORD length = GetFinalPathNameByHandleW(file.get(), target.data(), static_cast<DWORD>(target.size()),
                                           FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
  if (length == 0 || length >= target.size()) return std::nullopt;
  target.resize(length);
  return withoutLongPrefix(target);
}

}  // namespace

std::string Win32Files::temporaryFolder() {
  wchar_t buffer[MAX_PATH + 2];
  DWORD length = GetTempPathW(MAX_PATH + 2, buffer);
  if (length == 0 || length > MAX_PATH + 1) return {};
  std::wstring folder(buffer, length);
  while (folder.size() > 3 && folder.back() == L'\\') folder.pop_back();
  return fromWide(folder);
}

std::string Win32Files::canonicalPath(const std::string& path) {
  std::optional<std::wstring> target = finalPath(toWide(path));
  return target ? fromWide(*target) : path;
}

std::string Win32Files::linkTarget(const std::string& path) {
  const std::wstring wide = toWide(path);
  // Asked of every host file, not only of reparse points: wine shows a POSIX symbolic
  // link as a plain file, and its final path is then the only sign of it. A missing file
  // or a dangling link has none: writes then fail on their own.
  std::optional<std::wstring> found = finalPath(wide);
  if (!found) return path;
  const std::wstring& target = *found;
  // The same file under its own name (letter case aside) is no link.
  if (CompareStringOrdinal(target.c_str(), -1, win32::fullPath(wide).c_str(), -1, TRUE) == CSTR_EQUAL) return path;
  return fromWide(target);
}

std::uint32_t Win32Files::hardLinkCount(const std::string& path) {
  Handle file(
      CreateFileW(toWide(path).c_str(), 0, win32::kShareAll, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  BY_HANDLE_FILE_INFORMATION info;
  if (!file.ok() || !GetFileInformationByHandle(file.get(), &info)) return 0;
  if (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return 0;
  return info.nNumberOfLinks;
}

}  // namespace lumaset
