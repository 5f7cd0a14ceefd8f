#include "platform/win32_file_io.h"

#include <algorithm>
#include <atomic>

#include "formats/path_text.h"
#include "formats/windows_names.h"
#include "formats/work_names.h"
#include "platform/win32_text.h"

namespace lumaset::win32 {
namespace {

// Six characters that differ between the temporary files a process makes.
std::wstring uniqueSuffix() {
  static std::atomic<unsigned> counter{0};
  unsigned long long seed = (static_cast<unsigned long long>(GetCurrentProcessId()) << 32) ^ GetTickCount64() ^
                            (static_cast<unsigned long long>(counter++) * 0x9E3779B97F4A7C15ull);
  static const wchar_t* const kDigits = L"0123456789abcdefghijklmnopqrstuvwxyz";
  std::wstring suffix;
  for (int i = 0; i < 6; ++i, seed /= 36) suffix += kDigits[seed % 36];
  return suffix;
}

bool isSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

bool startsWith(const std::wstring& text, const wchar_t* head) { return text.rfind(head, 0) == 0; }

bool isDriveLetter(wchar_t c) { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z'); }

// The last part of a path, without the dots and spaces Windows drops from its end.
std::string leafOf(const std::wstring& path) {
  std::wstring::size_type cut = path.find_last_of(L"\\/");
  std::string leaf = fromWide(cut == std::wstring::npos ? path : path.substr(cut + 1));
  while (!leaf.empty() && (leaf.back() == '.' || leaf.back() == ' ')) leaf.pop_back();
  return leaf;
}

// Whether the attributes that GetFileAttributesExW finds without opening rule out a
// file on disk: a device, a folder where none is wanted, or the "invalid parameter"
// wine answers for a POSIX FIFO, socket or device node.
bool refusedBeforeOpening(const std::wstring& path, bool folderToo) {
  if (isDevicePath(path)) return true;
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data))
    return GetLastError() == ERROR_INVALID_PARAMETER;
  if (data.dwFileAttributes & FILE_ATTRIBUTE_DEVICE) return true;
  return (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !folderToo;
}

}  // namespace

bool isAbsolute(const std::wstring& path) {
  if (path.size() >= 3 && isDriveLetter(path[0]) && path[1] == L':' && isSeparator(path[2])) return true;
  return path.size() >= 3 && isSeparator(path[0]) && isSeparator(path[1]) && path[2] != L'?' && path[2] != L'.' &&
         !isSeparator(path[2]);
}

std::wstring fullPath(const std::wstring& path) {
  DWORD n = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (n == 0) return path;
  std::wstring out(n, L'\0');
  n = GetFullPathNameW(path.c_str(), n, out.data(), nullptr);
  out.resize(n);
  return out;
}

std::wstring folderOfWide(const std::wstring& path) {
  std::string utf8 = fromWide(path);
  if (utf8.find_first_of("\\/") == std::string::npos) return L".";
  return toWide(lumaset::folderOf(utf8, "\\/"));
}

bool writeAll(HANDLE file, const char* data, std::size_t size) {
  while (size > 0) {
    DWORD chunk = size > (1u << 30) ? (1u << 30) : static_cast<DWORD>(size);
    DWORD written = 0;
    if (!WriteFile(file, data, chunk, &written, nullptr) || written == 0) return false;
    data += written;
    size -= written;
  }
  return true;
}

bool isFolderW(const std::wstring& path) {
  DWORD a = GetFileAttributesW(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool hasLongPrefix(const std::wstring& path) { return startsWith(path, L"\\\\?\\"); }

std::wstring longPathForm(const std::wstring& path) {
  if (path.size() < kLongPathFrom || hasLongPrefix(path) || !isAbsolute(path)) return path;
  if (isSeparator(path[0])) return L"\\\\?\\UNC\\" + path.substr(2);
  return L"\\\\?\\" + path;
}

std::wstring widePath(const std::string& path) {
  std::wstring wide = toWide(path);
  if (!isAbsolute(wide)) return wide;
  return longPathForm(fullPath(wide));
}

std::wstring withoutLongPrefix(const std::wstring& path) {
  if (startsWith(path, L"\\\\?\\UNC\\")) return L"\\\\" + path.substr(8);
  if (hasLongPrefix(path)) return path.substr(4);
  return path;
}

std::wstring childPath(const std::wstring& folder, const std::wstring& name) {
  std::wstring joined = folder;
  if (!joined.empty() && !isSeparator(joined.back())) joined += L'\\';
  return longPathForm(joined + name);
}

bool isDevicePath(const std::wstring& path) {
  if (startsWith(path, L"\\\\.\\") || startsWith(path, L"//./")) return true;
  if (hasLongPrefix(path)) {
    std::wstring rest = path.substr(4);
    bool drive =
        rest.size() >= 2 && isDriveLetter(rest[0]) && rest[1] == L':' && (rest.size() == 2 || rest[2] == L'\\');
    if (!drive && !startsWith(rest, L"UNC\\")) return true;
  }
  return isDeviceName(leafOf(path));
}

Handle openDiskFile(const std::wstring& path, DWORD access, DWORD share, DWORD disposition, DWORD flags) {
  const bool folderToo = (flags & FILE_FLAG_BACKUP_SEMANTICS) != 0;
  if (refusedBeforeOpening(path, folderToo)) {
    SetLastError(ERROR_BAD_FILE_TYPE);
    return Handle();
  }
  Handle file(CreateFileW(path.c_str(), access, share, nullptr, disposition, flags, nullptr));
  if (!file.ok()) return file;
  BY_HANDLE_FILE_INFORMATION info;
  // Wine gives no file information for a FIFO it opened; a disk file always has some.
  bool disk = GetFileType(file.get()) == FILE_TYPE_DISK && GetFileInformationByHandle(file.get(), &info) &&
              (folderToo || !(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY));
  if (disk) return file;
  file.close();
  SetLastError(ERROR_BAD_FILE_TYPE);
  return Handle();
}

bool underWine() {
  static const bool wine = GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
  return wine;
}

bool isDiskFile(const std::wstring& path) {
  return openDiskFile(path, FILE_READ_ATTRIBUTES, kShareAll, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL).ok();
}

// ReplaceFileW needs absolute paths: a relative target is made one here.
TempFile::TempFile(const std::wstring& target)
    : target_(hasLongPrefix(target) ? target : longPathForm(fullPath(target))) {
  std::wstring folder = folderOfWide(target_);
  std::wstring prefix = toWide(temporaryNamePrefix(leafName(fromWide(target_), "\\/")));
  for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
    std::wstring name = childPath(folder, std::wstring(prefix).append(uniqueSuffix()));
    Handle made(CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (made.ok())
      path_ = name;
    else if (GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS)
      break;
  }
}

TempFile::~TempFile() {
  if (!moved_ && !path_.empty()) DeleteFileW(path_.c_str());
}

// MoveFileExW cannot replace a file that another program holds open; ReplaceFileW can
// when that program shares delete access, and needs absolute paths.
bool TempFile::replaceTarget() {
  if (MoveFileExW(path_.c_str(), target_.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    moved_ = true;
  } else if (deletable(target_)) {
    std::vector<std::wstring> before = temporaryFiles();
    moved_ =
        ReplaceFileW(target_.c_str(), path_.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr) != 0;
    // A failed ReplaceFileW may leave temporary files of its own beside the target.
    if (!moved_) {
      for (const std::wstring& name : temporaryFiles()) {
        if (std::find(before.begin(), before.end(), name) == before.end()) DeleteFileW(name.c_str());
      }
    }
  }
  return moved_;
}

// Whether the file may be deleted (and so replaced) now: not when another program holds
// it open without sharing delete access.
bool TempFile::deletable(const std::wstring& path) {
  Handle file(CreateFileW(path.c_str(), DELETE, kShareAll, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  return file.ok();
}

std::vector<std::wstring> TempFile::temporaryFiles() const {
  std::vector<std::wstring> names;
  std::wstring folder = folderOfWide(target_);
  for (FolderSearch search(childPath(folder, L"*.tmp")); search.found(); search.next())
    names.push_back(childPath(folder, search.entry().cFileName));
  return names;
}

}  // namespace lumaset::win32
