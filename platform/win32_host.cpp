// What the edit of a host needs of Windows beyond reading and writing: file identities,
// the per-host lock (a file opened without sharing and deleted on close, which Windows
// closes with the process), folder listings, and whether the host runs or another
// process holds its files.
#include <windows.h>
#include <tlhelp32.h>

#include <utility>

#include "platform/win32_file_io.h"
#include "platform/win32_files.h"
#include "platform/win32_text.h"

namespace lumaset {
namespace {

using win32::Handle;

// The lock's file, open without sharing and deleted when the handle closes.
class HandleLock : public FileLock {
 public:
  explicit HandleLock(Handle file) : file_(std::move(file)) {}

 private:
  Handle file_;
};

std::wstring lowerCase(std::wstring text) {
  if (!text.empty()) CharLowerBuffW(text.data(), static_cast<DWORD>(text.size()));
  return text;
}

// Whether a process runs from the executable `exe` (compared as full paths without a
// "\\?\" prefix, letter case aside).
bool programRuns(const std::wstring& exe) {
  const std::wstring wanted = lowerCase(win32::withoutLongPrefix(win32::fullPath(exe)));
  Handle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot.ok()) return false;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  std::wstring image;
  bool found = false;
  for (BOOL more = Process32FirstW(snapshot.get(), &entry); more && !found;
       more = Process32NextW(snapshot.get(), &entry)) {
    if (entry.th32ProcessID == GetCurrentProcessId()) continue;
    Handle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, entry.th32ProcessID));
    if (!process.ok()) continue;
    image.assign(32768, L'\0');
    DWORD length = static_cast<DWORD>(image.size());
    if (QueryFullProcessImageNameW(process.get(), 0, image.data(), &length)) {
      image.resize(length);
      found = lowerCase(win32::withoutLongPrefix(image)) == wanted;
    }
  }
  return found;
}

// Whether another process holds the file so that it cannot be opened for writing alone.
// What is no file on disk is never opened here.
bool heldElsewhere(const std::wstring& path) {
  Handle file = win32::openDiskFile(path, GENERIC_WRITE, 0, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL);
  if (file.ok()) return false;
  return GetLastError() == ERROR_SHARING_VIOLATION || GetLastError() == ERROR_LOCK_VIOLATION;
}

}  // namespace

std::vector<std::string> Win32Files::fileNames(const std::string& folder) {
  std::vector<std::string> names;
  for (win32::FolderSearch search(win32::childPath(win32::widePath(folder), L"*")); search.found(); search.next()) {
    if (!(search.entry().dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
      names.push_back(fromWide(search.entry().cFileName));
  }
  return names;
}

std::optional<FileIdentity> Win32Files::identity(const std::string& path) {
  Handle file(win32::openDiskFile(win32::widePath(path), 0, win32::kShareAll, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL));
  BY_HANDLE_FILE_INFORMATION info;
  if (!file.ok() || !GetFileInformationByHandle(file.get(), &info)) return std::nullopt;
  if (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return std::nullopt;
  FileIdentity id;
  id.size = (static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
  id.modified = static_cast<std::int64_t>((static_cast<std::uint64_t>(info.ftLastWriteTime.dwHighDateTime) << 32) |
                                          info.ftLastWriteTime.dwLowDateTime);
  id.fileId = std::to_string(info.dwVolumeSerialNumber) + ":" +
              std::to_string((static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow);
  return id;
}

LockResult Win32Files::lockFile(const std::string& path, std::unique_ptr<FileLock>& lock) {
  // A folder, a link, a device or a pipe standing at the lock's path is refused, never
  // followed or opened.
  const EntryKind standing = entryKind(path);
  if (standing != EntryKind::Missing && standing != EntryKind::File) return LockResult::Failed;
  const std::wstring wide = win32::widePath(path);
  Handle file = win32::openDiskFile(wide, GENERIC_READ | GENERIC_WRITE, 0, OPEN_ALWAYS,
                                    FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE | FILE_FLAG_OPEN_REPARSE_POINT);
  if (!file.ok()) {
    // A lock file that another process holds (or is closing, and so deleting) cannot be
    // opened; any other failure leaves the lock untaken.
    DWORD error = GetLastError();
    bool held = error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ||
                (error == ERROR_ACCESS_DENIED && GetFileAttributesW(wide.c_str()) != INVALID_FILE_ATTRIBUTES);
    return held ? LockResult::HeldElsewhere : LockResult::Failed;
  }
  lock = std::make_unique<HandleLock>(std::move(file));
  return LockResult::Taken;
}

bool Win32Files::hostInUse(const std::string& exePath, const std::vector<std::string>& files) {
  auto held = [&] {
    if (programRuns(toWide(exePath))) return true;
    for (const std::string& file : files) {
      if (heldElsewhere(win32::widePath(file))) return true;
    }
    return false;
  };
  for (int look = 0; look < 10; ++look) {
    if (!held()) return false;
    Sleep(50);
  }
  return true;
}

}  // namespace lumaset
