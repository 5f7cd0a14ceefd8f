// Owners of raw Win32 handles that close them when they go out of scope, so that no
// handle leaks on an early return: a kernel handle (a file, a process, a snapshot of the
// processes) closed with CloseHandle, a search of a folder closed with FindClose, and an
// open registry key closed with RegCloseKey.
#pragma once
#include <windows.h>

#include <string>

namespace lumaset::win32 {

// A kernel handle. Both of the system's "no handle" values count as none:
// INVALID_HANDLE_VALUE (CreateFileW, CreateToolhelp32Snapshot) and nullptr (OpenProcess).
class Handle {
 public:
  Handle() = default;
  explicit Handle(HANDLE h) : h_(h) {}
  ~Handle() { close(); }
  Handle(Handle&& other) noexcept : h_(other.release()) {}
  Handle& operator=(Handle&& other) noexcept {
    if (this != &other) {
      close();
      h_ = other.release();
    }
    return *this;
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;

  bool ok() const { return h_ != INVALID_HANDLE_VALUE && h_ != nullptr; }
  HANDLE get() const { return h_; }
  // Gives the handle up without closing it.
  HANDLE release() {
    HANDLE h = h_;
    h_ = INVALID_HANDLE_VALUE;
    return h;
  }
  // Closes the handle now; false when CloseHandle fails (a write it flushed may be lost).
  bool close() {
    if (!ok()) return true;
    BOOL closed = CloseHandle(release());
    return closed != 0;
  }

 private:
  HANDLE h_ = INVALID_HANDLE_VALUE;
};

// A search of a folder, walked as
//   for (FolderSearch search(pattern); search.found(); search.next()) use(search.entry());
// FindFirstFileExW starts it, FindNextFileW goes on, FindClose ends it when the object goes.
class FolderSearch {
 public:
  // `pattern` as FindFirstFileExW takes it (a folder and "*", or one path); the level and
  // the flags are its own (the defaults give what FindFirstFileW gives).
  explicit FolderSearch(const std::wstring& pattern, FINDEX_INFO_LEVELS level = FindExInfoStandard, DWORD flags = 0)
      : find_(FindFirstFileExW(pattern.c_str(), level, &entry_, FindExSearchNameMatch, nullptr, flags)) {
    if (find_ == INVALID_HANDLE_VALUE) end_ = GetLastError();
  }
  ~FolderSearch() {
    if (find_ != INVALID_HANDLE_VALUE) FindClose(find_);
  }
  FolderSearch(const FolderSearch&) = delete;
  FolderSearch& operator=(const FolderSearch&) = delete;

  // Whether entry() holds an entry: the search started and has not ended.
  bool found() const { return find_ != INVALID_HANDLE_VALUE && end_ == ERROR_SUCCESS; }
  const WIN32_FIND_DATAW& entry() const { return entry_; }
  void next() {
    if (found() && !FindNextFileW(find_, &entry_)) end_ = GetLastError();
  }
  // Whether FindFirstFileExW found anything at all.
  bool started() const { return find_ != INVALID_HANDLE_VALUE; }
  // The system's error that ended the search: ERROR_NO_MORE_FILES after the last entry,
  // ERROR_FILE_NOT_FOUND when nothing matched; ERROR_SUCCESS while it goes on.
  DWORD endError() const { return end_; }

 private:
  WIN32_FIND_DATAW entry_{};
  HANDLE find_;
  DWORD end_ = ERROR_SUCCESS;
};

// A registry key opened for reading, in the registry view `view` (KEY_WOW64_64KEY or
// KEY_WOW64_32KEY); ok() is false when it could not be opened.
class RegistryKey {
 public:
  RegistryKey(HKEY parent, const std::wstring& path, REGSAM view) {
    if (RegOpenKeyExW(parent, path.c_str(), 0, KEY_READ | view, &key_) != ERROR_SUCCESS) key_ = nullptr;
  }
  ~RegistryKey() {
    if (key_) RegCloseKey(key_);
  }
  RegistryKey(const RegistryKey&) = delete;
  RegistryKey& operator=(const RegistryKey&) = delete;

  bool ok() const { return key_ != nullptr; }
  HKEY get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

}  // namespace lumaset::win32
