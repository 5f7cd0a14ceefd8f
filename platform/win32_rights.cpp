// Whether this process may change a folder's content or a file, found by trying: under
// Program Files a process without administrator rights may read everything and create
// nothing, and a read-only file refuses to be written or replaced.
#include <windows.h>

#include <vector>

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

namespace {

// The process's token as a thread would hold it when impersonating: AccessCheck takes
// only such a token.
win32::Handle impersonationToken() {
  HANDLE process = nullptr, duplicate = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY | TOKEN_DUPLICATE, &process)) return win32::Handle(nullptr);
  win32::Handle own(process);
  if (!DuplicateToken(process, SecurityImpersonation, &duplicate)) return win32::Handle(nullptr);
  return win32::Handle(duplicate);
}

}  // namespace

// Under UAC an administrator's ordinary token holds the Administrators group for deny
// only: the check answers as a change without elevation would be answered.
bool Win32Files::securityAllowsChange(const std::string& path) {
  const std::wstring wide = win32::widePath(path);
  const SECURITY_INFORMATION what = OWNER_SECURITY_INFORMATION | GROUP_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION;
  DWORD needed = 0;
  GetFileSecurityW(wide.c_str(), what, nullptr, 0, &needed);
  if (needed == 0) return true;  // no security kept (FAT), or none readable: nothing to go by
  std::vector<BYTE> security(needed);
  if (!GetFileSecurityW(wide.c_str(), what, security.data(), needed, &needed)) return true;
  win32::Handle token = impersonationToken();
  if (!token.ok()) return true;
  GENERIC_MAPPING mapping{FILE_GENERIC_READ, FILE_GENERIC_WRITE, FILE_GENERIC_EXECUTE, FILE_ALL_ACCESS};
  // Modify rights (a user's own folder) do not include deleting children: not asked.
  DWORD desired = entryKind(path) == EntryKind::Folder ? FILE_ADD_FILE | FILE_ADD_SUBDIRECTORY
                                                       : FILE_WRITE_DATA | FILE_APPEND_DATA;
  PRIVILEGE_SET privileges{};
  DWORD privilegesLength = sizeof privileges, granted = 0;
  BOOL allowed = FALSE;
  if (!AccessCheck(security.data(), token.get(), desired, &mapping, &privileges, &privilegesLength, &granted, &allowed))
    return true;
  return allowed != FALSE;
}

}  // namespace lumaset
