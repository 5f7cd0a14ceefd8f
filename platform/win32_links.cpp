// Where a file really lies on Windows and what stands at a path: symbolic links (reparse
// points) followed to their target or reported as links, folder entries, the number of
// hard links of a file, and the user's folder for temporary files.
#include <windows.h>
#include <winternl.h>

#include <optional>
#include <vector>

#include "platform/win32_file_io.h"
#include "platform/win32_files.h"
#include "platform/win32_text.h"

namespace lumaset {
namespace {

using win32::Handle;

// Wine's GetFinalPathNameByHandleW fails with ERROR_MORE_DATA once the name passes about
// 260 characters, whatever the buffer; the object's own name, "\??\X:\...", is asked then.
std::optional<std::wstring> objectDosName(HANDLE file) {
  using QueryObject = NTSTATUS(NTAPI*)(HANDLE, OBJECT_INFORMATION_CLASS, PVOID, ULONG, PULONG);
  auto query = reinterpret_cast<QueryObject>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryObject")));
  if (!query) return std::nullopt;
  std::vector<char> buffer(sizeof(UNICODE_STRING) + 65536 * sizeof(wchar_t));
  ULONG length = 0;
  if (query(file, ObjectNameInformation, buffer.data(), static_cast<ULONG>(buffer.size()), &length) != 0)
    return std::nullopt;
  const auto* name = reinterpret_cast<const UNICODE_STRING*>(buffer.data());
  std::wstring text(name->Buffer, name->Length / sizeof(wchar_t));
  if (text.rfind(L"\\??\\UNC\\", 0) == 0) return L"\\\\" + text.substr(8);
  if (text.rfind(L"\\??\\", 0) == 0) return text.substr(4);
  return std::nullopt;  // a device's name, which only the system maps to a drive
}

// The final name of an open file or folder, without a "\\?\" prefix.
std::optional<std::wstring> finalPathOf(HANDLE file) {
  std::wstring target(32768, L'\0');
  DWORD length = GetFinalPathNameByHandleW(file, target.data(), static_cast<DWORD>(target.size()),
                                           FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
  if (length == 0 && GetLastError() == ERROR_MORE_DATA) return objectDosName(file);
  if (length == 0 || length >= target.size()) return std::nullopt;
  target.resize(length);
  return win32::withoutLongPrefix(target);
}

// The final name of an existing file or folder (links, junctions and short names
// resolved), or nothing. Devices and pipes are not opened.
std::optional<std::wstring> finalPath(const std::wstring& path) {
  Handle file(win32::openDiskFile(path, 0, win32::kShareAll, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS));
  if (!file.ok()) return std::nullopt;
  return finalPathOf(file.get());
}

bool sameText(const std::wstring& a, const std::wstring& b) {
  return CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_EQUAL;
}

// What a plain file of a listing is. Wine lists a POSIX FIFO, socket or device node as a
// plain file but answers ERROR_INVALID_PARAMETER for its attributes; and it lists a POSIX
// symbolic link to a file as the file it names, which only the final path (not the one
// through the listed folder) gives away. `folderFinal` is the final path of its folder.
EntryKind plainFileKind(const std::wstring& path, const std::wstring& name, const std::wstring& folderFinal) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data) && GetLastError() == ERROR_INVALID_PARAMETER)
    return EntryKind::Other;
  if (!win32::underWine() || folderFinal.empty()) return EntryKind::File;
  Handle file(CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES, win32::kShareAll, nullptr, OPEN_EXISTING,
                          FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!file.ok()) return EntryKind::File;
  if (GetFileType(file.get()) != FILE_TYPE_DISK) return EntryKind::Other;
  std::optional<std::wstring> final = finalPathOf(file.get());
  if (final && !sameText(*final, win32::withoutLongPrefix(win32::childPath(folderFinal, name)))) return EntryKind::Link;
  return EntryKind::File;
}

// Under wine the folder's final path tells a POSIX link to a file; elsewhere it is not needed.
std::wstring folderFinalForLinks(const std::wstring& folder) {
  if (!win32::underWine()) return {};
  return finalPath(folder).value_or(std::wstring());
}

EntryKind kindOf(const std::wstring& path, const WIN32_FIND_DATAW& data, const std::wstring& folderFinal) {
  if (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) return EntryKind::Link;
  if (data.dwFileAttributes & FILE_ATTRIBUTE_DEVICE) return EntryKind::Other;
  if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return EntryKind::Folder;
  return plainFileKind(path, data.cFileName, folderFinal);
}

