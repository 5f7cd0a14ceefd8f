// What the Win32 file operations share: handles that close themselves, whole writes,
// full paths, and the temporary file that takes a target's place once it is on disk.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace lumaset::win32 {

inline constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// Closes a file handle when it goes out of scope.
class Handle {
 public:
  explicit Handle(HANDLE h) : h_(h) {}
  ~Handle() { close(); }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  bool ok() const { return h_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return h_; }
  bool close() {
    if (!ok()) return true;
    BOOL closed = CloseHandle(h_);
    h_ = INVALID_HANDLE_VALUE;
    return closed != 0;
  }

 private:
  HANDLE h_;
};

std::wstring fullPath(const std::wstring& path);
// The folder a path lies in; "." for a bare name.
std::wstring folderOfWide(const std::wstring& path);
bool writeAll(HANDLE file, const char* data, std::size_t size);
bool isFolderW(const std::wstring& path);

// The program's temporary files are named "." + target name + ".lumaset-" + six
// characters, beside their target, so that a later run can tell them from anything else.
inline constexpr const wchar_t* kTempMarker = L".lumaset-";

// A temporary file in the target's folder; removed unless it was moved into place.
class TempFile {
 public:
  explicit TempFile(const std::wstring& target);
  ~TempFile();
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;

  bool ok() const { return !path_.empty(); }
  const std::wstring& path() const { return path_; }
  // Puts the finished (flushed) temporary file in the target's place.
  bool replaceTarget();

 private:
  static bool deletable(const std::wstring& path);
  std::vector<std::wstring> temporaryFiles() const;

  std::wstring target_;
  std::wstring path_;
  bool moved_ = false;
};

}  // namespace lumaset::win32
