// What the Win32 file operations share: whole writes, the wide form of a path (long
// paths included), opening only files on disk, and the temporary file that takes a
// target's place once it is on disk. Handles are held by the owners of win32_scoped.h.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "platform/win32_scoped.h"

namespace lumaset::win32 {

inline constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// "X:\..." or "\\server\share..." (either slash), without a "\\?\" or "\\.\" prefix.
bool isAbsolute(const std::wstring& path);
std::wstring fullPath(const std::wstring& path);
// The folder a path lies in; "." for a bare name.
std::wstring folderOfWide(const std::wstring& path);
bool writeAll(HANDLE file, const char* data, std::size_t size);
bool isFolderW(const std::wstring& path);

// The form of a UTF-8 path that the wide file functions take. An absolute path (of a
// drive, "X:\", or of a share, "\\server\share") is normalised as Windows does ('/' to
// '\', "." and "..", trailing dots and spaces of its parts) and, from kLongPathFrom
// characters on, marked "\\?\" (or "\\?\UNC\") so that MAX_PATH does not cut it off;
// a relative path and one that already has a prefix stay as they are.
std::wstring widePath(const std::string& path);
// MAX_PATH less the 12 characters that CreateDirectoryW keeps free for an 8.3 name.
inline constexpr std::size_t kLongPathFrom = MAX_PATH - 12;
// A normalised absolute path, marked "\\?\" when it is long.
std::wstring longPathForm(const std::wstring& path);
bool hasLongPrefix(const std::wstring& path);
// "\\?\C:\x" is "C:\x" and "\\?\UNC\server\share" is "\\server\share": the form
// the rest of the program sees.
std::wstring withoutLongPrefix(const std::wstring& path);
// A name in a folder given in the form above, marked when the joined path grows long.
std::wstring childPath(const std::wstring& folder, const std::wstring& name);

// A device or a pipe rather than a file: "\\.\" paths, "\\?\" before anything but a
// drive or a share, and reserved names (NUL, CON, COM1, ...). Opening one may wait or
// reach another program, so such paths are never opened.
bool isDevicePath(const std::wstring& path);
// Opens a file only when it is a file on disk, as CreateFileW does otherwise. Devices,
// pipes, wine's view of a POSIX FIFO, socket or device node, and folders (unless `flags`
// holds FILE_FLAG_BACKUP_SEMANTICS) are refused before opening where their attributes
// tell, and after it by GetFileType. A refusal gives no handle, with ERROR_BAD_FILE_TYPE;
// a failed open keeps the system's error.
Handle openDiskFile(const std::wstring& path, DWORD access, DWORD share, DWORD disposition, DWORD flags);
// Whether `path` names a file on disk (links followed), found without waiting.
bool isDiskFile(const std::wstring& path);

// Wine shows a POSIX symbolic link to a folder as a reparse point, but one to a file as
// the file it names; and asked to delete either link, it deletes what the link names.
bool underWine();
// Whether `path`, which a listing shows as a plain file, is such a link to a file
// (always false outside wine). In win32_links.cpp.
bool isWineFileLink(const std::wstring& path);

// A temporary file in the target's folder; removed unless it was moved into place.
class TempFile {
 public:
  // `target` in the form widePath gives.
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