std::uint64_t sizeOf(const WIN32_FIND_DATAW& data) {
  return (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

}  // namespace

bool win32::isWineFileLink(const std::wstring& path) {
  if (!win32::underWine()) return false;
  const std::wstring name = path.substr(path.find_last_of(L"\\/") + 1);
  return plainFileKind(path, name, folderFinalForLinks(win32::folderOfWide(path))) == EntryKind::Link;
}

EntryKind Win32Files::entryKind(const std::string& path) {
  // A search pattern would match other names.
  if (path.find_first_of("*?<>\"") != std::string::npos) return EntryKind::Missing;
  const std::wstring wide = win32::widePath(path);
  if (win32::isDevicePath(wide)) return EntryKind::Other;
  std::optional<WIN32_FIND_DATAW> found;
  {
    // The search is closed before the entry is looked at more closely.
    win32::FolderSearch search(wide, FindExInfoBasic);
    if (search.found()) found = search.entry();
  }
  if (!found) {
    // A drive's root, or a path ending in a separator, is not found by a search; nor is
    // a file that another process makes at this moment.
    DWORD attributes = GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return EntryKind::Missing;
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) return EntryKind::Link;
    if (attributes & FILE_ATTRIBUTE_DEVICE) return EntryKind::Other;
    return attributes & FILE_ATTRIBUTE_DIRECTORY ? EntryKind::Folder : EntryKind::File;
  }
  return kindOf(wide, *found, folderFinalForLinks(win32::folderOfWide(wide)));
}

std::optional<std::vector<FolderEntry>> Win32Files::folderEntries(const std::string& folder) {
  const std::wstring wide = win32::widePath(folder);
  // As on POSIX, a link standing at `folder` is not listed through.
  DWORD attributes = win32::isDevicePath(wide) ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(wide.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY) ||
      (attributes & FILE_ATTRIBUTE_REPARSE_POINT))
    return std::nullopt;
  std::vector<FolderEntry> entries;
  win32::FolderSearch search(win32::childPath(wide, L"*"), FindExInfoBasic, FIND_FIRST_EX_LARGE_FETCH);
  // A drive's empty root lists nothing at all, not even "." and "..".
  if (!search.started()) {
    return search.endError() == ERROR_FILE_NOT_FOUND ? std::optional(entries) : std::nullopt;
  }
  const std::wstring folderFinal = folderFinalForLinks(wide);
  for (; search.found(); search.next()) {
    const WIN32_FIND_DATAW& data = search.entry();
    std::wstring name = data.cFileName;
    if (name == L"." || name == L"..") continue;
    FolderEntry entry{fromWide(name), kindOf(win32::childPath(wide, name), data, folderFinal), 0};
    if (entry.kind == EntryKind::File) entry.size = sizeOf(data);
    entries.push_back(std::move(entry));
  }
  if (search.endError() != ERROR_NO_MORE_FILES) return std::nullopt;
  return entries;
}

std::string Win32Files::temporaryFolder() {
  DWORD needed = GetTempPathW(0, nullptr);
  if (needed == 0) return {};
  std::wstring folder(needed, L'\0');
  DWORD length = GetTempPathW(needed, folder.data());
  if (length == 0 || length >= needed) return {};
  folder.resize(length);
  while (folder.size() > 3 && folder.back() == L'\\') folder.pop_back();
  return fromWide(win32::withoutLongPrefix(folder));
}

std::string Win32Files::canonicalPath(const std::string& path) {
  std::optional<std::wstring> target = finalPath(win32::widePath(path));
  return target ? fromWide(*target) : path;
}

std::string Win32Files::linkTarget(const std::string& path) {
  const std::wstring wide = win32::widePath(path);
  // Asked of every host file, not only of reparse points: wine shows a POSIX symbolic
  // link to a file as a plain file, and its final path is then the only sign of it. A
  // missing file or a dangling link has none: writes then fail on their own.
  std::optional<std::wstring> found = finalPath(wide);
  if (!found) return path;
  const std::wstring& target = *found;
  // The same file under its own name (letter case aside) is no link.
  if (sameText(target, win32::withoutLongPrefix(win32::fullPath(wide)))) return path;
  return fromWide(target);
}

std::uint32_t Win32Files::hardLinkCount(const std::string& path) {
  Handle file(win32::openDiskFile(win32::widePath(path), 0, win32::kShareAll, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL));
  BY_HANDLE_FILE_INFORMATION info;
  if (!file.ok() || !GetFileInformationByHandle(file.get(), &info)) return 0;
  if (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return 0;
  return info.nNumberOfLinks;
}

}  // namespace lumaset
