#include "platform/win32_file_io.h"

#include <algorithm>
#include <atomic>

#include "formats/path_text.h"
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

}  // namespace

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

TempFile::TempFile(const std::wstring& target) : target_(fullPath(target)) {
  std::wstring folder = folderOfWide(target_);
  std::wstring leaf = toWide(leafName(fromWide(target_), "\\/"));
  for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
    std::wstring name = folder + L"\\." + leaf + kTempMarker + uniqueSuffix();
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
  HANDLE h = CreateFileW(path.c_str(), DELETE, kShareAll, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  CloseHandle(h);
  return true;
}

std::vector<std::wstring> TempFile::temporaryFiles() const {
  std::vector<std::wstring> names;
  std::wstring folder = folderOfWide(target_);
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW((folder + L"\\*.tmp").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    names.push_back(folder + L"\\" + data.cFileName);
  } while (FindNextFileW(find, &data));
  FindClose(find);
  return names;
}

}  // namespace lumaset::win32
